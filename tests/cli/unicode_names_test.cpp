// File names with characters no code page holds: every verb reads and writes the files it is
// given under those names, and no file under another name appears beside them.
#include <gtest/gtest.h>

#include <set>

#include "cli_runner.h"
#include "common/path_text.h"

namespace ravelog::cli::testing {
namespace {

namespace fs = std::filesystem;

std::set<fs::path> NamesIn(const fs::path& folder) {
    std::set<fs::path> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        names.insert(fs::relative(entry.path(), folder));
    }
    return names;
}

TEST_F(CliTest, EveryVerbKeepsUnicodeFileNames) {
    const fs::path folder = Folder() / rave::PathFromUtf8("測点−2〜A😀");
    fs::create_directories(folder);
    const fs::path input = folder / rave::PathFromUtf8("日本語😀.sdw");
    fs::copy_file(Example("example-short.sdw"), input);
    const auto in = [&](const char* name) { return (folder / rave::PathFromUtf8(name)).string(); };

    const struct {
        std::vector<std::string> arguments;
        const char* written;  // what the verb must have made, relative to the folder
    } cases[] = {
        {{"info", input.string()}, nullptr},
        {{"save", input.string(), "-o", in("保存😀.sdw")}, "保存😀.sdw"},
        {{"render", input.string(), "-o", in("図😀.pdf")}, "図😀.pdf"},
        {{"render", input.string(), "-o", in("出力😀") + "/", "--type", "png"}, "出力😀/日本語😀.png"},
        {{"qa", input.string(), "--from", "0", "--to", "1"}, nullptr},
    };
    std::set<fs::path> expected = {rave::PathFromUtf8("日本語😀.sdw")};
    for (const auto& c : cases) {
        const CliResult result = Run(c.arguments);
        EXPECT_EQ(result.exitCode, 0) << c.arguments.front() << ": " << result.err;
        if (c.written != nullptr) {
            const fs::path written = rave::PathFromUtf8(c.written);
            EXPECT_TRUE(fs::is_regular_file(folder / written)) << c.written;
            for (fs::path part = written; !part.empty(); part = part.parent_path()) {
                expected.insert(part);
            }
        }
    }
    EXPECT_EQ(NamesIn(folder), expected);
    EXPECT_EQ(Info(folder / rave::PathFromUtf8("保存😀.sdw"))["header"], Info(input)["header"]);
}

}  // namespace
}  // namespace ravelog::cli::testing
