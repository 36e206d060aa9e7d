// The pages of a site report made ready for the report window: the soundings opened and summed
// up, the section's pages opened, the pages laid out; then drawn on a printer (or the preview's)
// or written into a PDF file, the same pages everywhere.
#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "common/messages.h"
#include "site/site_pages.h"
#include "site/site_report.h"

class QPrinter;

namespace site::app {

// What the report window needs from the executable (the command line's own code).
struct SiteWindowServices {
    // The section's printed pages (what it says while drawing goes to `messages`, which outlives
    // the pages); null (with `error`, UTF-8) when it cannot be opened. Empty: a report with a
    // section cannot be drawn.
    std::function<std::unique_ptr<PageSource>(const std::filesystem::path& file, rave::MessageSink& messages,
                                              std::string& error)>
        openSection;
    // The paper of the sounding sheets (the printer's); empty: A4 portrait.
    std::function<PaperMm(rave::MessageSink& messages)> sheetPaper;
    // Where recovery copies go; empty: the program's recovery folder.
    std::filesystem::path recoveryFolder;
};

// The prepared pages with what they draw from.
struct SiteOutput {
    std::unique_ptr<PreparedSite> site = std::make_unique<PreparedSite>();
    std::unique_ptr<PageSource> section;
    std::unique_ptr<SitePages> pages;
};

// Nothing, after saying why (naming the file at fault) on `messages`, when the report cannot be
// drawn. `folder`: where the report's names start (empty: they are full paths).
std::unique_ptr<SiteOutput> PrepareSiteOutput(const SiteReport& report, const std::filesystem::path& folder,
                                              const std::filesystem::path& installFolder,
                                              const SiteWindowServices& services,
                                              rave::MessageSink& messages);

// Draws pages `from`..`to` (1-based) on the printer, each on its own paper where the printer
// takes it (a PDF printer), else turned onto the printer's sheet. False when the printer cannot
// be started.
bool DrawSitePages(QPrinter& printer, const SiteOutput& output, int from, int to);

// Writes every page into the PDF `file` (in one step: an earlier file stays on failure). Empty
// on success, else what failed (UTF-8).
std::string WriteSitePdf(const std::filesystem::path& file, const SiteOutput& output);

}  // namespace site::app
