// A section's printed pages for the command lines.
#include "apps/ravesect_cli_printout.h"

#include "common/soil_table_editor.h"
#include "common/text_file.h"
#include "ravesect/drawing/section_coverage.h"
#include "ravesect/drawing/section_drawing.h"
#include "ravesect/settings/section_paging.h"
#include "ravesect/settings/startup_settings.h"

namespace ravesect::cli {

namespace {

double LastColumnDistance(const SectionDocument& document) {
    const int last = document.LastUsedSlot();
    return last >= 0 ? document.Column(last).Distance() : 0.0;
}

}  // namespace

SectionPrintout::SectionPrintout(const std::filesystem::path& installFolder, const SectionPaper& paper,
                                 rave::MessageSink& messages)
    : installFolder_(installFolder),
      paper_(paper),
      messages_(messages),
      sysq_(SysqSettings::Defaults(installFolder)),
      drawingMessages_(&messages) {}

bool SectionPrintout::Open(CommandContext& context, const std::filesystem::path& file, std::string& error) {
    if (!working_.ok()) {
        error = "cannot create a temporary working folder";
        return false;
    }
    if (!OpenSectionForCommandLine(context, working_, file, document_)) {
        return false;
    }
    const SectionPaths paths = DeriveSectionPaths(installFolder_);
    sysq_ = ReadSysqFile(paths.sysq, installFolder_).value_or(SysqSettings::Defaults(installFolder_));
    fonts_ = LoadSectionFonts(installFolder_, nullptr);
    if (const std::optional<std::string> bytes = rave::ReadFileBytes(paths.patternColours)) {
        colours_.LoadPatternColorBytes(*bytes);
    }
    // A missing simple table only leaves the stored numbers: it is not a failure of the render.
    if (const std::optional<std::string> bytes =
            rave::ReadFileBytes(installFolder_ / rave::SoilTableEditor::kSimpleMasterFile)) {
        simple_.LoadSoilNameBytes(*bytes, rave::soil_number_kind::kBitmap);
    }
    FillPageLengthsFromPaper(document_.settings, paper_, sysq_);
    // The paging stays as printing cuts it; logs it leaves out are named (the render succeeds).
    const std::vector<int> offPage =
        ColumnsOnNoPrintedPage(document_, document_.settings, sysq_.Real(sysqline::kNGraphWidth));
    if (!offPage.empty()) {
        messages_.Show(ColumnsOnNoPageMessage(document_, offPage));
    }
    return true;
}

int SectionPrintout::PageCount() const {
    return CountPrintedPages(document_.settings, LastColumnDistance(document_));
}

void SectionPrintout::DrawPage(rave::DrawingSurface& surface, int page) {
    const SectionDrawingResources resources{sysq_, fonts_, &colours_, &drawingMessages_, &simple_};
    DrawSectionFromColumnsFile(surface, document_, working_.files().columns, resources, true,
                               PrintedPage(document_.settings, page));
}

}  // namespace ravesect::cli
