// Ravesect's command line: building a section from log files and reading it back as JSON.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "apps/ravesect_cli.h"
#include "temp_folder.h"

namespace ravesect::cli {
namespace {

using rave::testing::TempFolder;
using Json = nlohmann::json;

struct CliRun {
    int status = 0;
    std::string out;
    std::string err;
};

CliRun Ravesect(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = RunRavesectCommandLine(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string Example(const std::string& name) {
    return std::string(RAVE_SOURCE_DIR) + "/examples/" + name;
}

class RavesectCli : public ::testing::Test {
protected:
    TempFolder folder;
    std::string install = (folder.path() / "install").string();
    std::string output = (folder.path() / "out.sqw").string();

    CliRun Build(std::vector<std::string> columns) {
        std::vector<std::string> arguments = {"build", "-o", output, "--install-folder", install};
        arguments.insert(arguments.end(), columns.begin(), columns.end());
        return Ravesect(arguments);
    }
};

TEST_F(RavesectCli, BuildThenInfoGivesTheColumnsAndTheirLogs) {
    const CliRun build = Build(
        {"5=" + Example("example-short.sdw"), "20=" + Example("section/B-1.jdw"), "--scale", "100:200"});
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_EQ(build.err, "");

    const CliRun info = Ravesect({"info", output});
    ASSERT_EQ(info.status, 0) << info.err;
    const Json json = Json::parse(info.out);
    EXPECT_EQ(json["settings"]["distanceScale"], 100);
    EXPECT_EQ(json["settings"]["depthScale"], 200);
    EXPECT_EQ(json["settings"]["rulerTitle"], "TP(m)");
    EXPECT_EQ(json["settings"]["rulerStep"], 5);
    // The page cut it will be printed with: A4 landscape (no printer here) holds at most
    // 297 mm x 100 = 29.7 m across and 210 mm x 200 = 42 m down, less the margins.
    EXPECT_GT(json["settings"]["distancePerPage"].get<int>(), 20);
    EXPECT_LE(json["settings"]["distancePerPage"].get<int>(), 29);
    EXPECT_GT(json["settings"]["depthPerPage"].get<int>(), 25);
    EXPECT_LE(json["settings"]["depthPerPage"].get<int>(), 42);
    const Json& columns = json["columns"];
    ASSERT_EQ(columns.size(), 4u);  // left boundary, two logs, closing column
    EXPECT_EQ(columns[0]["fields"][0], "0");
    EXPECT_EQ(columns[1]["fields"][0], "5.00");
    EXPECT_EQ(columns[1]["fields"][12], "301  _0");
    EXPECT_EQ(columns[2]["fields"][2], "B-1");
    EXPECT_EQ(columns[2]["fields"][4], "-2.10  2026/04/14");
    EXPECT_EQ(columns[2]["fields"].size(), 20u);
    EXPECT_EQ(columns[2]["log"]["A"][1][1], "シルト");
    EXPECT_EQ(columns[2]["log"]["C"].size(), 12u);
    EXPECT_EQ(columns[3]["fields"][0], "30.00");
    EXPECT_EQ(columns[3]["fields"][1], "");
    EXPECT_TRUE(json["titles"].empty());
    EXPECT_TRUE(json["points"].empty());
    EXPECT_TRUE(json["layers"].empty());
}

TEST_F(RavesectCli, RenderNamesTheLogsNoPrintedPageShows) {
    ASSERT_EQ(Build({"5=" + Example("section/B-1.jdw"), "20=" + Example("section/B-2.ddw")}).status, 0);
    const std::string png = (folder.path() / "page.png").string();
    CliRun run = Ravesect({"render", output, "-o", png, "--dpi", "30", "--install-folder", install});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");  // the fitted ruler puts both logs on the page

    // Line 2, field 9: the top elevation, moved 100 m above both grounds.
    std::string bytes = TempFolder::Read(output);
    const std::size_t line = bytes.find("\r\n") + 2;
    std::size_t field = line;
    for (int comma = 0; comma < 8; ++comma) {
        field = bytes.find(',', field) + 1;
    }
    const std::size_t end = bytes.find(',', field);
    bytes.replace(field, end - field, std::to_string(std::stod(bytes.substr(field, end - field)) + 100.0));
    const std::string high = (folder.path() / "high.sqw").string();
    folder.Write("high.sqw", bytes);
    run = Ravesect({"render", high, "-o", png, "--dpi", "30", "--install-folder", install});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("どの印刷ページにも入らない柱状図があります: Ｎo.B-1(5.00m)、Ｎo.B-2(20.00m)"),
              std::string::npos)
        << run.err;
}

TEST_F(RavesectCli, VerbsLeaveTheDesktopWorkingFilesAlone) {
    ASSERT_EQ(Build({"5=" + Example("section/B-2.ddw")}).status, 0);
    ASSERT_EQ(Ravesect({"info", output, "--install-folder", install}).status, 0);
    for (const char* name : {"Tmp0.tmp", "Tmp1.tmp", "TmpP.tmp", "SmpP.tmp", "FileQv.ndx"}) {
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(install) / name)) << name;
    }
}

TEST_F(RavesectCli, RefusedPlacementsExitWithTheProgramsMessage) {
    CliRun run = Build({"-5=" + Example("section/B-2.ddw")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("数値が異常です"), std::string::npos);

    run = Build({"5=" + Example("section/B-2.ddw"), "5.001=" + Example("section/P-1.pdw")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("同じ 距離データがあります."), std::string::npos);

    run = Build({"x=" + Example("section/B-2.ddw")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("データが無い、または不正です."), std::string::npos);

    run = Build({"5=" + (folder.path() / "gone.jdw").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("ファイルが見つかりません"), std::string::npos);

    run = Build({"5=" + Example("example-import.csv")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("柱状図、スウェーデンのファイルではありません"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(RavesectCli, TwentySixColumnsAreTooMany) {
    std::vector<std::string> columns;
    for (int i = 0; i < 26; ++i) {
        columns.push_back(std::to_string(i) + "=" + Example("section/B-2.ddw"));
    }
    const CliRun run = Build(columns);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("a section holds at most 25 columns; 26 were given"), std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(RavesectCli, UsageErrors) {
    EXPECT_EQ(Build({"B-2.ddw"}).status, 2);
    EXPECT_EQ(Build({"5=" + Example("section/B-2.ddw"), "--scale", "100"}).status, 2);
    EXPECT_EQ(Build({"5=" + Example("section/B-2.ddw"), "--scale", "10:100"}).status, 2);
    EXPECT_EQ(Ravesect({"build", "5=x.sdw"}).status, 2);  // no -o
    EXPECT_EQ(Ravesect({"info"}).status, 2);
    EXPECT_EQ(Ravesect({"nonsense"}).status, 2);
    EXPECT_FALSE(IsCommandLineVerb({}));
    EXPECT_FALSE(IsCommandLineVerb({"a.sqw"}));
    EXPECT_TRUE(IsCommandLineVerb({"info", "a.sqw"}));
}

TEST_F(RavesectCli, InfoOfAMissingFileFails) {
    const CliRun run = Ravesect({"info", (folder.path() / "none.sqw").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("ファイルが見つかりません"), std::string::npos);
}

TEST_F(RavesectCli, ShippedExampleSectionReads) {
    const CliRun run = Ravesect({"info", Example("section/example-section.sqw")});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json json = Json::parse(run.out);
    ASSERT_EQ(json["columns"].size(), 8u);
    EXPECT_EQ(json["columns"][3]["fields"][12], "320  _0");
    EXPECT_EQ(json["columns"][3]["log"]["C"].size(), 0u);  // cone logs keep no measured rows
    EXPECT_EQ(json["columns"][3]["log"]["E"].size(), 15u);
    EXPECT_EQ(json["columns"][6]["log"]["C"].size(), 300u);
}

}  // namespace
}  // namespace ravesect::cli
