// Both programs give one verdict on a file that calls itself a sounding: what Ravelog refuses to
// open, Ravesect neither places nor lists. And a section is never saved over a read-only file.
#include <gtest/gtest.h>

#include <sstream>

#include "apps/ravelog_cli.h"
#include "apps/ravesect_cli.h"
#include "temp_folder.h"

namespace ravesect::cli {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;

class SoundingVerdictTest : public ::testing::Test {
protected:
    // The exit status of a verb of either program; its stderr in `err`.
    int Run(bool ravelog, std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), {"--install-folder", (folder.path() / "install").string()});
        std::ostringstream out;
        std::ostringstream stderrText;
        const int status = ravelog ? ravelog::cli::RunRavelogCommandLine(arguments, out, stderrText)
                                   : RunRavesectCommandLine(arguments, out, stderrText);
        err = stderrText.str();
        return status;
    }
    TempFolder folder;
    std::string err;
};

TEST_F(SoundingVerdictTest, WhatRavelogRefusesRavesectNeitherPlacesNorLists) {
    const std::string magic = "$$_SWCVERAN304\r\n";
    const fs::path output = folder.path() / "out.sqw";
    for (const auto& [name, bytes] : {std::pair<const char*, std::string>{"magic.sdw", magic},
                                      {"nul.sdw", magic + std::string(4000, '\0')}}) {
        const std::string file = folder.Write(name, bytes).string();
        EXPECT_EQ(Run(true, {"info", file}), 1) << name;
        EXPECT_EQ(Run(false, {"log", file}), 1) << name;
        EXPECT_NE(err.find("スウェーデンのファイルではありません"), std::string::npos) << err;
        EXPECT_EQ(Run(false, {"build", "-o", output.string(), "0=" + file}), 1) << name;
        EXPECT_NE(err.find("スウェーデンのファイルではありません"), std::string::npos) << err;
        EXPECT_FALSE(fs::exists(output)) << name;
    }
}

TEST_F(SoundingVerdictTest, ASectionIsNotSavedOverAReadOnlyFile) {
    const std::string example = std::string(RAVE_SOURCE_DIR) + "/examples/section/example-interpretation.sqw";
    const fs::path output = folder.Write("ro.sqw", "kept\r\n");
    fs::permissions(output, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Run(false, {"interpret", example, "-o", output.string()}), 1);
    EXPECT_NE(err.find("読み取り専用"), std::string::npos) << err;
    EXPECT_EQ(TempFolder::Read(output), "kept\r\n");
}

}  // namespace
}  // namespace ravesect::cli
