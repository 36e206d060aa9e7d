// The self-sinking verdict in format 3's special notes: drawn only when the settings ask for it
// and hold a usable footing depth, after the last note line and inside the notes band.
#include <gtest/gtest.h>

#include <algorithm>

#include "ravelog/report/conversion_sheet.h"
#include "ravelog/report/self_sinking_note.h"
#include "sheet_test_fixture.h"

namespace ravelog {
namespace {

using testing::SheetFixture;

constexpr char kVerdictStart[] = "自沈層（告示第1113号）";

std::vector<rave::RecordedCall> VerdictTexts(const SheetFixture& f) {
    std::vector<rave::RecordedCall> found;
    for (const rave::RecordedCall& call : f.surface.CallsOf(rave::SurfaceCall::kTextOut)) {
        if (call.text.starts_with(kVerdictStart)) {
            found.push_back(call);
        }
    }
    return found;
}

// Three rows: one sinking under 0.75 kN down to 0.75 m, one turning, one sinking under 1 kN at
// 3.00 m (too heavy for the lower band).
void SetRows(SheetFixture& f) {
    f.document.header[34] = "0";
    f.SetRow(1, "0.75", "0.75", "0");
    f.SetRow(2, "1.00", "1.00", "12");
    f.document.Row(2)[field::kHalfTurns] = "3";
    f.SetRow(3, "3.00", "1.00", "0");
}

TEST(SelfSinkingNote, DrawnOnlyWhenSwitchedOnWithAUsableDepth) {
    const struct {
        const char* on;
        const char* depth;
        bool drawn;
    } cases[] = {{"", "", false},     {"0", "0.50", false}, {"1", "", false},
                 {"1", "abc", false}, {"1", "-1", false},   {"1", "0.50", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.on) + " / " + c.depth);
        SheetFixture f;
        SetRows(f);
        f.settings.Line(rave::sysline::kSelfSinkingNote) = c.on;
        f.settings.Line(rave::sysline::kFootingDepth) = c.depth;
        DrawConversionSheet(f.context);
        EXPECT_EQ(VerdictTexts(f).size(), c.drawn ? 1u : 0u);
        // With no notes of its own the heading comes only with the verdict.
        EXPECT_EQ(f.TextsEqual("特記事項").size(), c.drawn ? 1u : 0u);
    }
}

TEST(SelfSinkingNote, TextNamesTheDepthTheBandsAndTheVerdict) {
    SheetFixture f;
    SetRows(f);
    f.settings.Line(rave::sysline::kSelfSinkingNote) = "1";
    f.settings.Line(rave::sysline::kFootingDepth) = "0.5";
    DrawConversionSheet(f.context);
    const auto verdict = VerdictTexts(f);
    ASSERT_EQ(verdict.size(), 1u);
    EXPECT_EQ(verdict[0].text,
              "自沈層（告示第1113号）基礎底部GL-0.50m：2m以内あり、2～5mなし(5m未達)→沈下検討 必要");

    SelfSinkingCheck clear;
    clear.footingDepth = 1.0;
    clear.reaches5m = true;
    EXPECT_EQ(SelfSinkingNoteText(clear),
              "自沈層（告示第1113号）基礎底部GL-1.00m：2m以内なし、2～5mなし→沈下検討 不要");
}

TEST(SelfSinkingNote, FollowsTheLastNoteLineAndStaysInTheBand) {
    for (int notes = 0; notes <= 3; ++notes) {
        SCOPED_TRACE(notes);
        SheetFixture f;
        SetRows(f);
        f.settings.Line(rave::sysline::kSelfSinkingNote) = "1";
        f.settings.Line(rave::sysline::kFootingDepth) = "0.50";
        for (int i = 0; i < notes; ++i) {
            f.document.header[24 + i] = "note";
        }
        DrawConversionSheet(f.context);
        const auto verdict = VerdictTexts(f);
        ASSERT_EQ(verdict.size(), 1u);
        const int y = verdict[0].points[0].y;
        EXPECT_EQ(verdict[0].points[0].x, f.X(18.0));
        for (const rave::RecordedCall& note : f.TextsEqual("note")) {
            EXPECT_LT(note.points[0].y, y);
        }
        EXPECT_GE(y, f.Y(245.4));
        // The text's top stays at least a line height above the band's bottom rule.
        EXPECT_LE(y, f.Y(257.0 - (257.0 - 245.4) / 4.0));
    }
}

}  // namespace
}  // namespace ravelog
