// A section opened for its printed pages, as the render verb draws them: opened through a private
// working folder, with the install folder's "Sysq.ndx", fonts, pattern colours and simple soil
// table, cut into pages across the distance direction as printing cuts it on the given paper.
// Ravesect's render and Ravelog's site report both draw sections through this.
#pragma once

#include <filesystem>
#include <memory>

#include "apps/ravesect_cli_context.h"
#include "common/drawing/drawing_surface.h"
#include "common/pattern_colors.h"
#include "common/soil_name_table.h"
#include "ravesect/drawing/section_column.h"
#include "ravesect/drawing/section_fonts.h"
#include "ravesect/settings/section_paper.h"
#include "ravesect/settings/sysq_settings.h"

namespace ravesect::cli {

class SectionPrintout {
public:
    // Opens `file` with the settings of `installFolder`; what goes wrong goes to `messages`.
    // Logs no printed page shows are named there too (the printout is still made).
    SectionPrintout(const std::filesystem::path& installFolder, const SectionPaper& paper,
                    rave::MessageSink& messages);
    SectionPrintout(const SectionPrintout&) = delete;
    SectionPrintout& operator=(const SectionPrintout&) = delete;

    // False when the file cannot be opened (the reason is on context.err) or the working folder
    // cannot be made (`error` says so).
    bool Open(CommandContext& context, const std::filesystem::path& file, std::string& error);

    int PageCount() const;
    const SectionPaper& Paper() const { return paper_; }
    // Draws printed page `page` (1-based) as printing draws it.
    void DrawPage(rave::DrawingSurface& surface, int page);

private:
    std::filesystem::path installFolder_;
    SectionPaper paper_;
    rave::MessageSink& messages_;
    PrivateWorkingFolder working_;
    SectionDocument document_;
    SysqSettings sysq_;
    SectionFonts fonts_;
    rave::PatternColorTable colours_;
    rave::SoilNameTable simple_;
    DrawingMessages drawingMessages_;  // each text once for all pages
};

}  // namespace ravesect::cli
