// The report window's services from the command line's section printout and printer paper.
#include "apps/ravelog_site_window.h"

#include <sstream>

#include "apps/ravelog_cli_paper.h"
#include "apps/ravesect_cli_printout.h"
#include "ravelog/app/main_frame.h"
#include "site/app/site_report_command.h"

namespace ravelog::cli {

namespace {

class SectionPrintoutPages final : public site::PageSource {
public:
    SectionPrintoutPages(const std::filesystem::path& installFolder, rave::MessageSink& messages)
        : installFolder_(installFolder),
          printout_(installFolder, ravesect::cli::DefaultSectionPaper(messages), messages) {}

    bool Open(const std::filesystem::path& file, std::string& error) {
        std::ostringstream said;
        ravesect::cli::CommandContext context(said, said);
        context.installFolder = installFolder_;
        if (printout_.Open(context, file, error)) {
            return true;
        }
        if (error.empty()) {
            error = said.str();
        }
        return false;
    }
    int PageCount() const override { return printout_.PageCount(); }
    site::PaperMm Paper() const override {
        return {static_cast<double>(printout_.Paper().widthMm),
                static_cast<double>(printout_.Paper().heightMm)};
    }
    void DrawPage(rave::DrawingSurface& surface, int page) override { printout_.DrawPage(surface, page); }

private:
    std::filesystem::path installFolder_;
    ravesect::cli::SectionPrintout printout_;
};

}  // namespace

site::app::SiteWindowServices SiteWindowServices(const std::filesystem::path& installFolder) {
    site::app::SiteWindowServices services;
    services.openSection = [installFolder](const std::filesystem::path& file, rave::MessageSink& messages,
                                           std::string& error) -> std::unique_ptr<site::PageSource> {
        auto pages = std::make_unique<SectionPrintoutPages>(installFolder, messages);
        if (!pages->Open(file, error)) {
            return nullptr;
        }
        return pages;
    };
    services.sheetPaper = [](rave::MessageSink& messages) {
        const PaperSize paper = DefaultPrinterPaper(messages);
        return site::PaperMm{static_cast<double>(paper.widthMm), static_cast<double>(paper.heightMm)};
    };
    return services;
}

void AddSiteReportCommand(ravelog::app::MainFrame& frame) {
    site::app::InstallSiteReportCommand(frame, SiteWindowServices(frame.InstallFolder()));
}

}  // namespace ravelog::cli
