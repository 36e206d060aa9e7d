// Paging, scrolling and moving the figure.
#include "ravesect/settings/section_paging.h"

#include <algorithm>
#include <cmath>

namespace ravesect {

namespace {

constexpr double kSame = 0.0001;
constexpr double kScrollUpStep = 10.0;
constexpr double kScrollDownStep = 20.0;
constexpr double kFigureMargin = 5.0;
constexpr int kMaxPrintedPages = 10000;

int PageStep(const SectionSettings& settings) {
    return settings.distancePerPage - settings.pageOverlapDistance;
}

}  // namespace

SectionViewPosition SectionViewPosition::AtSettings(const SectionSettings& settings) {
    return {static_cast<double>(settings.leftEnd), settings.topElevation, false};
}

bool CanPageNext(const SectionViewPosition& view, const SectionSettings& settings, const SectionSpan& span) {
    return span.lastDistance + 1.0 >= view.shownLeftEnd + settings.distancePerPage;
}

bool PageNext(SectionViewPosition& view, const SectionSettings& settings, const SectionSpan& span) {
    if (view.printing || !CanPageNext(view, settings, span) || PageStep(settings) <= 0) {
        return false;
    }
    view.shownLeftEnd += PageStep(settings);
    return true;
}

bool CanPagePrevious(const SectionViewPosition& view) {
    return view.shownLeftEnd > 0.0;
}

bool PagePrevious(SectionViewPosition& view, const SectionSettings& settings) {
    if (view.printing || !(std::fabs(view.shownLeftEnd - settings.leftEnd) > kSame)) {
        return false;
    }
    view.shownLeftEnd =
        std::max(view.shownLeftEnd - PageStep(settings), static_cast<double>(settings.leftEnd));
    return true;
}

bool ScrollUp(SectionViewPosition& view, const SectionSettings& settings) {
    if (view.printing || !(std::fabs(view.shownTop - settings.topElevation) >= kSame)) {
        return false;
    }
    view.shownTop = std::min(view.shownTop + kScrollUpStep, settings.topElevation);
    return true;
}

bool ScrollDown(SectionViewPosition& view, const SectionSettings& settings) {
    if (view.printing || !(-view.shownTop < settings.topElevation + kScrollDownStep)) {
        return false;
    }
    view.shownTop -= kScrollDownStep;
    return true;
}

rave::Message FigureOutOfViewMessage() {
    return rave::Message{kFigureMoveOutOfView,
                         "まもなく図が画面外です.　メニューの\n「設定」-「縮尺/標尺」で数値設定できます.　",
                         {}};
}

bool MoveFigure(FigureMove move, SectionSettings& settings, const SectionSpan& span,
                rave::MessageSink& messages) {
    bool allowed = false;
    switch (move) {
        case FigureMove::kLeft:
            allowed = !(settings.leftEnd >= span.lastDistance - kFigureMargin);
            if (allowed) {
                settings.leftEnd += kFigureMoveStep;
            }
            break;
        case FigureMove::kRight:
            allowed = !(span.firstDistance + kFigureMargin >= settings.leftEnd + settings.distancePerPage);
            if (allowed) {
                settings.leftEnd -= kFigureMoveStep;
            }
            break;
        case FigureMove::kUp:
            allowed = settings.topElevation > settings.rulerBottom + kFigureMargin;
            if (allowed) {
                settings.topElevation -= kFigureMoveStep;
            }
            break;
        case FigureMove::kDown:
            allowed = settings.rulerTop - kFigureMargin > settings.topElevation - settings.depthPerPage;
            if (allowed) {
                settings.topElevation += kFigureMoveStep;
            }
            break;
    }
    if (!allowed) {
        messages.Show(FigureOutOfViewMessage());
    }
    return allowed;
}

double PrintedPageLeftEnd(const SectionSettings& settings, int page) {
    return static_cast<double>(settings.leftEnd) +
           static_cast<double>(PageStep(settings)) * (std::max(page, 1) - 1);
}

int CountPrintedPages(const SectionSettings& settings, double lastColumnDistance) {
    if (PageStep(settings) <= 0 || settings.distancePerPage <= 0) {
        return 1;
    }
    int pages = 1;
    while (pages < kMaxPrintedPages &&
           PrintedPageLeftEnd(settings, pages) + settings.distancePerPage < lastColumnDistance) {
        ++pages;
    }
    return pages;
}

}  // namespace ravesect

namespace ravesect {

SectionScrollArea ScrollAreaFor(int screenWidthPixels) {
    const int mm = screenWidthPixels < 800 ? 440 : screenWidthPixels < 1000 ? 500 : 600;
    SectionScrollArea area;
    area.size = static_cast<int>(mm * 3.779527559055118);
    area.pageStep = area.size / 4;
    area.lineStep = area.size / 16;
    return area;
}

WindowSize MainWindowSize(int screenWidth, int screenHeight) {
    return {screenWidth * 86 / 100, screenHeight * 80 / 100};
}

}  // namespace ravesect
