// Nothing is lost without a word: rows the sheets cannot reach stay in the file and are named,
// rows beyond the capacity of 1350 are counted, and an output its owner protected is kept.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include "cli_runner.h"

namespace ravelog::cli::testing {
namespace {

using rave::testing::TempFolder;

// `rows` rows at 1 m, 2 m, ...; row 3 has `row3` as its depth. In the Ver2 layout when `ver2`.
std::string Sounding(int rows, const std::string& row3 = "3", bool ver2 = false) {
    std::string bytes = ver2 ? "$Z40\r\n$A\r\n" : "$$_SWCVERAN304\r\n$$Z\r\nx\r\n$$A\r\n";
    for (int i = 1; i <= rows; ++i) {
        const std::string depth = i == 3 ? row3 : std::to_string(i);
        bytes += ver2 ? "1\r\n9\r\n" + depth + "\r\n90\r\n9\r\n\r\n\r\n\r\n"
                      : "0.75,4," + depth + ",,,row" + std::to_string(i) + "\r\n";
    }
    return bytes;
}

TEST_F(CliTest, RowsOutOfReachAreKeptOrCountedAndNamed) {
    const std::string saved = (Folder() / "saved.sdw").string();
    for (const std::string depth : {"", "abc", "inf"}) {
        const CliResult result =
            Run({"save", Temp().Write("a.sdw", Sounding(32, depth)).string(), "-o", saved});
        EXPECT_NE(result.err.find("3 行目"), std::string::npos) << result.err;
        EXPECT_EQ(Info(saved)["rows"][31][6], "row32") << depth;
    }
    for (const auto& [bytes, says] : {std::pair<std::string, const char*>{Sounding(5000), " 3650 行"},
                                      {Sounding(2000, "3", true), " 650 行"},
                                      {Sounding(1350), nullptr}}) {
        const CliResult result = Run({"save", Temp().Write("b.sdw", bytes).string(), "-o", saved});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_TRUE(says == nullptr ? result.err.empty() : result.err.find(says) != std::string::npos)
            << result.err;
    }
}

TEST_F(CliTest, AReadOnlyOutputIsRefusedAndKept) {
    namespace fs = std::filesystem;
    for (const auto& [verb, name, otherOwner] :
         {std::tuple{"save", "ro.sdw", false}, {"render", "ro.pdf", false}, {"save", "theirs.sdw", true}}) {
        const fs::path output = Temp().Write(name, "kept");
        fs::permissions(output, otherOwner ? fs::perms::owner_all : fs::perms::owner_read);
#ifdef _WIN32
        const bool givenAway = false;  // Windows files carry no owner bits for a save to respect
#else
        const bool givenAway = otherOwner && ::chown(output.c_str(), 65534, 65534) == 0;  // root only
#endif
        if (otherOwner && !givenAway) {
            continue;
        }
        const CliResult result = Run({verb, Example("example-short.sdw").string(), "-o", output.string()});
        EXPECT_EQ(result.exitCode, 1) << name;
        EXPECT_NE(result.err.find(std::string(verb) == "save" ? "読み取り専用" : "read-only"),
                  std::string::npos)
            << result.err;
        EXPECT_EQ(TempFolder::Read(output), "kept") << name;
    }
}

}  // namespace
}  // namespace ravelog::cli::testing
