// The section view's window onto the section: paging across, scrolling up and down, moving the
// figure in 4 m steps, and the pages a print run covers.
#pragma once

#include <vector>

#include "common/messages.h"
#include "ravesect/document/section_document.h"

namespace ravesect {

inline constexpr int kFigureMoveOutOfView = 4031;  // the figure is about to leave the screen
inline constexpr int kFigureMoveStep = 4;          // m

// The shown page: normally the left-end and top-elevation settings, moved by paging and scrolling.
struct SectionViewPosition {
    double shownLeftEnd = 0.0;
    double shownTop = 0.0;
    bool printing = false;  // keys and page commands do nothing while printing

    // The settings' own page.
    static SectionViewPosition AtSettings(const SectionSettings& settings);
};

// What the last drawing saw of the section (distances of the first and last column, m).
struct SectionSpan {
    double firstDistance = 0.0;
    double lastDistance = 0.0;
};

// "次ページ（右頁）" and →: enabled while the last column + 1 reaches the end of the shown page.
bool CanPageNext(const SectionViewPosition& view, const SectionSettings& settings, const SectionSpan& span);
// The shown left end grows by (distance per page - overlap). True when it moved.
bool PageNext(SectionViewPosition& view, const SectionSettings& settings, const SectionSpan& span);
// "前ページ（左頁）" and ←: enabled while the shown left end is above 0.
bool CanPagePrevious(const SectionViewPosition& view);
// Shrinks the shown left end by (distance per page - overlap), not below the left-end setting,
// when it differs from the setting by more than 0.0001. True when it moved.
bool PagePrevious(SectionViewPosition& view, const SectionSettings& settings);

// Page Up and ↑: 10 m up, not above the top-elevation setting.
bool ScrollUp(SectionViewPosition& view, const SectionSettings& settings);
// Page Down and ↓: 20 m down while minus the shown top is below the top elevation + 20.
bool ScrollDown(SectionViewPosition& view, const SectionSettings& settings);

enum class FigureMove { kLeft, kRight, kUp, kDown };
// "図を左へ", "右へ", "上へ", "下へ": changes the settings by 4 m, or shows string 4031 and changes
// nothing when the figure would leave the page. True when the settings changed (the caller
// writes "Tmp0.tmp" and repaints).
bool MoveFigure(FigureMove move, SectionSettings& settings, const SectionSpan& span,
                rave::MessageSink& messages);
rave::Message FigureOutOfViewMessage();

// The pages a print run covers: page p starts at left end + (distance per page - overlap) x
// (p - 1); pages run from 1 to the first page whose span reaches the last column. At least one
// page; none can be counted (one page) when the step is not positive.
int CountPrintedPages(const SectionSettings& settings, double lastColumnDistance);
// The left-end distance of page p (from 1).
double PrintedPageLeftEnd(const SectionSettings& settings, int page);

}  // namespace ravesect

namespace ravesect {

// The view's scroll area: a square of s mm at 96 dots per inch, s = 440 on screens narrower than
// 800 pixels, 500 up to 999 and 600 otherwise; the page step is a quarter of it, the line step a
// sixteenth.
struct SectionScrollArea {
    int size = 0;  // logical units
    int pageStep = 0;
    int lineStep = 0;
};
SectionScrollArea ScrollAreaFor(int screenWidthPixels);

// The main window opens 86 % of the screen wide and 80 % high.
struct WindowSize {
    int width = 0;
    int height = 0;
};
WindowSize MainWindowSize(int screenWidth, int screenHeight);

}  // namespace ravesect
