// The page footer: its text from the prefix, start page and suffix of the format, its place from
// the paper's edges or below the sheet's bottom line, and the dialog's off-paper warning.
#include "ravelog/report/page_footer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "common/drawing/recording_surface.h"

namespace ravelog {
namespace {

using rave::SurfaceCall;

class PageFooterTest : public ::testing::Test {
protected:
    PageFooterTest()
        : surface(600, 600, {4960, 7016}),
          settings(rave::RavelogSettings::Defaults()),
          resources{settings, fonts, nullptr},
          mapping(rave::PatternMapping::ForDevice(600, 600, 20.0, 7.0)),
          context{surface, mapping, document, resources, &messages} {
        for (int n = 1; n <= rave::kRavelogFontCount; ++n) {
            fonts[static_cast<std::size_t>(n - 1)] = rave::DefaultRavelogFont(n);
        }
        fonts[4].size = 12.0;
        fonts[4].colour = 0x0000FF;
        mapping.originY = 5.0;
        context.page = 3;
    }

    void SetFormat(int format, const std::string& prefix, const std::string& start,
                   const std::string& suffix) {
        const int first = 71 + 3 * (format - 1);
        document.header[first] = prefix;
        document.header[first + 1] = start;
        document.header[first + 2] = suffix;
    }

    std::vector<rave::RecordedCall> Texts() const { return surface.CallsOf(SurfaceCall::kTextOut); }

    double Unit() const { return 600.0 / 25.4; }

    rave::RecordingSurface surface;
    rave::RavelogSettings settings;
    rave::RavelogFonts fonts{};
    SheetResources resources;
    SoundingDocument document;
    rave::PatternMapping mapping;
    rave::RecordingMessageSink messages;
    SheetContext context;
};

TEST(PageFooterText, PrefixPageNumberAndSuffix) {
    SoundingDocument document;
    document.header[71] = "- ";
    document.header[73] = " -";
    EXPECT_EQ(PageFooterText(document, 1, 3), "-  -") << "no start page: prefix and suffix only";
    document.header[72] = "5";
    EXPECT_EQ(PageFooterText(document, 1, 3), "- 7 -");
    EXPECT_EQ(PageFooterText(document, 1, 1), "- 5 -");
    document.header[72] = "0";
    EXPECT_EQ(PageFooterText(document, 1, 1), "- 0 -") << "a start page of 0 is still a number";

    // Each format has its own three slots.
    document.header[74] = "p.";
    document.header[75] = "10";
    EXPECT_EQ(PageFooterText(document, 2, 2), "p.11");
    document.header[78] = "1";
    document.header[79] = "頁";
    EXPECT_EQ(PageFooterText(document, 3, 4), "4頁");
    EXPECT_EQ(PageFooterText(document, 4, 1), "");
}

TEST_F(PageFooterTest, LeftAlignedFromThePaperTop) {
    SetFormat(1, "(", "1", ")");
    document.header[80] = "0";
    document.header[81] = "280";
    document.header[83] = "0";
    document.header[84] = "100";
    DrawPageFooter(context, 1, 257.0);

    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "(3)");
    EXPECT_EQ(texts[0].textAlign, rave::text_align::kLeftTop);
    // The margins are 0 for the footer; the 5 mm origin and the 50 device units still apply.
    EXPECT_EQ(texts[0].points[0].x, static_cast<int>(std::lround(100.0 * Unit())));
    EXPECT_EQ(texts[0].points[0].y, static_cast<int>(std::lround((5.0 + 280.0) * Unit() + 50.0)));
    EXPECT_EQ(texts[0].font.height, static_cast<int>(600 * 12.0 / 72.0)) << "font slot 5";
    EXPECT_EQ(texts[0].textColor, 0x0000FF);
}

TEST_F(PageFooterTest, CentredBelowTheBottomLineKeepsTheTopMargin) {
    SetFormat(2, "- ", "1", " -");
    document.header[80] = "1";
    document.header[82] = "1.6";
    document.header[83] = "1";
    document.header[85] = "105";
    DrawPageFooter(context, 2, 257.0);

    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "- 3 -");
    EXPECT_EQ(texts[0].textAlign, rave::text_align::kCenterTop);
    EXPECT_EQ(texts[0].points[0].x, static_cast<int>(std::lround(105.0 * Unit())));
    EXPECT_EQ(texts[0].points[0].y,
              static_cast<int>(std::lround((5.0 + 1.6 + 257.0) * Unit() + 7.0 * Unit() + 50.0)));
}

TEST_F(PageFooterTest, RestoresMarginsAndAlignment) {
    SetFormat(1, "", "1", "");
    document.header[83] = "1";
    DrawPageFooter(context, 1, 257.0);
    EXPECT_EQ(surface.TextAlign(), rave::text_align::kLeftTop);
    EXPECT_DOUBLE_EQ(mapping.marginX, 20.0);
    EXPECT_DOUBLE_EQ(mapping.marginY, 7.0);
}

TEST_F(PageFooterTest, EmptyTextDrawsNothing) {
    DrawPageFooter(context, 3, 257.0);
    EXPECT_TRUE(Texts().empty());
    EXPECT_DOUBLE_EQ(mapping.marginX, 20.0);
}

TEST(PageFooterPlacement, ModesChooseTheirSlots) {
    SoundingDocument document;
    document.header[81] = "270";
    document.header[82] = "2";
    document.header[84] = "30";
    document.header[85] = "90";
    PageFooterPlacement placement = PlacePageFooter(document, 257.0);
    EXPECT_FALSE(placement.centred);
    EXPECT_FALSE(placement.fromBottomLine);
    EXPECT_DOUBLE_EQ(placement.x, 30.0);
    EXPECT_DOUBLE_EQ(placement.y, 270.0);
    document.header[80] = "1";
    document.header[83] = "1";
    placement = PlacePageFooter(document, 250.0);
    EXPECT_TRUE(placement.centred);
    EXPECT_TRUE(placement.fromBottomLine);
    EXPECT_DOUBLE_EQ(placement.x, 90.0);
    EXPECT_DOUBLE_EQ(placement.y, 252.0);
}

TEST(PageFooterWarning, FromPaperHeightLessSixteenMillimetres) {
    EXPECT_TRUE(FooterMayLeavePaper(281.0, 297));
    EXPECT_FALSE(FooterMayLeavePaper(280.0, 297));
    EXPECT_TRUE(FooterMayLeavePaper(300.0, 297));
    EXPECT_FALSE(FooterMayLeavePaper(280.9, 297));
}

}  // namespace
}  // namespace ravelog
