// The scale dialog's ranges, OK corrections, reopenings and standard settings.
#include <gtest/gtest.h>

#include "ravesect/settings/scale_dialog_model.h"

namespace ravesect {
namespace {

const SectionPaper kA4Landscape{297, 210};

SectionSettings FittingSettings() {
    SectionSettings s;
    s.distanceScale = 100;
    s.depthScale = 100;
    s.rulerTop = 10;
    s.rulerBottom = -10;
    s.rulerStep = 1;
    s.distancePerPage = 20;
    s.depthPerPage = 15;
    return s;
}

TEST(ScaleDialog, RangesOfTheFields) {
    EXPECT_TRUE(InScaleFieldRange(ScaleField::kDistanceScale, 20));
    EXPECT_FALSE(InScaleFieldRange(ScaleField::kDistanceScale, 19));
    EXPECT_FALSE(InScaleFieldRange(ScaleField::kDepthScale, 2001));
    EXPECT_TRUE(InScaleFieldRange(ScaleField::kTopElevation, -2000));
    EXPECT_FALSE(InScaleFieldRange(ScaleField::kLeftEnd, -101));
    EXPECT_FALSE(InScaleFieldRange(ScaleField::kRulerStep, 0));
    SectionSettings s = FittingSettings();
    EXPECT_FALSE(FirstFieldOutOfRange(s).has_value());
    s.pageOverlapDistance = 1001;
    EXPECT_EQ(FirstFieldOutOfRange(s), ScaleField::kPageOverlapDistance);
}

TEST(ScaleDialog, TypedFieldsAreReadInTheDialogsOrder) {
    // The texts of FittingSettings, then one change each: the first refused field and its message.
    const ScaleFieldTexts fitting = {"100", "100", "10", "-10", "1", "0.00", "15", "0", "0", "20", "0"};
    struct Case {
        std::vector<std::pair<ScaleField, std::string>> typed;
        std::optional<ScaleField> refused;
        std::string message;
    };
    const Case cases[] = {
        {{}, std::nullopt, ""},
        {{{ScaleField::kTopElevation, " 12.5"}}, std::nullopt, ""},
        {{{ScaleField::kDepthScale, "19"}},
         ScaleField::kDepthScale,
         "20 から 2000 までの整数を入力してください。"},
        {{{ScaleField::kRulerStep, "1.5"}, {ScaleField::kDistanceScale, "9999999999"}},
         ScaleField::kDistanceScale,
         "20 から 2000 までの整数を入力してください。"},
        // Unreadable before out of range: the earlier field is named.
        {{{ScaleField::kRulerTop, "x"}, {ScaleField::kLeftEnd, "-101"}},
         ScaleField::kRulerTop,
         "-1000 から 4000 までの整数を入力してください。"},
        {{{ScaleField::kTopElevation, "-2000.5"}},
         ScaleField::kTopElevation,
         "-2000 から 4000 までの数値を入力してください。"},
    };
    for (const Case& c : cases) {
        ScaleFieldTexts texts = fitting;
        for (const auto& [field, text] : c.typed) {
            texts[static_cast<std::size_t>(field)] = text;
        }
        SectionSettings s = FittingSettings();
        s.distanceScale = 300;  // replaced by a read that succeeds
        rave::RecordingMessageSink m;
        EXPECT_EQ(ReadScaleFields(texts, s, m), c.refused) << texts[0] << " " << c.message;
        if (c.refused) {
            ASSERT_EQ(m.shown.size(), 1u);
            EXPECT_EQ(m.shown[0].text, c.message);
            EXPECT_EQ(s.distanceScale, 300);
        } else {
            EXPECT_TRUE(m.shown.empty());
            EXPECT_EQ(s.distanceScale, 100);
        }
    }
    SectionSettings s;
    rave::RecordingMessageSink m;
    ScaleFieldTexts texts = fitting;
    texts[static_cast<std::size_t>(ScaleField::kTopElevation)] = " 12.5";
    ASSERT_FALSE(ReadScaleFields(texts, s, m));
    EXPECT_EQ(s.topElevation, 12.5);
    EXPECT_EQ(s.depthPerPage, 15);
}

TEST(ScaleDialog, SettingsThatFitPassWithoutMessages) {
    SectionSettings s = FittingSettings();
    rave::RecordingMessageSink m;
    EXPECT_TRUE(CorrectScaleSettings(s, kA4Landscape, SysqSettings::Defaults("/i"), m));
    EXPECT_TRUE(m.shown.empty());
}

TEST(ScaleDialog, RulerBelowItsBottomIsString4015AndBottomTenBelowTheTop) {
    SectionSettings s = FittingSettings();
    s.rulerBottom = 20;
    rave::RecordingMessageSink m;
    EXPECT_FALSE(CorrectScaleSettings(s, kA4Landscape, SysqSettings::Defaults("/i"), m));
    EXPECT_EQ(s.rulerBottom, 0);
    ASSERT_EQ(m.shown.size(), 1u);
    EXPECT_EQ(m.shown[0].id, kAbnormalRuler);
}

TEST(ScaleDialog, StepsAreMadePositiveAndAZeroStepIsAbnormal) {
    const SysqSettings sysq = SysqSettings::Defaults("/i");
    SectionSettings s = FittingSettings();
    s.rulerStep = -5;
    rave::RecordingMessageSink m;
    EXPECT_FALSE(CorrectScaleSettings(s, kA4Landscape, sysq, m));
    EXPECT_EQ(s.rulerStep, 5);
    EXPECT_TRUE(m.shown.empty());
    s.rulerStep = 0;
    EXPECT_FALSE(CorrectScaleSettings(s, kA4Landscape, sysq, m));
    EXPECT_EQ(s.rulerStep, 1);
    EXPECT_TRUE(m.Saw(kAbnormalRuler));
}

TEST(ScaleDialog, OverlapsAsLongAsThePageAreDroppedSilently) {
    SectionSettings s = FittingSettings();
    s.pageOverlapDistance = 20;
    s.pageOverlapDepth = 16;
    rave::RecordingMessageSink m;
    EXPECT_FALSE(CorrectScaleSettings(s, kA4Landscape, SysqSettings::Defaults("/i"), m));
    EXPECT_EQ(s.pageOverlapDistance, 0);
    EXPECT_EQ(s.pageOverlapDepth, 0);
    EXPECT_TRUE(m.shown.empty());
}

TEST(ScaleDialog, PagesLongerThanThePaperAreCutWithTheirMessages) {
    SectionSettings s = FittingSettings();
    s.distancePerPage = 100;
    s.depthPerPage = 100;
    rave::RecordingMessageSink m;
    EXPECT_FALSE(CorrectScaleSettings(s, kA4Landscape, SysqSettings::Defaults("/i"), m));
    EXPECT_EQ(s.distancePerPage, 27);
    EXPECT_EQ(s.depthPerPage, 19);
    ASSERT_EQ(m.shown.size(), 2u);
    EXPECT_EQ(m.shown[0].text, "1ページの印刷距離は\n約 27 (m)です");
    EXPECT_EQ(m.shown[1].text, "1ページの印刷深度は\n約 19 (m)です");
}

TEST(ScaleDialog, ReopensWithTheCorrectedValuesAtMostNineTimes) {
    const SysqSettings sysq = SysqSettings::Defaults("/i");
    rave::RecordingMessageSink m;
    SectionSettings s = FittingSettings();
    int openings = 0;
    // The user keeps typing an abnormal ruler.
    const ScaleDialogResult stubborn = RunScaleDialog(s, kA4Landscape, sysq, m, [&](SectionSettings& values) {
        ++openings;
        values.rulerBottom = values.rulerTop + 5;
        return true;
    });
    EXPECT_EQ(stubborn, ScaleDialogResult::kGaveUp);
    EXPECT_EQ(openings, 1 + kMaxScaleDialogReopenings);
    EXPECT_EQ(s.rulerBottom, s.rulerTop - 10);  // the values stay taken over

    // A user who accepts the corrected values gets them written on the second OK.
    SectionSettings t = FittingSettings();
    openings = 0;
    const ScaleDialogResult accepted = RunScaleDialog(t, kA4Landscape, sysq, m, [&](SectionSettings& values) {
        if (openings++ == 0) {
            values.rulerBottom = 20;
        }
        return true;
    });
    EXPECT_EQ(accepted, ScaleDialogResult::kAccepted);
    EXPECT_EQ(openings, 2);
    EXPECT_EQ(t.rulerBottom, 0);

    SectionSettings u = FittingSettings();
    EXPECT_EQ(RunScaleDialog(u, kA4Landscape, sysq, m, [](SectionSettings&) { return false; }),
              ScaleDialogResult::kCancelled);
}

TEST(ScaleDialog, PageLengthsShownAndTheBottomElevation) {
    rave::RecordingMessageSink m;
    SectionSettings s = FittingSettings();
    const PageLengthsShown shown = ShowPageLengths(s, kA4Landscape, SysqSettings::Defaults("/i"), m);
    EXPECT_EQ(shown.distanceMetres, 27);
    EXPECT_EQ(shown.depthMetres, 19);
    EXPECT_TRUE(m.shown.empty());
    const PageLengthsShown none = ShowPageLengths(s, SectionPaper{15, 15}, SysqSettings::Defaults("/i"), m);
    EXPECT_EQ(none.distanceMetres, 0);
    ASSERT_EQ(m.shown.size(), 1u);
    EXPECT_EQ(m.shown[0].text, "作図長さがありません");
    s.topElevation = 12.5;
    s.depthPerPage = 30;
    EXPECT_EQ(BottomElevationText(s), "-17.5");
}

TEST(ScaleDialog, StandardSettingsByTheDepthScale) {
    SectionDocument document;
    document.Column(1)[colfield::kDistance] = "0.00";
    document.Column(1)[colfield::kSourcePath] = "a.sdw";
    document.Column(1)[colfield::kElevation] = "12.35";
    document.Column(1)[colfield::kDepth] = "7.50";
    document.Column(2)[colfield::kDistance] = "20.00";
    document.Column(2)[colfield::kSourcePath] = "b.sdw";
    document.Column(2)[colfield::kElevation] = "8.00";
    document.Column(2)[colfield::kDepth] = "11.20";
    SectionSettings s;
    s.distanceScale = 600;  // outside 80 .. 500
    s.depthScale = 200;
    s.pageOverlapDistance = 4;
    ApplyStandardScaleSettings(s, document, kA4Landscape, SysqSettings::Defaults("/i"));
    EXPECT_EQ(s.distanceScale, 100);
    EXPECT_EQ(s.depthScale, 200);
    EXPECT_EQ(s.rulerTop, 12);
    EXPECT_EQ(s.rulerBottom, -4);  // 11.20 - 8.00 = 3.2 rounded up
    EXPECT_EQ(s.rulerStep, 5);
    EXPECT_DOUBLE_EQ(s.topElevation, 22.0);
    EXPECT_EQ(s.distancePerPage, 27);
    EXPECT_EQ(s.depthPerPage, 38);
    EXPECT_EQ(s.pageOverlapDistance, 0);
    EXPECT_EQ(s.leftEnd, -2);

    EXPECT_EQ(StandardRulerStep(450).step, 10);
    EXPECT_EQ(StandardRulerStep(450).lift, 50);
    EXPECT_EQ(StandardRulerStep(449).lift, 20);
    EXPECT_EQ(StandardRulerStep(270).lift, 20);
    EXPECT_EQ(StandardRulerStep(179).step, 2);
    EXPECT_EQ(StandardRulerStep(89).step, 1);
    EXPECT_EQ(StandardRulerStep(89).lift, 4);
}

}  // namespace
}  // namespace ravesect
