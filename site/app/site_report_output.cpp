// Preparing the report's pages for the window, and drawing them on a printer or into a PDF.
#include "site/app/site_report_output.h"

#include <QPageLayout>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>

#include "platform/image_file_bitmap.h"
#include "platform/page_output.h"
#include "platform/qpainter_surface.h"
#include "platform/widget_text.h"

namespace site::app {

namespace {

namespace fs = std::filesystem;
using rave::platform::FromCp932;
using rave::platform::Utf8Message;

QString FromPath(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// The paper of one page as a page layout without margins (a section's pages may lie in landscape).
QPageLayout PageLayout(const PaperMm& paper) {
    const bool landscape = paper.width > paper.height;
    const QSizeF portrait(std::min(paper.width, paper.height), std::max(paper.width, paper.height));
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF());
}

void SetPaper(QPrinter& printer, const PaperMm& paper) {
    printer.setPageLayout(PageLayout(paper));
}

}  // namespace

std::unique_ptr<SiteOutput> PrepareSiteOutput(const SiteReport& report, const fs::path& folder,
                                              const fs::path& installFolder,
                                              const SiteWindowServices& services,
                                              rave::MessageSink& messages) {
    auto output = std::make_unique<SiteOutput>();
    const std::optional<PrepareProblem> problem =
        PrepareSite(report, folder, installFolder, *output->site, messages);
    if (problem) {
        messages.Show(
            Utf8Message((problem->file.empty() ? QString() : FromPath(problem->file) + QStringLiteral("\n")) +
                        FromCp932(problem->reason)));
        return nullptr;
    }
    SitePageOptions options;
    options.decodeImage = [](const fs::path& file) { return rave::platform::ReadImageFileBitmap(file); };
    options.messages = &messages;
    if (services.sheetPaper) {
        options.sheetPaper = services.sheetPaper(messages);
    }
    if (!report.section.empty()) {
        const fs::path section = ResolveReportPath(folder, report.section);
        std::string error = "断面図を開けません。";
        if (services.openSection) {
            output->section = services.openSection(section, messages, error);
        }
        if (!output->section) {
            messages.Show(
                Utf8Message(FromPath(section) + QStringLiteral("\n") + QString::fromStdString(error)));
            return nullptr;
        }
        options.section = output->section.get();
    }
    output->pages = std::make_unique<SitePages>(*output->site, std::move(options));
    return output;
}

bool DrawSitePages(QPrinter& printer, const SiteOutput& output, int from, int to) {
    printer.setFullPage(true);
    QPainter painter;
    for (int page = from; page <= to; ++page) {
        const PaperMm paper = output.pages->Paper(page);
        if (page == from) {
            SetPaper(printer, paper);
            if (!painter.begin(&printer)) {
                return false;
            }
        } else {
            // A PDF printer takes each page's own paper; the preview keeps one paper for all its
            // pages (its engine would clip a landscape page), so there a page of the other
            // orientation is turned onto the sheet.
            if (printer.paintEngine()->type() == QPaintEngine::Pdf) {
                SetPaper(printer, paper);
            }
            if (!printer.newPage()) {
                painter.end();
                return false;
            }
        }
        const QRect sheet = printer.paperRect(QPrinter::DevicePixel).toRect();
        const bool turned = (paper.width > paper.height) != (sheet.width() > sheet.height());
        painter.save();
        if (turned) {
            painter.translate(sheet.width(), 0);
            painter.rotate(90);
        }
        {
            const QSize size = turned ? sheet.size().transposed() : sheet.size();
            rave::platform::QPainterSurface surface(painter, printer.logicalDpiX(), printer.logicalDpiY(),
                                                    {size.width(), size.height()});
            output.pages->DrawPage(surface, page);
        }
        painter.restore();
    }
    return painter.end();
}

std::string WriteSitePdf(const fs::path& file, const SiteOutput& output) {
    rave::platform::PageFileOptions options;
    options.output = file;
    options.kind = rave::platform::PageFileKind::kPdf;
    options.dpi = 600;
    options.title = "地盤調査報告書";
    options.paperOf = [&output](int page) {
        const PaperMm paper = output.pages->Paper(page);
        return std::pair{paper.width, paper.height};
    };
    std::vector<int> pages;
    for (int page = 1; page <= output.pages->PageCount(); ++page) {
        pages.push_back(page);
    }
    const rave::platform::PageFileResult result = rave::platform::WritePageFiles(
        options, pages,
        [&output](rave::DrawingSurface& surface, int page) { output.pages->DrawPage(surface, page); });
    return result.ok ? std::string() : result.error;
}

}  // namespace site::app
