// Whole-file writes of names at the file system's limit: the temporary file beside the target has
// a longer name, which is shortened so the target can still be written.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "common/path_text.h"
#include "common/text_file.h"
#include "temp_folder.h"

namespace rave {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// Wine keeps Windows file names as UTF-8 names of the host, whose limit is 255 bytes, not 255
// UTF-16 units as on NTFS: names of kana at the Windows limit cannot be tested there.
bool RunsUnderWine() {
#ifdef _WIN32
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
#else
    return false;
#endif
}

TEST(AtomicWrite, NamesAtTheFileSystemsLimitAreWritten) {
    // The temporary name is longer than the target's; it is shortened, never split inside a
    // character, and the target keeps its full name.
    std::string kana;
    for (int i = 0; i < 85; ++i) {
        kana += "\xE3\x81\x82";  // "あ", 3 bytes in a UTF-8 file name: 255 bytes in all
    }
    std::vector<std::string> names = {std::string(245, 'a'), std::string(255, 'b')};
    if (!RunsUnderWine()) {
        names.insert(names.end(), {kana, "x" + kana.substr(3)});
    }
    for (const std::string& name : names) {
        TempFolder temp;
        const fs::path file = temp.path() / PathFromUtf8(name);
        ASSERT_TRUE(WriteFileAtomically(file, "old"));
        ASSERT_TRUE(WriteFileAtomically(file, "new")) << name.size();
        EXPECT_EQ(TempFolder::Read(file), "new");
        EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1);
    }
}

}  // namespace
}  // namespace rave
