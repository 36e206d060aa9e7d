// The report file: a report written and read again gives the same bytes, and files that are cut
// short, hostile or from a newer program are read without harm.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "site/site_report.h"

namespace site {
namespace {

SiteReport FullReport() {
    SiteReport report;
    report.points = {{"no1.sdw", PlanPoint{1.5, 13.25}, ""},
                     {"sub/no2.sdw", std::nullopt, "B-2"},
                     {"$odd,name.sdw", PlanPoint{-2, 0}, "\\label"}};
    report.lotOutline = {{0, 0}, {12, 0}, {12, 15}, {0, 15}};
    report.buildingOutline = {{2, 3}, {10, 3}, {10, 11.5}};
    report.footingDepth = 0.45;
    report.contactPressure = 30;
    report.cover = {"件名,コンマ", "調査場所", "", "会社", "令和6年5月20日", "$$担当"};
    report.photos = {{"photos/site.png", "敷地全景"}, {"p2.jpg", ""}};
    report.section = "section.sqw";
    report.sheetFormat = 2;
    report.columnsAtElevation = true;
    report.findings = "一行目\r\n$$END\r\n\r\n\\四行目";
    return report;
}

TEST(SiteReportFile, WritesAndReadsBackByteForByte) {
    const SiteReport cases[] = {SiteReport{}, FullReport()};
    for (const SiteReport& report : cases) {
        const std::string bytes = WriteSiteReportBytes(report);
        const SiteReportReadResult read = ReadSiteReportBytes(bytes);
        ASSERT_TRUE(read.report) << read.error;
        EXPECT_TRUE(read.warnings.empty());
        EXPECT_EQ(*read.report, report);
        EXPECT_EQ(WriteSiteReportBytes(*read.report), bytes);
    }
    // Texts that look like markers are escaped; every line ends in CR LF.
    const std::string bytes = WriteSiteReportBytes(FullReport());
    EXPECT_NE(bytes.find("\r\n\\$$END\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\r\n\\\\label\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 7), "$$END\r\n");
}

TEST(SiteReportFile, TheExampleReadsAndWritesBackByteForByte) {
    const std::filesystem::path example =
        std::filesystem::path(RAVE_SOURCE_DIR) / "examples/site/site-report.rsr";
    std::ifstream in(example, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const SiteReportReadResult read = ReadSiteReportBytes(bytes);
    ASSERT_TRUE(read.report) << read.error;
    EXPECT_EQ(read.report->points.size(), 5u);
    EXPECT_EQ(read.report->photos.size(), 2u);
    EXPECT_EQ(WriteSiteReportBytes(*read.report), bytes);
}

TEST(SiteReportFile, ReadsHostileAndTruncatedFiles) {
    const std::string full = WriteSiteReportBytes(FullReport());
    // Every cut of a real file reads without harm, keeping what came before the cut.
    for (std::size_t length = 10; length < full.size(); length += 7) {
        const SiteReportReadResult read = ReadSiteReportBytes(full.substr(0, length));
        ASSERT_TRUE(read.report) << length;
        EXPECT_LE(read.report->points.size(), 3u);
    }
    struct Case {
        const char* name;
        std::string bytes;
        bool isReport;
        std::size_t warnings;
    };
    std::string manyPoints = "$$RAVESITE 1\r\n";
    for (int i = 0; i < 40; ++i) {
        manyPoints += "$$POINT\r\nf.sdw\r\n1\r\n2\r\n\r\n";
    }
    const Case cases[] = {
        {"not a report", "$$_SWJVERAN304\r\n", false, 0},
        {"empty", "", false, 0},
        {"bad numbers", "$$RAVESITE 1\n$$SETTINGS\n-1\nabc\n7\n$$POINT\nf.sdw\n1e999\n2\n$$LOT\n1;2\nx,y\n",
         true, 6},
        {"newer sections", "$$RAVESITE 2\r\n$$WEATHER\r\nrain\r\n$$POINT\r\na.sdw\r\n", true, 0},
        {"too many points", manyPoints, true, 1},
        {"binary", std::string("$$RAVESITE\0\xff\xfe\r\n$$POINT\r\n\0\0\0", 27), true, 0},
        {"endless line", "$$RAVESITE 1\r\n$$FINDINGS\r\n" + std::string(100000, 'x'), true, 0},
    };
    for (const Case& c : cases) {
        const SiteReportReadResult read = ReadSiteReportBytes(c.bytes);
        EXPECT_EQ(read.report.has_value(), c.isReport) << c.name;
        EXPECT_EQ(read.warnings.size(), c.warnings) << c.name;
        if (read.report) {
            EXPECT_LE(read.report->points.size(), static_cast<std::size_t>(kMaxReportPoints)) << c.name;
            EXPECT_LE(read.report->findings.size(), kReportLineLimit) << c.name;
            EXPECT_GE(read.report->footingDepth, 0) << c.name;
        }
    }
}

TEST(SiteReportFile, StoresPathsRelativeToTheReport) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "lot";
    EXPECT_EQ(ReportPathText(folder, folder / "data" / "no1.sdw"), "data/no1.sdw");
    EXPECT_EQ(ReportPathText(folder, folder.parent_path() / "other" / "x.sqw"), "../other/x.sqw");
    EXPECT_EQ(ResolveReportPath(folder, "data/no1.sdw"), folder / "data" / "no1.sdw");
    EXPECT_EQ(ResolveReportPath(folder, "data\\no1.sdw"), folder / "data" / "no1.sdw");
    // A file named from its root (C:/... on Windows, /... elsewhere) stays where it is.
    const std::filesystem::path elsewhere = folder.root_path() / "abs" / "x.png";
    EXPECT_EQ(ResolveReportPath(folder, ReportPathText({}, elsewhere).value()), elsewhere);
}

}  // namespace
}  // namespace site
