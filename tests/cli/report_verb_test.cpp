// The report verb end to end: every point's verdicts and qa~ in --json are those of `check` and
// `qa` on the same files, the PDF has the pages the JSON counts, and the render verb's refusals
// hold (no sounding, missing photograph, too many points, the output naming an input), leaving an
// earlier output as it was.
#include <gtest/gtest.h>

#include "apps/ravesect_cli.h"
#include "cli_runner.h"

namespace ravelog::cli::testing {
namespace {

using Json = nlohmann::ordered_json;

class ReportVerbTest : public CliTest {
protected:
    static std::string Site(const std::string& name) { return Example("site/" + name).string(); }
    static std::vector<std::string> PlacedPoints() {
        return {"0.5,14.5=" + Site("no1.sdw"), "11.5,14.5=" + Site("no2.sdw"), "0.5,0.5=" + Site("no3.sdw"),
                "11.5,0.5=" + Site("no4.sdw"), "6,7.5=" + Site("no5.sdw")};
    }
};

TEST_F(ReportVerbTest, JsonAgreesWithCheckAndQaForEveryFooting) {
    for (const char* footing : {"0.5", "0.3", "1.25"}) {
        const std::filesystem::path pdf = Folder() / "site.pdf";
        std::vector<std::string> arguments = {"report"};
        for (const std::string& point : PlacedPoints()) {
            arguments.push_back(point);
        }
        arguments.insert(arguments.end(), {"-o", pdf.string(), "--footing-depth", footing, "--json"});
        const CliResult result = Run(arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const Json json = Json::parse(result.out);
        EXPECT_EQ(PdfPages(pdf), json["pages"].get<int>());
        ASSERT_EQ(json["points"].size(), 5u);
        const std::string to = std::to_string(std::stod(footing) + 2.0);
        for (const Json& point : json["points"]) {
            const std::string file = point["file"].get<std::string>();
            const Json check = Json::parse(Run({"check", file, "--footing-depth", footing}).out);
            EXPECT_EQ(point["selfSinking"], check["selfSinking"]) << file;
            for (const char* verdict : {"within2m", "from2to5m", "settlementCheck"}) {
                EXPECT_EQ(point[verdict], check[verdict]) << file << " " << verdict;
            }
            const Json qa = Json::parse(Run({"qa", file, "--from", footing, "--to", to}).out);
            ASSERT_TRUE(point["qa"].is_number()) << file;
            EXPECT_DOUBLE_EQ(point["qa"].get<double>(), std::stod(qa["qa"].get<std::string>())) << file;
            EXPECT_DOUBLE_EQ(point["nswAverage"].get<double>(), std::stod(qa["average"].get<std::string>()));
        }
    }
}

TEST_F(ReportVerbTest, ReportFileGivesItsPagesAndContents) {
    const std::filesystem::path pdf = Folder() / "example.pdf";
    const CliResult result = Run({"report", Site("site-report.rsr"), "-o", pdf.string(), "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Json json = Json::parse(result.out);
    std::vector<std::string> titles;
    int next = 1;
    for (const Json& entry : json["contents"]) {
        titles.push_back(entry["title"].get<std::string>());
        EXPECT_EQ(entry["firstPage"].get<int>(), next);  // the parts follow each other without a gap
        next += entry["pageCount"].get<int>();
    }
    EXPECT_EQ(next - 1, json["pages"].get<int>());
    EXPECT_EQ(PdfPages(pdf), json["pages"].get<int>());
    const std::vector<std::string> expected = {"地盤調査報告書",
                                               "調査概要",
                                               "調査位置図",
                                               "柱状図一覧",
                                               "告示第1113号による検討",
                                               "測点 No.1 試験結果",
                                               "測点 No.2 試験結果",
                                               "測点 No.3 試験結果",
                                               "測点 No.4 試験結果",
                                               "測点 No.5 試験結果",
                                               "推定断面図",
                                               "写真",
                                               "考察"};
    EXPECT_EQ(titles, expected);
}

TEST_F(ReportVerbTest, SheetAndSectionPagesAreThoseOfTheRenderVerbs) {
    const std::filesystem::path report = Folder() / "r.png";
    ASSERT_EQ(Run({"report", Site("site-report.rsr"), "-o", report.string(), "--dpi", "30"}).exitCode, 0);
    const std::filesystem::path sheet = Folder() / "sheet.png";
    ASSERT_EQ(Run({"render", Site("no3.sdw"), "--format", "2", "-o", sheet.string(), "--dpi", "30"}).exitCode,
              0);
    const std::filesystem::path section = Folder() / "section.png";
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(
        ravesect::cli::RunRavesectCommandLine({"render", Site("section.sqw"), "-o", section.string(), "--dpi",
                                               "30", "--install-folder", InstallFolder().string()},
                                              out, err),
        0)
        << err.str();
    // Page 8 is No.3's sheet (format 2 of the report file), pages 11 and 12 the section's.
    const auto bytes = [](const std::filesystem::path& file) {
        return rave::testing::TempFolder::Read(file);
    };
    EXPECT_EQ(bytes(Folder() / "r-8.png"), bytes(sheet));
    EXPECT_EQ(bytes(Folder() / "r-11.png"), bytes(Folder() / "section-1.png"));
    EXPECT_EQ(bytes(Folder() / "r-12.png"), bytes(Folder() / "section-2.png"));
    EXPECT_FALSE(bytes(sheet).empty());
}

TEST_F(ReportVerbTest, RefusesWhatRenderRefusesAndKeepsTheEarlierOutput) {
    const std::filesystem::path pdf = Temp().Write("kept.pdf", "earlier");
    const std::filesystem::path notSounding = Temp().Write("notes.sdw", "hello\r\n");
    const std::filesystem::path missingPhoto =
        WriteCp932("lot/r.rsr", "$$RAVESITE 1\r\n$$POINT\r\n" + Site("no1.sdw") +
                                    "\r\n\r\n\r\n\r\n$$PHOTO\r\ngone.png\r\n\r\n");
    std::vector<std::string> tooMany = {"report"};
    for (int i = 0; i < 31; ++i) {
        tooMany.push_back(Site("no1.sdw"));
    }
    tooMany.insert(tooMany.end(), {"-o", pdf.string()});
    struct Case {
        const char* name;
        std::vector<std::string> arguments;
        int exitCode;
        std::string named;  // what the message names
    };
    const Case cases[] = {
        {"no sounding",
         {"report", Site("no1.sdw"), notSounding.string(), "-o", pdf.string()},
         1,
         "notes.sdw"},
        {"missing photo", {"report", missingPhoto.string(), "-o", pdf.string()}, 1, "gone.png"},
        {"31 points", tooMany, 1, "30"},
        {"missing section",
         {"report", Site("no1.sdw"), "--section", "none.sqw", "-o", pdf.string()},
         1,
         "none.sqw"},
        {"bad footing",
         {"report", Site("no1.sdw"), "--footing-depth", "-1", "-o", pdf.string()},
         2,
         "footing"},
        {"dxf", {"report", Site("no1.sdw"), "-o", (Folder() / "x.dxf").string()}, 2, ".dxf"},
    };
    for (const Case& c : cases) {
        const CliResult result = Run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.name << ": " << result.err;
        EXPECT_NE(result.err.find(c.named), std::string::npos) << c.name << ": " << result.err;
        EXPECT_EQ(rave::testing::TempFolder::Read(pdf), "earlier") << c.name;
    }
    // A sounding saved under a name ending in .pdf is never written over by the report.
    const std::string sounding = rave::testing::TempFolder::Read(Site("no2.sdw"));
    const std::filesystem::path input = Temp().Write("no2.pdf", sounding);
    const CliResult same = Run({"report", Site("no1.sdw"), input.string(), "-o", input.string()});
    EXPECT_EQ(same.exitCode, 1) << same.err;
    EXPECT_EQ(rave::testing::TempFolder::Read(input), sounding);
}

}  // namespace
}  // namespace ravelog::cli::testing
