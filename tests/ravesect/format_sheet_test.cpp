// The format sheet's N-graph frame check and the page lengths after its OK.
#include <gtest/gtest.h>

#include "ravesect/settings/format_sheet.h"

namespace ravesect {
namespace {

TEST(FormatSheet, GridMaximumBelowTheBlowCountIsRaisedWithItsMessage) {
    SysqSettings sysq = SysqSettings::Defaults("/i");
    rave::RecordingMessageSink m;
    EXPECT_TRUE(CorrectFormatSheet(sysq, m));
    sysq.SetInt(sysqline::kMaxBlowCount, 2);
    sysq.SetInt(sysqline::kNGridMaximum, 1);
    EXPECT_FALSE(CorrectFormatSheet(sysq, m));
    EXPECT_EQ(sysq.Int(sysqline::kNGridMaximum), 2);
    ASSERT_EQ(m.shown.size(), 1u);
    EXPECT_EQ(m.shown[0].text, "Ｎ値のグラフ枠が最高打撃回数(70)より小さいです");
}

TEST(FormatSheet, ReopensAtMostFiveTimesThenLowersThePagesToTheNewMargins) {
    SysqSettings sysq = SysqSettings::Defaults("/i");
    SectionSettings settings;
    settings.distancePerPage = 27;
    settings.depthPerPage = 19;
    rave::RecordingMessageSink m;
    int openings = 0;
    const bool accepted =
        RunFormatSheet(sysq, settings, SectionPaper{297, 210}, m, [&](SysqSettings& values) {
            ++openings;
            values.SetInt(sysqline::kMaxBlowCount, 1);
            values.SetInt(sysqline::kNGridMaximum, 0);
            values.SetInt(sysqline::kLeftMargin, 30);
            values.SetInt(sysqline::kTopMargin, 40);
            return true;
        });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(openings, 1 + kMaxFormatSheetReopenings);
    EXPECT_EQ(sysq.Int(sysqline::kNGridMaximum), 1);
    EXPECT_EQ(settings.distancePerPage, 100 * (297 - 30 - 10) / 1000);
    EXPECT_EQ(settings.depthPerPage, 100 * (210 - 40 - 10) / 1000);

    SysqSettings untouched = SysqSettings::Defaults("/i");
    EXPECT_FALSE(RunFormatSheet(untouched, settings, SectionPaper{297, 210}, m, [](SysqSettings& values) {
        values.SetInt(sysqline::kLeftMargin, 90);
        return false;
    }));
    EXPECT_EQ(untouched.Int(sysqline::kLeftMargin), 10);
}

}  // namespace
}  // namespace ravesect
