// Rows the sheets and calculations cannot use are never lost without a word: a row without a
// depth stays in the saved file and every verb names it; rows beyond the capacity are counted.
#include <gtest/gtest.h>

#include "cli_runner.h"

namespace ravelog::cli::testing {
namespace {

using rave::testing::TempFolder;

// A current-format sounding of `rows` rows, 0.25 m apart; row `blankRow` gets `depthCell`.
std::string Sounding(int rows, int blankRow = 0, const std::string& depthCell = {}) {
    std::string bytes = "$$_SWCVERAN304\r\n$$Z\r\nsurvey\r\n";
    for (int n = 2; n <= 100; ++n) {
        bytes += "\r\n";
    }
    bytes += "$$A\r\n";
    for (int i = 1; i <= rows; ++i) {
        const std::string depth = i == blankRow ? depthCell : std::to_string(i * 25 / 100) + "." +
                                                                  std::to_string(i * 25 % 100 / 10) +
                                                                  std::to_string(i * 25 % 10);
        bytes += "0.75,4," + depth + ",,,row " + std::to_string(i) + ",,,,,\r\n";
    }
    return bytes + "$$C\r\n";
}

// A Ver2 file of `rows` rows of eight value lines each.
std::string OldSounding(int rows) {
    std::string bytes = "$Z40\r\nsurvey\r\n";
    for (int k = 2; k <= 40; ++k) {
        bytes += "\r\n";
    }
    bytes += "$A\r\n";
    for (int i = 1; i <= rows; ++i) {
        bytes += "1.00\r\n10\r\n" + std::to_string(i) + ".00\r\n100\r\n10\r\n\r\n\r\n\r\n";
    }
    return bytes;
}

TEST_F(CliTest, ARowWithoutDepthIsKeptAndNamedByEveryVerb) {
    for (const std::string cell : {"", "abc", "inf"}) {
        const auto input = Temp().Write("row3.sdw", Sounding(32, 3, cell));
        const auto saved = Folder() / "saved.sdw";
        const CliResult save = Run({"save", input.string(), "-o", saved.string()});
        ASSERT_EQ(save.exitCode, 0) << save.err;
        EXPECT_NE(save.err.find("3 行目"), std::string::npos) << "[" << cell << "] " << save.err;
        const auto json = Info(saved);
        EXPECT_EQ(json["lastUsedRow"], 32) << cell;
        EXPECT_EQ(json["rows"][31][6], "row 32") << cell;
        EXPECT_EQ(json["rows"][2][3], cell);
        // Saved again, the file is the same bytes: nothing more is lost on the way.
        const auto again = Folder() / "again.sdw";
        ASSERT_EQ(Run({"save", saved.string(), "-o", again.string()}).exitCode, 0);
        EXPECT_EQ(TempFolder::Read(again), TempFolder::Read(saved)) << cell;

        for (const std::vector<std::string>& verb :
             {std::vector<std::string>{"info", input.string()},
              {"qa", input.string(), "--from", "0", "--to", "1"},
              {"check", input.string(), "--footing-depth", "0.5"}}) {
            const CliResult result = Run(verb);
            EXPECT_EQ(result.exitCode, 0) << verb[0] << result.err;
            EXPECT_NE(result.err.find("3 行目"), std::string::npos) << verb[0] << ": " << result.err;
        }
    }
}

TEST_F(CliTest, RowsBeyondTheCapacityAreCounted) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* count;
    };
    for (const Case& c : {Case{"long.sdw", Sounding(5000), " 3650 行"}, Case{"s001.ddf", OldSounding(2000), " 650 行"}}) {
        const auto saved = Folder() / "saved.sdw";
        const CliResult save = Run({"save", Temp().Write(c.name, c.bytes).string(), "-o", saved.string()});
        ASSERT_EQ(save.exitCode, 0) << save.err;
        EXPECT_NE(save.err.find(c.count), std::string::npos) << c.name << ": " << save.err;
        EXPECT_EQ(Info(saved)["lastUsedRow"], 1350) << c.name;
    }
    EXPECT_EQ(Run({"save", Temp().Write("full.sdw", Sounding(1350)).string(), "-o", (Folder() / "f.sdw").string()})
                  .err,
              "");
}

}  // namespace
}  // namespace ravelog::cli::testing
