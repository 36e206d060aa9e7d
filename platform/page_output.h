// Pages drawn straight into files: one multi-page PDF, or one PNG, SVG or DXF file per page. The
// command lines of both programs render through here; what a page shows is the caller's
// drawing function, which receives a QPainter surface at the file's resolution.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/drawing/drawing_surface.h"

class QPrinter;

namespace rave::platform {

enum class PageFileKind { kPdf, kPng, kSvg, kDxf };

// The kind named by the file's extension (".pdf", ".png", ".svg", ".dxf", any case); nothing
// otherwise.
std::optional<PageFileKind> PageFileKindOf(const std::filesystem::path& output);

// The file page `index` (1-based) of `count` pages goes to: the output itself for a PDF or a
// single page, else OUT-1.png, OUT-2.png, ... beside it.
std::filesystem::path PageFilePath(const std::filesystem::path& output, PageFileKind kind, int index,
                                   int count);

struct PageFileOptions {
    std::filesystem::path output;
    PageFileKind kind = PageFileKind::kPdf;
    double widthMm = 210.0;  // the paper
    double heightMm = 297.0;
    int dpi = 300;         // device units per inch of the surface (and the image's pixels)
    std::string title;     // UTF-8; the PDF's and SVG's title
    bool oneFile = false;  // DXF: every page in one file, side by side, instead of one file each
    // The paper (width, height in mm) of each page where pages differ, as a report whose section
    // pages lie in landscape; empty: widthMm x heightMm for every page. PDF, PNG and SVG only.
    std::function<std::pair<double, double>(int page)> paperOf;
};

inline constexpr int kLowestPageDpi = 10;
inline constexpr int kHighestPageDpi = 1200;

// Every file WritePageFiles writes for `pages`, in order: known before anything is drawn, so a
// caller can check the names first.
std::vector<std::filesystem::path> PageFilePaths(const PageFileOptions& options,
                                                 const std::vector<int>& pages);

// Called with the surface of each page and the page's 1-based number in `pages`.
using DrawPageFunction = std::function<void(DrawingSurface& surface, int page)>;
// Called after each page with the pages done and the total.
using PageProgressFunction = std::function<void(int done, int total)>;

struct PageFileResult {
    bool ok = false;
    std::string error;  // UTF-8, when not ok
    std::vector<std::filesystem::path> written;
};

// Draws `pages` (page numbers, in order) into the output files. Every file is written to a
// temporary file first and renamed into place, so a failed run never leaves a truncated file
// in place of an earlier one. Pages are white paper of the given size.
PageFileResult WritePageFiles(const PageFileOptions& options, const std::vector<int>& pages,
                              const DrawPageFunction& draw, const PageProgressFunction& progress = {});

// Prints `pages` on the printer (or the printer a print preview hands over), one sheet of paper
// each, through the same drawing function: the printer's resolution is the surface's, its paper
// the surface's page. False when the printer cannot be started.
bool PrintPages(QPrinter& printer, const std::vector<int>& pages, const DrawPageFunction& draw);

// A QGuiApplication for fonts and painting when the process has none yet (the command line),
// on the offscreen platform so no display is needed. Qt's own debug notes and warnings are then
// kept off stderr.
void EnsureGuiApplication();

}  // namespace rave::platform
