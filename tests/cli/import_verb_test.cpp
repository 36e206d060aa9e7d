// The import verb: a comma- or blank-separated file read into a new .sdw with the dialog's
// defaults, the options of the command line, and the settings files left as they were.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "office_text.h"

namespace ravelog::cli::testing {
namespace {

using Json = nlohmann::ordered_json;
using rave::testing::TempFolder;

// Columns as the standard comma setting expects them: 2 point, 10 date, 18 depth, 19 load,
// 20 half turns, 22 soil name.
std::string CsvLine(const std::string& depth, const std::string& load, const std::string& halfTurns,
                    const std::string& soil) {
    std::string line;
    for (int column = 1; column <= 26; ++column) {
        const std::string value = column == 2    ? "No.3"
                                  : column == 10 ? "20240521"
                                  : column == 18 ? depth
                                  : column == 19 ? load
                                  : column == 20 ? halfTurns
                                  : column == 22 ? soil
                                                 : "";
        line += (column > 1 ? "," : "") + value;
    }
    return line + "\r\n";
}

class ImportVerbTest : public CliTest {
protected:
    std::filesystem::path Csv() {
        return WriteCp932("field.csv",
                          CsvLine("0.25", "1.00", "0", "盛土") + CsvLine("0.50", "1.00", "4", "粘土") +
                              CsvLine("0.75", "1.00", "6", "粘土") + CsvLine("1.00", "0.75", "", "礫混り砂"));
    }
    // Runs an import to out.sdw and returns its info.
    Json Import(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "import");
        arguments.insert(arguments.end(), {"-o", Output().string()});
        const CliResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return Info(Output());
    }
    std::filesystem::path Output() const { return Folder() / "out.sdw"; }
};

TEST_F(ImportVerbTest, CommaFileWithTheStandardColumns) {
    const Json json = Import({"csv", Csv().string()});
    EXPECT_EQ(json["version"], 300);
    EXPECT_EQ(json["rowCount"], 4);
    EXPECT_EQ(json["header"][4], "No.3");
    EXPECT_EQ(json["header"][6], "2024");
    EXPECT_EQ(json["header"][7], "05");
    EXPECT_EQ(json["header"][8], "21");
    EXPECT_EQ(json["header"][18], "50");
    EXPECT_EQ(json["header"][19], "1");
    EXPECT_EQ(json["header"][31], "1.00");  // the final depth, set by the save
    const Json& rows = json["rows"];
    EXPECT_EQ(rows[1][1], "1.00");
    EXPECT_EQ(rows[1][2], "4");
    EXPECT_EQ(rows[1][3], "0.50");
    EXPECT_EQ(rows[1][4], "0.2500");   // L recomputed
    EXPECT_EQ(rows[1][5], "16.0000");  // Nsw recomputed
    EXPECT_EQ(rows[3][5], "");         // no half turns: no Nsw
    // Repeated names are omitted by default: only the last row of the clay run keeps it.
    EXPECT_EQ(rows[1][9], "");
    EXPECT_EQ(rows[2][9], "粘土");
    EXPECT_EQ(rows[3][9], "礫混り砂");
    EXPECT_EQ(rows[0][11], "1");
    EXPECT_EQ(rows[3][11], "2");
    // FillEmptySettings gave the coefficient slots their defaults, and conversions were computed.
    int filledCoefficients = 0;
    for (int n = 34; n <= 70; ++n) {
        filledCoefficients += json["header"][n - 1].get<std::string>().empty() ? 0 : 1;
    }
    EXPECT_GT(filledCoefficients, 10);
    ASSERT_EQ(json["conversions"].size(), 4U);
    EXPECT_EQ(json["conversions"][3][0], "1.00");
}

TEST_F(ImportVerbTest, UnitsRangeColumnsAndRepeatedNames) {
    const auto file =
        WriteCp932("cm.csv", CsvLine("25", "100", "0", "粘土") + CsvLine("50", "100", "4", "粘土") +
                                 CsvLine("75", "75", "6", "粘土") + CsvLine("100", "75", "8", "砂"));
    Json json =
        Import({"csv", file.string(), "--kgf", "--cm", "--from", "2", "--to", "3", "--keep-repeated-names"});
    EXPECT_EQ(json["rowCount"], 2);
    EXPECT_EQ(json["rows"][0][3], "0.5");
    EXPECT_EQ(json["rows"][0][1], "1.00");
    EXPECT_EQ(json["rows"][1][1], "0.75");
    EXPECT_EQ(json["rows"][0][9], "粘土");
    EXPECT_EQ(json["rows"][1][9], "粘土");

    // Depth from column 20, load from 18; no point number, no date.
    json = Import({"csv", file.string(), "--columns", "18,,20,22,,"});
    EXPECT_EQ(json["rows"][0][1], "25");
    EXPECT_EQ(json["rows"][0][2], "");
    EXPECT_EQ(json["rows"][1][3], "4");
    EXPECT_EQ(json["header"][4], "");
    EXPECT_EQ(json["header"][6], "");
}

TEST_F(ImportVerbTest, BlankSeparatedExample) {
    const Json json = Import({"space", Example("example-import.txt").string()});
    EXPECT_GT(json["rowCount"].get<int>(), 10);
    EXPECT_EQ(json["rowCount"], json["lastUsedRow"]);
    EXPECT_EQ(json["header"][4], "");  // the blank mode reads no point number
}

TEST_F(ImportVerbTest, ExcelUnicodeTextOfMoreRowsThanASoundingHoldsSaysWhatWasLeftOut) {
    std::u16string text;  // Excel's "Unicode text": UTF-16 with its mark, tab-separated
    for (int i = 1; i <= 2000; ++i) {
        const std::string depth = std::to_string(i);
        text += u"1.00\t" + std::u16string(depth.begin(), depth.end()) + u"\t盛土\r\n";
    }
    const CliResult result =
        Run({"import", "space", Temp().Write("f.txt", rave::testing::Utf16(text)).string(), "-o",
             Output().string()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("1351 行目から後の 650 行は読み込みませんでした"), std::string::npos)
        << result.err;
    EXPECT_EQ(Info(Output())["rows"][1349][9], "盛土");
}

TEST_F(ImportVerbTest, CommaSeparatedExample) {
    const Json json = Import({"csv", Example("example-import.csv").string()});
    EXPECT_GT(json["rowCount"].get<int>(), 10);
    EXPECT_EQ(json["rowCount"], json["lastUsedRow"]);
    EXPECT_NE(json["header"][4], "");
}

TEST_F(ImportVerbTest, LeavesTheSettingsFilesAlone) {
    const std::string settings = "500\r\n0\r\n\r\n\r\n";
    Temp().Write("install/Sys.ndx", settings);
    Import({"csv", Csv().string(), "--kgf"});
    EXPECT_EQ(TempFolder::Read(InstallFolder() / "Sys.ndx"), settings);
    EXPECT_FALSE(std::filesystem::exists(InstallFolder() / "Usr.ndx"));
    EXPECT_FALSE(std::filesystem::exists(InstallFolder() / "FileC.ndx"));
}

TEST_F(ImportVerbTest, ProblemsOfTheInputExitWithOne) {
    const auto missing = Folder() / "missing.csv";
    CliResult result = Run({"import", "csv", missing.string(), "-o", Output().string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("ファイルが見つかりません"), std::string::npos);
    EXPECT_NE(result.err.find(missing.string()), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(Output()));

    result = Run({"import", "csv", Csv().string(), "-o", (Folder() / "out.csv").string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("拡張子を sdw(SDW)にして下さい"), std::string::npos);
}

TEST_F(ImportVerbTest, UnlikelyUnitsAreWarnedAboutButImported) {
    const auto file = WriteCp932("kgf.csv", CsvLine("150", "1500", "0", ""));
    const CliResult result = Run({"import", "csv", file.string(), "-o", Output().string()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("Wsw kN"), std::string::npos);
    EXPECT_NE(result.err.find("深度 m"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(Output()));
}

TEST_F(ImportVerbTest, UsageErrorsExitWithTwo) {
    const std::string file = Csv().string();
    const std::string out = Output().string();
    const std::vector<std::vector<std::string>> cases{
        {"import", "tab", file, "-o", out},
        {"import", "csv", file},
        {"import", "csv", "-o", out},
        {"import", "csv", file, "-o", out, "--columns", "1,2,3,4,5,6,7"},
        {"import", "csv", file, "-o", out, "--columns", "1,x,3"},
        {"import", "csv", file, "-o", out, "--columns", "27"},
        {"import", "csv", file, "-o", out, "--from", "0"},
        {"import", "csv", file, "-o", out, "--to", "abc"},
    };
    for (const auto& arguments : cases) {
        const CliResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments[1] << " " << arguments.back();
        EXPECT_FALSE(result.err.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(Output()));
}

}  // namespace
}  // namespace ravelog::cli::testing
