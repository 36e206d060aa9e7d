// Paging across, scrolling, moving the figure and the pages a print run covers.
#include <gtest/gtest.h>

#include "ravesect/settings/section_paging.h"
#include "ravesect/settings/section_paper.h"

namespace ravesect {
namespace {

SectionSettings PagedSettings() {
    SectionSettings s;
    s.distancePerPage = 50;
    s.pageOverlapDistance = 5;
    s.leftEnd = -2;
    s.topElevation = 15.0;
    s.depthPerPage = 30;
    s.rulerTop = 14;
    s.rulerBottom = -20;
    return s;
}

TEST(SectionPaging, PagesStepByThePageLessTheOverlap) {
    const SectionSettings s = PagedSettings();
    EXPECT_DOUBLE_EQ(PrintedPageLeftEnd(s, 1), -2.0);
    EXPECT_DOUBLE_EQ(PrintedPageLeftEnd(s, 2), 43.0);
    EXPECT_DOUBLE_EQ(PrintedPageLeftEnd(s, 3), 88.0);
}

TEST(SectionPaging, NextPageStopsAtThePageThatReachesTheLastColumn) {
    const SectionSettings s = PagedSettings();
    const SectionSpan span{0.0, 60.0};
    SectionViewPosition view = SectionViewPosition::AtSettings(s);
    EXPECT_TRUE(CanPageNext(view, s, span));
    EXPECT_TRUE(PageNext(view, s, span));
    EXPECT_DOUBLE_EQ(view.shownLeftEnd, 43.0);
    // 60 + 1 >= 43 + 50 does not hold.
    EXPECT_FALSE(CanPageNext(view, s, span));
    EXPECT_FALSE(PageNext(view, s, span));
    EXPECT_DOUBLE_EQ(view.shownLeftEnd, 43.0);
    EXPECT_EQ(CountPrintedPages(s, 60.0), 2);
    EXPECT_EQ(CountPrintedPages(s, 10.0), 1);
    EXPECT_EQ(CountPrintedPages(s, 93.5), 3);
}

TEST(SectionPaging, PreviousPageNeverGoesLeftOfTheSetting) {
    const SectionSettings s = PagedSettings();
    SectionViewPosition view{20.0, 15.0, false};
    EXPECT_TRUE(PagePrevious(view, s));
    EXPECT_DOUBLE_EQ(view.shownLeftEnd, -2.0);
    EXPECT_FALSE(PagePrevious(view, s));
    EXPECT_FALSE(CanPagePrevious(view));
}

TEST(SectionPaging, NothingMovesWhilePrinting) {
    const SectionSettings s = PagedSettings();
    SectionViewPosition view{43.0, 15.0, true};
    EXPECT_FALSE(PageNext(view, s, SectionSpan{0.0, 500.0}));
    EXPECT_FALSE(PagePrevious(view, s));
    EXPECT_FALSE(ScrollDown(view, s));
    EXPECT_DOUBLE_EQ(view.shownLeftEnd, 43.0);
}

TEST(SectionPaging, AZeroPageStepNeverLoops) {
    SectionSettings s = PagedSettings();
    s.pageOverlapDistance = 50;
    SectionViewPosition view = SectionViewPosition::AtSettings(s);
    EXPECT_FALSE(PageNext(view, s, SectionSpan{0.0, 500.0}));
    EXPECT_EQ(CountPrintedPages(s, 500.0), 1);
}

TEST(SectionScrolling, UpNotAboveTheSettingDownInTwentyMetreSteps) {
    const SectionSettings s = PagedSettings();
    SectionViewPosition view = SectionViewPosition::AtSettings(s);
    EXPECT_FALSE(ScrollUp(view, s));  // already at the top
    EXPECT_TRUE(ScrollDown(view, s));
    EXPECT_DOUBLE_EQ(view.shownTop, -5.0);
    EXPECT_TRUE(ScrollUp(view, s));
    EXPECT_DOUBLE_EQ(view.shownTop, 5.0);
    EXPECT_TRUE(ScrollUp(view, s));
    EXPECT_DOUBLE_EQ(view.shownTop, 15.0);
    // Down while minus the top is below top elevation + 20 = 35.
    view.shownTop = -35.0;
    EXPECT_FALSE(ScrollDown(view, s));
}

TEST(FigureMoves, FourMetreStepsAndString4031AtTheEdges) {
    SectionSettings s = PagedSettings();
    const SectionSpan span{0.0, 60.0};
    rave::RecordingMessageSink m;
    EXPECT_TRUE(MoveFigure(FigureMove::kLeft, s, span, m));
    EXPECT_EQ(s.leftEnd, 2);
    s.leftEnd = 55;  // at least the last column - 5
    EXPECT_FALSE(MoveFigure(FigureMove::kLeft, s, span, m));
    EXPECT_EQ(s.leftEnd, 55);
    ASSERT_EQ(m.shown.size(), 1u);
    EXPECT_EQ(m.shown[0].id, kFigureMoveOutOfView);

    s.leftEnd = -2;
    EXPECT_TRUE(MoveFigure(FigureMove::kRight, s, span, m));
    EXPECT_EQ(s.leftEnd, -6);
    s.leftEnd = -45;  // first column + 5 >= -45 + 50
    EXPECT_FALSE(MoveFigure(FigureMove::kRight, s, span, m));

    s.topElevation = 15.0;
    EXPECT_TRUE(MoveFigure(FigureMove::kUp, s, span, m));
    EXPECT_DOUBLE_EQ(s.topElevation, 11.0);
    s.topElevation = -15.0;  // not above ruler bottom + 5
    EXPECT_FALSE(MoveFigure(FigureMove::kUp, s, span, m));

    s.topElevation = 15.0;
    EXPECT_TRUE(MoveFigure(FigureMove::kDown, s, span, m));  // 9 > 15 - 30
    EXPECT_DOUBLE_EQ(s.topElevation, 19.0);
    s.topElevation = 40.0;  // 9 > 10 fails
    EXPECT_FALSE(MoveFigure(FigureMove::kDown, s, span, m));
    EXPECT_DOUBLE_EQ(s.topElevation, 40.0);
    EXPECT_EQ(m.shown.size(), 4u);
}

TEST(SectionPaper, PrinterDotsGiveMillimetresAndAMissingResolutionGives280) {
    rave::RecordingMessageSink m;
    const SectionPaper a4 = PaperFromPrinter(PrinterPageDots{7016, 4961, 600, 600}, m);
    EXPECT_EQ(a4.widthMm, 297);
    EXPECT_EQ(a4.heightMm, 210);
    EXPECT_TRUE(m.shown.empty());
    const SectionPaper none = PaperFromPrinter(PrinterPageDots{7016, 4961, 0, 600}, m);
    EXPECT_EQ(none.widthMm, 280);
    EXPECT_EQ(none.heightMm, 280);
    ASSERT_EQ(m.shown.size(), 1u);
    EXPECT_EQ(m.shown[0].text, "デバイス情報読み込みエラー");
}

TEST(SectionPaper, EmptyPageLengthsAreFilledFromThePaper) {
    const SysqSettings sysq = SysqSettings::Defaults("/install");
    SectionSettings s;
    s.distanceScale = 200;
    s.depthScale = 100;
    s.leftEnd = 7;
    s.topElevation = 0.0;
    s.rulerTop = 0;
    s.pageOverlapDepth = 3;
    EXPECT_TRUE(FillPageLengthsFromPaper(s, SectionPaper{297, 210}, sysq));
    EXPECT_EQ(s.distancePerPage, 200 * (297 - 10 - 10) / 1000);
    EXPECT_EQ(s.depthPerPage, 100 * (210 - 10 - 10) / 1000);
    EXPECT_EQ(s.leftEnd, -2);
    EXPECT_DOUBLE_EQ(s.topElevation, 5.0);
    EXPECT_EQ(s.pageOverlapDepth, 0);
    EXPECT_FALSE(FillPageLengthsFromPaper(s, SectionPaper{297, 210}, sysq));

    // A top elevation fitted to the columns stays where it is.
    SectionSettings fitted;
    fitted.rulerTop = 12;
    fitted.topElevation = 17.0;
    EXPECT_TRUE(FillPageLengthsFromPaper(fitted, SectionPaper{297, 210}, sysq));
    EXPECT_DOUBLE_EQ(fitted.topElevation, 17.0);
    EXPECT_EQ(fitted.depthPerPage, 19);
}

}  // namespace
}  // namespace ravesect

namespace ravesect {
namespace {

TEST(SectionWindow, ScrollAreaByScreenWidthAndWindowShare) {
    EXPECT_EQ(ScrollAreaFor(799).size, static_cast<int>(440 * 3.779527559055118));
    EXPECT_EQ(ScrollAreaFor(800).size, static_cast<int>(500 * 3.779527559055118));
    EXPECT_EQ(ScrollAreaFor(999).size, static_cast<int>(500 * 3.779527559055118));
    const SectionScrollArea wide = ScrollAreaFor(1920);
    EXPECT_EQ(wide.size, 2267);
    EXPECT_EQ(wide.pageStep, 2267 / 4);
    EXPECT_EQ(wide.lineStep, 2267 / 16);
    const WindowSize window = MainWindowSize(1920, 1080);
    EXPECT_EQ(window.width, 1651);
    EXPECT_EQ(window.height, 864);
}

}  // namespace
}  // namespace ravesect
