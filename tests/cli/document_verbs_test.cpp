// The info and save verbs: the JSON of a sounding, writing it back, and the exit statuses.
#include <gtest/gtest.h>

#include "cli_runner.h"

namespace ravelog::cli::testing {
namespace {

using Json = nlohmann::ordered_json;

// A sounding of 50 rows at 1/100 with the standard 45 rows per page: two pages by the row count.
std::string FiftyRowFile() {
    std::string text = "$$_SWJVERAN304\r\n$$Z\r\n";
    for (int n = 1; n <= 100; ++n) {
        text += n == 1 ? "北町二丁目駐車場造成工事" : n == 5 ? "No.2" : n == 19 ? "100" : n == 20 ? "1" : "";
        text += "\r\n";
    }
    text += "$$A\r\n";
    for (int i = 1; i <= 50; ++i) {
        text += "1.00," + std::to_string(i) + "," + std::to_string(i * 0.25).substr(0, 5) + ",0.2500,,,,," +
                (i == 3 ? "砂質シルト" : "") + ",,\r\n";
    }
    text += ",,9.99,,,,,,,,\r\n";       // row 51 has a depth but follows no gap: it counts
    text += "\r\n";                     // row 52 empty: the count ends here
    text += "2.00,,13.50,,,,,,,,\r\n";  // row 53: after the gap, only lastUsedRow sees it
    text += "$$C\r\n0.25,3.0,40.0,30.0\r\n\r\n,,5.0,\r\n\r\n";
    return text;
}

TEST_F(CliTest, InfoGivesTheDocumentAsJson) {
    const auto file = WriteCp932("a.sdw", FiftyRowFile());
    const Json json = Info(file);
    std::vector<std::string> keys;
    for (const auto& item : json.items()) {
        keys.push_back(item.key());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"version", "header", "rowCount", "lastUsedRow", "rows",
                                              "conversions", "pages"}));
    EXPECT_EQ(json["version"], 300);
    ASSERT_EQ(json["header"].size(), 100U);
    EXPECT_EQ(json["header"][0], "北町二丁目駐車場造成工事");  // slot 1 first, in UTF-8
    EXPECT_EQ(json["header"][4], "No.2");
    EXPECT_EQ(json["header"][99], "");
    EXPECT_EQ(json["rowCount"], 51);
    EXPECT_EQ(json["lastUsedRow"], 53);
    ASSERT_EQ(json["rows"].size(), 53U);
    ASSERT_EQ(json["rows"][0].size(), 15U);  // field 0 first
    EXPECT_EQ(json["rows"][0][0], "");
    EXPECT_EQ(json["rows"][0][3], "0.250");
    EXPECT_EQ(json["rows"][2][9], "砂質シルト");
    EXPECT_EQ(json["rows"][51][3], "");
    EXPECT_EQ(json["rows"][52][3], "13.50");
    // Conversions up to the last entry holding anything, empty ones between included.
    ASSERT_EQ(json["conversions"].size(), 3U);
    EXPECT_EQ(json["conversions"][0], (Json{"0.25", "3.0", "40.0", "30.0"}));
    EXPECT_EQ(json["conversions"][1], (Json{"", "", "", ""}));
    EXPECT_EQ(json["conversions"][2][2], "5.0");
    EXPECT_EQ(json["pages"], 2);
}

TEST_F(CliTest, InfoReadsTheOldFormat) {
    const Json json = Info(Example("s001.ddf"));
    EXPECT_EQ(json["version"], 200);
    EXPECT_GT(json["rowCount"].get<int>(), 0);
    EXPECT_EQ(json["conversions"].size(), 0U);
}

TEST_F(CliTest, SaveWritesTheSameBytesItRead) {
    for (const char* name : {"example-short.sdw", "example-long.sdw", "example-simple.sdw"}) {
        const auto output = Folder() / (std::string("copy-") + name);
        const CliResult result = Run({"save", Example(name).string(), "-o", output.string()});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_TRUE(result.err.empty()) << result.err;
        EXPECT_EQ(rave::testing::TempFolder::Read(output), rave::testing::TempFolder::Read(Example(name)))
            << name;
    }
}

TEST_F(CliTest, SaveTurnsAnOldFileIntoTheCurrentFormat) {
    const auto output = Folder() / "s001.sdw";
    const CliResult result = Run({"save", Example("s001.ddf").string(), "-o", output.string()});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Json old = Info(Example("s001.ddf"));
    const Json current = Info(output);
    EXPECT_EQ(current["version"], 300);
    EXPECT_EQ(current["rows"], old["rows"]);
    EXPECT_EQ(current["header"][0], old["header"][0]);
    EXPECT_EQ(current["header"][31], old["rows"][old["rowCount"].get<int>() - 1][3]);  // the final depth
}

TEST_F(CliTest, SaveRefusesAnotherExtension) {
    const auto output = Folder() / "copy.txt";
    const CliResult result = Run({"save", Example("example-short.sdw").string(), "-o", output.string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("拡張子を sdw(SDW)にして下さい"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(CliTest, AFileOfAnotherKindIsRejectedWithItsMessage) {
    const auto file = Temp().Write("data.sdw", "depth,load\r\n0.25,1.00\r\n");
    for (const char* verb : {"info", "save"}) {
        std::vector<std::string> arguments{verb, file.string()};
        if (std::string(verb) == "save") {
            arguments.insert(arguments.end(), {"-o", (Folder() / "out.sdw").string()});
        }
        const CliResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, 1) << verb;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("スウェーデンデータファイルではありません"), std::string::npos)
            << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(Folder() / "out.sdw"));
}

TEST_F(CliTest, AMissingFileIsRejectedWithItsPath) {
    const auto missing = Folder() / "missing.sdw";
    const CliResult result = Run({"info", missing.string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("ファイルが見つかりません"), std::string::npos);
    EXPECT_NE(result.err.find(missing.string()), std::string::npos);
    EXPECT_EQ(result.out, "");
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
    const std::string file = Example("example-short.sdw").string();
    const std::vector<std::vector<std::string>> cases{
        {},                                  // no verb
        {"print", file},                     // no such verb
        {"info"},                            // no file
        {"info", file, "--no-such-option"},  // unknown option
        {"save", file},                      // no output
        {"save", file, "-o"},                // output without a value
    };
    for (const auto& arguments : cases) {
        const CliResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, 2) << (arguments.empty() ? "" : arguments[0]);
        EXPECT_FALSE(result.err.empty());
        EXPECT_EQ(result.out, "");
    }
}

TEST(VerbRecognition, VerbsGoToTheCommandLineAndFilesToTheDesktopProgram) {
    EXPECT_TRUE(IsCommandLineVerb({"info", "a.sdw"}));
    EXPECT_TRUE(IsCommandLineVerb({"import", "csv", "a.csv", "-o", "a.sdw"}));
    EXPECT_FALSE(IsCommandLineVerb({"a.sdw"}));
    EXPECT_FALSE(IsCommandLineVerb({}));
}

}  // namespace
}  // namespace ravelog::cli::testing
