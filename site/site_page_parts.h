// The drawing of each part of the site report, for site_pages.cpp (not for other callers).
#pragma once

#include <string>
#include <vector>

#include "site/page_canvas.h"
#include "site/site_pages.h"
#include "site/site_plan.h"

namespace site::parts {

// The point names in the report's order.
std::vector<std::string> PointNames(const PreparedSite& site);

void DrawCover(PageCanvas& canvas, const PreparedSite& site, const std::vector<ContentsEntry>& contents);
void DrawOverview(PageCanvas& canvas, const PreparedSite& site, int pageIndex);
void DrawNotice(PageCanvas& canvas, const PreparedSite& site, int pageIndex);
void DrawPlanPage(PageCanvas& canvas, const PreparedSite& site);
void DrawColumnsPage(PageCanvas& canvas, const PreparedSite& site, int pageIndex,
                     rave::MessageSink* messages);
void DrawPhotosPage(PageCanvas& canvas, const PreparedSite& site, int pageIndex, const ImageDecoder& decode);

// The findings' lines laid out on pages: how many pages, and the drawing of one.
int FindingsPageCount(const PreparedSite& site);
void DrawFindings(PageCanvas& canvas, const PreparedSite& site, int pageIndex);

// The box a picture of `width` x `height` takes inside `box`, as large as fits, centred, its
// proportions kept.
PaperBox FitPicture(int width, int height, const PaperBox& box);

// The self-sinking rows of a check merged into stretches of touching rows: from the top of the
// first to the bottom of the last, with the lightest load among them.
std::vector<ravelog::SelfSinkingLayer> MergeStretches(const std::vector<ravelog::SelfSinkingLayer>& layers);

// "GL-0.25〜1.50m (0.50kN)" for a stretch, cp932.
std::string StretchText(const ravelog::SelfSinkingLayer& stretch);

}  // namespace site::parts
