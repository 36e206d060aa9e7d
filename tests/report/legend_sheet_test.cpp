// The legend sheet on the recording surface: the lines follow the table's groups and order with
// the numbers the sheets draw, columns and pages fill as the paper allows (a heading never stays
// alone at a column's foot), and a page shows its title, names, classes, swatches and page number.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/drawing/recording_surface.h"
#include "common/installed_soil_tables.h"
#include "ravelog/report/legend_sheet.h"

namespace ravelog {
namespace {

using rave::SoilNameRow;
namespace kind = rave::soil_number_kind;
namespace sc = rave::soil_class;

rave::RavelogFonts DefaultFonts() {
    rave::RavelogFonts fonts;
    for (int n = 1; n <= rave::kRavelogFontCount; ++n) {
        fonts[static_cast<std::size_t>(n - 1)] = rave::DefaultRavelogFont(n);
    }
    return fonts;
}

struct LegendFixture {
    rave::InstalledSoilTables tables;
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();  // margins 5 mm
    rave::RavelogFonts fonts = DefaultFonts();
    SheetResources resources{settings, fonts};
    rave::RecordingSurface surface{254, 254, {2100, 2970}};  // A4, 1 mm = 10 units

    LegendFixture() {
        // Line-drawing numbers and bitmap numbers differ, so a test can tell which were taken.
        const struct {
            int group;
            const char* name;
            long line;
            long tile;
            int soilClass;
        } rows[] = {{1, "砂", 400, 401, sc::kSandy},
                    {1, "粘土", 600, 601, sc::kClayey},
                    {1, "空洞", 10000, 10000, sc::kNone},
                    {3, "砂質", 1, 1, sc::kNone}};
        for (const auto& row : rows) {
            tables.jacic.AddRow(kind::kLineDrawing, row.group,
                                SoilNameRow{row.name, "_", row.line, row.soilClass});
            tables.jacic.AddRow(kind::kBitmap, row.group,
                                SoilNameRow{row.name, "_", row.tile, row.soilClass});
        }
    }

    LegendSource Source(LegendTable table = LegendTable::kJacic) const { return {tables, resources, table}; }
};

std::vector<LegendLine> Headings(int count) {
    std::vector<LegendLine> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(LegendLine{true, 1, {}, -1, 0});
    }
    return lines;
}

TEST(LegendSheet, LinesFollowTheTableGroupsWithTheNumbersTheSheetsDraw) {
    LegendFixture f;
    const std::vector<LegendLine> lines = LegendLines(f.Source());
    // Group 2 is empty and gets no heading.
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_TRUE(lines[0].heading);
    EXPECT_EQ(lines[0].group, 1);
    EXPECT_EQ(lines[1].name, "砂");
    EXPECT_EQ(lines[1].number, 400);
    EXPECT_EQ(lines[1].soilClass, sc::kSandy);
    EXPECT_EQ(lines[2].name, "粘土");
    EXPECT_EQ(lines[3].name, "空洞");
    EXPECT_TRUE(lines[4].heading);
    EXPECT_EQ(lines[4].group, 3);
    EXPECT_EQ(lines[5].name, "砂質");

    // Bitmap display of the JACIC table (line 61 = 1): the tiles' numbers.
    f.settings.SetInt(61, 1);
    EXPECT_EQ(LegendLines(f.Source())[1].number, 401);
    // The simple table is empty here: no lines, one empty page.
    EXPECT_TRUE(LegendLines(f.Source(LegendTable::kSimple)).empty());
    EXPECT_EQ(CountLegendPages(f.Source(LegendTable::kSimple), 210, 297), 1);
}

TEST(LegendSheet, ColumnsAndPagesFillAsThePaperAllows) {
    const rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    // A4 with 5 mm margins: 200 mm across gives two columns of at least 85 mm; rows from 24 mm to
    // 287 - 12 mm at 10 mm each: 25 rows.
    const LegendLayout a4 = LayOutLegend(Headings(1), 210, 297, settings);
    EXPECT_EQ(a4.columns, 2);
    EXPECT_EQ(a4.rowsPerColumn, 25);
    // A3 landscape: 410 mm across, four columns.
    EXPECT_EQ(LayOutLegend(Headings(1), 420, 297, settings).columns, 4);

    const struct {
        int lines;
        std::size_t pages;
    } cases[] = {{0, 1}, {50, 1}, {51, 2}, {100, 2}, {101, 3}};
    for (const auto& c : cases) {
        std::vector<LegendLine> lines(static_cast<std::size_t>(c.lines), LegendLine{false, 1, "x", 400, 0});
        EXPECT_EQ(LayOutLegend(lines, 210, 297, settings).pages.size(), c.pages) << c.lines << " lines";
    }

    // A heading that would stand at the foot of a column opens the next one with its first row.
    std::vector<LegendLine> lines(24, LegendLine{false, 1, "x", 400, 0});
    lines.push_back(LegendLine{true, 2, {}, -1, 0});
    lines.push_back(LegendLine{false, 2, "y", 10, 0});
    const LegendLayout layout = LayOutLegend(lines, 210, 297, settings);
    ASSERT_EQ(layout.pages.size(), 1u);
    const LegendSlot& heading = layout.pages[0][24];
    EXPECT_EQ(heading.line, 24);
    EXPECT_EQ(heading.column, 1);
    EXPECT_EQ(heading.row, 0);
    EXPECT_EQ(layout.pages[0][25].row, 1);
}

TEST(LegendSheet, PageShowsTitleNamesClassesNumbersAndSwatches) {
    LegendFixture f;
    DrawLegendPage(f.surface, f.Source(), 1, nullptr);
    const std::vector<std::string> texts = f.surface.Texts();
    const std::vector<std::string> expected = {"凡例　JACIC版土質名",
                                               "パターン：線画（カラー）",
                                               "第1群　土質名",
                                               "砂",
                                               "砂質",
                                               "400",
                                               "粘土",
                                               "粘性",
                                               "600",
                                               "空洞",
                                               "－",
                                               "10000",
                                               "第3群　質（形容土質名）",
                                               "1 / 1"};
    // In drawing order, with the column labels in between.
    auto at = texts.begin();
    for (const std::string& text : expected) {
        at = std::find(at, texts.end(), text);
        ASSERT_NE(at, texts.end()) << "missing or out of order: " << text;
    }

    // The swatch of "砂" (row 1 of column 0): 5 mm margin + 1 mm, 24 + 10 + 1 mm from the top
    // margin, 8.8 mm wide and 8 mm high; 254 dpi makes 1 mm ten units and no fixed offset is
    // added. Its frame's left edge is the line (60, 400) - (60, 480).
    const auto lines = f.surface.CallsOf(rave::SurfaceCall::kLine);
    const bool framed = std::any_of(lines.begin(), lines.end(), [](const rave::RecordedCall& call) {
        return call.points[0] == rave::SurfacePoint{60, 400} && call.points[1] == rave::SurfacePoint{60, 480};
    });
    EXPECT_TRUE(framed);
    // Pattern 400 puts ink inside that swatch.
    int inside = 0;
    for (const rave::RecordedCall& call : f.surface.Calls()) {
        if (call.kind == rave::SurfaceCall::kTextOut || call.points.empty()) {
            continue;
        }
        const rave::SurfacePoint p = call.points[0];
        inside += p.x > 60 && p.x < 148 && p.y > 400 && p.y < 480 ? 1 : 0;
    }
    EXPECT_GT(inside, 3);

    // No page beyond the last draws anything.
    rave::RecordingSurface beyond{254, 254, {2100, 2970}};
    DrawLegendPage(beyond, f.Source(), 2, nullptr);
    EXPECT_EQ(beyond.DrawingCallCount(), 0u);
}

TEST(LegendSheet, ShippedTablesFitTheirPagesAndDrawEveryName) {
    LegendFixture f;
    rave::RecordingMessageSink messages;
    rave::LoadBothSoilNameKinds(f.tables.jacic, std::string(RAVE_SOURCE_DIR) + "/data/WdtvxJG.mst", messages);
    ASSERT_TRUE(messages.shown.empty());
    const std::vector<LegendLine> lines = LegendLines(f.Source());
    const int pages = CountLegendPages(f.Source(), 210, 297);
    EXPECT_EQ(pages, static_cast<int>((lines.size() + 49) / 50));
    std::vector<std::string> texts;
    for (int page = 1; page <= pages; ++page) {
        rave::RecordingSurface surface{254, 254, {2100, 2970}};
        DrawLegendPage(surface, f.Source(), page, nullptr);
        const std::vector<std::string> pageTexts = surface.Texts();
        texts.insert(texts.end(), pageTexts.begin(), pageTexts.end());
        // Nothing is drawn below the page's foot: 297 - 5 mm.
        ASSERT_TRUE(surface.InkBounds().has_value());
        EXPECT_LE(surface.InkBounds()->bottom, 2920);
    }
    for (const LegendLine& line : lines) {
        if (!line.heading) {
            EXPECT_NE(std::find(texts.begin(), texts.end(), line.name), texts.end()) << line.name;
        }
    }
}

// The shipped simple table is a short list: its legend is one A4 page.
TEST(LegendSheet, TheShippedSimpleTableFitsOnePage) {
    LegendFixture f;
    rave::RecordingMessageSink messages;
    f.tables = rave::LoadInstalledSoilTables(std::filesystem::path(RAVE_SOURCE_DIR) / "data", messages);
    EXPECT_GE(LegendLines(f.Source(LegendTable::kSimple)).size(), 20u);
    EXPECT_EQ(CountLegendPages(f.Source(LegendTable::kSimple), 210, 297), 1);
}

}  // namespace
}  // namespace ravelog
