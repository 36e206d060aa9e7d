// The report's plan scale and placement, and its page list: which parts appear with and without
// positions, photographs, a section and findings, and photographs drawn without being stretched.
#include <gtest/gtest.h>

#include "common/drawing/recording_surface.h"
#include "ravelog/report/page_count.h"
#include "site/site_pages.h"
#include "site/site_plan.h"

namespace site {
namespace {

TEST(SitePlan, ChoosesTheLargestScaleThatFitsAndCentres) {
    const PaperBox box{15, 34, 195, 234};  // 180 x 200 mm; 164 x 184 mm inside the margin
    struct Case {
        const char* name;
        std::vector<PlanPoint> lot;
        std::optional<PlanPoint> point;
        double denominator;
        PlanPoint corner;  // where lot corner 0 (or the point) lands on paper
        double scaleBar;
    };
    const Case cases[] = {
        // 12 x 15 m: 1:50 would need 240 mm across; 1:100 takes 120 x 150 mm round (6, 7.5).
        {"house lot", {{0, 0}, {12, 0}, {12, 15}, {0, 15}}, PlanPoint{6, 7.5}, 100, {45, 209}, 5},
        // 3 x 2 m fits 1:50 (60 x 40 mm); the scale bar at 20 mm a metre is 2 m.
        {"small", {{0, 0}, {3, 0}, {3, 2}}, std::nullopt, 50, {75, 154}, 2},
        // A point 120 m away makes 1:1000 (120 mm across; 1:600 would need 200 mm).
        {"far point", {{0, 0}, {10, 0}, {10, 10}}, PlanPoint{130, 10}, 1000, {40, 139}, 50},
    };
    for (const Case& c : cases) {
        SiteReport report;
        report.lotOutline = c.lot;
        report.points.push_back({"a.sdw", c.point, ""});
        const PlanLayout layout = LayoutPlan(report, box);
        EXPECT_EQ(layout.denominator, c.denominator) << c.name;
        EXPECT_NEAR(layout.PaperX(c.lot[0].x), c.corner.x, 1e-9) << c.name;
        EXPECT_NEAR(layout.PaperY(c.lot[0].y), c.corner.y, 1e-9) << c.name;
        EXPECT_EQ(ScaleBarMetres(layout), c.scaleBar) << c.name;
        EXPECT_EQ(layout.ToPlan(c.corner.x, c.corner.y), c.lot[0]) << c.name;  // a click there
    }
    // Nothing placed: 1:100 round the origin, which sits in the middle of the box.
    const PlanLayout empty = LayoutPlan(SiteReport{}, box);
    EXPECT_EQ(empty.denominator, 100);
    EXPECT_EQ(empty.PaperX(0), 105);
    EXPECT_EQ(empty.PaperY(0), 134);
}

class FakeSection final : public PageSource {
public:
    int PageCount() const override { return 2; }
    PaperMm Paper() const override { return {297, 210}; }
    void DrawPage(rave::DrawingSurface&, int page) override { drawn.push_back(page); }
    std::vector<int> drawn;
};

// A site of `points` soundings 3 m deep, one self-sinking row at 1 m in each.
PreparedSite MakeSite(int points) {
    PreparedSite site;
    for (int p = 0; p < points; ++p) {
        PreparedPoint point;
        point.document = std::make_unique<ravelog::SoundingDocument>();
        ravelog::SoundingDocument& d = *point.document;
        d.header[ravelog::slot::kPointNumber] = "No." + std::to_string(p + 1);
        const char* rows[][4] = {
            {"0.50", "1.00", "4", "16"}, {"1.00", "0.50", "0", "0"}, {"3.00", "1.00", "20", "40"}};
        int i = 0;
        for (const auto& r : rows) {
            ravelog::MeasuredRow& row = d.Row(++i);
            row[ravelog::field::kDepth] = r[0];
            row[ravelog::field::kLoad] = r[1];
            row[ravelog::field::kHalfTurns] = r[2];
            row[ravelog::field::kNsw] = r[3];
        }
        point.sheetPages = ravelog::CountReportPages(d);
        point.summary = SummarizePoint(d, site.startup.settings, 0.5, "");
        site.report.points.push_back({"p.sdw", std::nullopt, ""});
        site.points.push_back(std::move(point));
    }
    return site;
}

std::vector<std::string> Titles(const SitePages& pages) {
    std::vector<std::string> titles;
    for (const ContentsEntry& entry : pages.Contents()) {
        titles.push_back(entry.title);
    }
    return titles;
}

TEST(SitePages, LeavesOutPartsWithNothingToShow) {
    const std::vector<std::string> sheets = {"測点 No.1 試験結果", "測点 No.2 試験結果"};
    struct Case {
        const char* name;
        bool position;
        int photos;
        bool section;
        bool findings;
        std::vector<std::string> titles;
        int pages;
    };
    const std::string cover = "地盤調査報告書", overview = "調査概要", plan = "調査位置図",
                      columns = "柱状図一覧", notice = "告示第1113号による検討", section = "推定断面図",
                      photos = "写真", findings = "考察";
    const Case cases[] = {
        {"bare", false, 0, false, false, {cover, overview, columns, notice, sheets[0], sheets[1]}, 6},
        {"placed", true, 0, false, false, {cover, overview, plan, columns, notice, sheets[0], sheets[1]}, 7},
        // Five photographs with short captions: four a page.
        {"everything",
         true,
         5,
         true,
         true,
         {cover, overview, plan, columns, notice, sheets[0], sheets[1], section, photos, findings},
         12},
    };
    for (const Case& c : cases) {
        PreparedSite site = MakeSite(2);
        site.report.points[1].position = c.position ? std::optional(PlanPoint{1, 2}) : std::nullopt;
        for (int i = 0; i < c.photos; ++i) {
            site.report.photos.push_back({"p.png", "写真"});
        }
        site.report.findings = c.findings ? "所見" : "";
        FakeSection fake;
        SitePageOptions options;
        options.section = c.section ? &fake : nullptr;
        const SitePages pages(site, options);
        EXPECT_EQ(Titles(pages), c.titles) << c.name;
        EXPECT_EQ(pages.PageCount(), c.pages) << c.name;
        const ContentsEntry& last = pages.Contents().back();
        EXPECT_EQ(last.firstPage + last.pageCount - 1, c.pages) << c.name;
        if (c.section) {
            EXPECT_EQ(pages.Paper(8), (PaperMm{297, 210}));  // the section's pages keep its paper
            EXPECT_EQ(pages.Paper(10), kA4Portrait);
            rave::RecordingSurface surface(254, 254, {2100, 2970});
            pages.DrawPage(surface, 9);
            EXPECT_EQ(fake.drawn, std::vector<int>{2});
        }
    }
    // Seven points need two pages of columns; the tables hold them on one.
    const PreparedSite seven = MakeSite(7);
    const SitePages pages(seven, {});
    EXPECT_EQ(pages.Contents()[2].title, columns);
    EXPECT_EQ(pages.Contents()[2].pageCount, 2);
    EXPECT_EQ(pages.Contents()[1].pageCount, 1);
}

TEST(SitePages, DrawsPhotographsInTheirOwnProportions) {
    PreparedSite site = MakeSite(1);
    site.report.photos = {{"wide.png", "横長"}, {"tall.png", "縦長"}, {"broken.png", "読めない"}};
    SitePageOptions options;
    options.decodeImage = [](const std::filesystem::path& file) -> std::optional<rave::SurfaceBitmap> {
        if (file.filename() == "broken.png") {
            return std::nullopt;
        }
        const bool wide = file.filename() == "wide.png";
        rave::SurfaceBitmap bitmap{wide ? 400 : 100, wide ? 100 : 300, {}};
        bitmap.pixels.assign(static_cast<std::size_t>(bitmap.width * bitmap.height), rave::kWhite);
        return bitmap;
    };
    const SitePages pages(site, options);
    const ContentsEntry& photos = pages.Contents()[5];
    ASSERT_EQ(photos.title, "写真");
    const int photoPage = photos.firstPage;
    rave::RecordingSurface surface(254, 254, {2100, 2970});  // A4 at 10 device units a millimetre
    pages.DrawPage(surface, photoPage);
    std::vector<double> ratios;
    for (const rave::RecordedCall& call : surface.CallsOf(rave::SurfaceCall::kStretchBitmap)) {
        ratios.push_back(static_cast<double>(call.rect.right - call.rect.left) /
                         (call.rect.bottom - call.rect.top));
    }
    ASSERT_EQ(ratios.size(), 2u);  // the unreadable one is a framed box with its name
    EXPECT_NEAR(ratios[0], 4.0, 0.05);
    EXPECT_NEAR(ratios[1], 1.0 / 3.0, 0.01);
}

}  // namespace
}  // namespace site

namespace site {
namespace {

TEST(SiteFindings, DraftNamesTheLayersOfEachBandAndTheDeepestPoint) {
    const PreparedSite site = MakeSite(2);
    std::vector<PointSummary> rows = {site.points[0].summary, site.points[1].summary};
    rows[1].depth = 3.5;
    // Both points sank from 0.5 to 1.0 m under 0.5 kN: inside F .. F + 2 for F = 0.5, above it for F = 1.
    const std::string shallow = DraftFindings(rows, 0.5, std::nullopt);
    EXPECT_NE(shallow.find("No.1(GL-0.50〜1.00m, Wsw 0.50kN)、No.2(GL-0.50〜1.00m"), std::string::npos)
        << shallow;
    EXPECT_NE(shallow.find("沈下の検討が求められる"), std::string::npos);
    EXPECT_NE(shallow.find("No.2 の GL-3.50 m"), std::string::npos);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = SummarizePoint(*site.points[i].document, site.startup.settings, 1.0, "");
    }
    const std::string deep = DraftFindings(rows, 1.0, std::nullopt);
    EXPECT_NE(deep.find("2 m 以内に荷重 1kN 以下の自沈層は認められなかった"), std::string::npos) << deep;
    EXPECT_NE(deep.find("沈下の検討を求める自沈層はない"), std::string::npos);
}

}  // namespace
}  // namespace site
