// What Ravelog refuses as a sounding, Ravesect neither places nor lists; and a section is never
// saved over a read-only file.
#include <gtest/gtest.h>

#include <sstream>

#include "apps/ravelog_cli.h"
#include "apps/ravesect_cli.h"
#include "temp_folder.h"

namespace ravesect::cli {
namespace {

TEST(SoundingVerdict, BothProgramsRefuseTheSameFilesAndReadOnlyOutputsAreKept) {
    rave::testing::TempFolder folder;
    std::ostringstream out;
    std::ostringstream err;
    const auto run = [&](auto program, std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "--install-folder=" + (folder.path() / "install").string());
        return program(arguments, out, err);
    };
    const std::string output = (folder.path() / "out.sqw").string();
    for (const std::string& bytes :
         {std::string("$$_SWCVERAN304\r\n"), "$$_SWCVERAN304\r\n" + std::string(4000, '\0')}) {
        const std::string file = folder.Write("s.sdw", bytes).string();
        EXPECT_EQ(run(ravelog::cli::RunRavelogCommandLine, {"info", file}), 1);
        EXPECT_EQ(run(RunRavesectCommandLine, {"log", file}), 1);
        EXPECT_EQ(run(RunRavesectCommandLine, {"build", "-o", output, "0=" + file}), 1);
        EXPECT_FALSE(std::filesystem::exists(output));
    }
    EXPECT_NE(err.str().find("柱状図、スウェーデンのファイルではありません（"), std::string::npos)
        << err.str();

    const auto readOnly = folder.Write("ro.sqw", "kept");
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    const std::string section = std::string(RAVE_SOURCE_DIR) + "/examples/section/example-interpretation.sqw";
    EXPECT_EQ(run(RunRavesectCommandLine, {"interpret", section, "-o", readOnly.string()}), 1);
    EXPECT_NE(err.str().find("読み取り専用"), std::string::npos) << err.str();
    EXPECT_EQ(rave::testing::TempFolder::Read(readOnly), "kept");
}

}  // namespace
}  // namespace ravesect::cli
