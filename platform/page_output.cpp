// Pages into PDF, PNG and SVG files.
#include "platform/page_output.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

#include "common/drawing/clipping_surface.h"
#include "common/text_file.h"
#include "platform/dxf_surface.h"
#include "platform/page_output_text.h"
#include "platform/qpainter_surface.h"
#include "platform/svg_surface.h"

namespace rave::platform {

namespace {

int MillimetresToDots(double mm, int dpi) {
    return std::max(1, static_cast<int>(std::lround(mm / 25.4 * dpi)));
}

// The paper of one page, mm.
std::pair<double, double> PaperOf(const PageFileOptions& options, int page) {
    return options.paperOf ? options.paperOf(page) : std::pair{options.widthMm, options.heightMm};
}

QPageSize PageSizeOf(const std::pair<double, double>& paper) {
    return QPageSize(QSizeF(paper.first, paper.second), QPageSize::Millimeter);
}

// The whole PDF, every page, in memory; its text mended so extracted text equals the sheet's.
std::optional<std::string> RenderPdf(const PageFileOptions& options, const std::vector<int>& pages,
                                     const DrawPageFunction& draw, const PageProgressFunction& progress,
                                     std::string& error) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(options.dpi);
        writer.setPageSize(PageSizeOf(PaperOf(options, pages.front())));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QString::fromStdString(options.title));
        writer.setCreator(QStringLiteral("Ravelog"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            error = "cannot start the PDF " + options.output.string();
            return std::nullopt;
        }
        for (std::size_t i = 0; i < pages.size(); ++i) {
            const std::pair<double, double> paper = PaperOf(options, pages[i]);
            if (i > 0) {
                writer.setPageSize(PageSizeOf(paper));  // taken by the page newPage starts
                writer.newPage();
            }
            const SurfaceSize page{MillimetresToDots(paper.first, options.dpi),
                                   MillimetresToDots(paper.second, options.dpi)};
            {
                QPainterSurface surface(painter, options.dpi, options.dpi, page);
                draw(surface, pages[i]);
            }
            if (progress) {
                progress(static_cast<int>(i + 1), static_cast<int>(pages.size()));
            }
        }
        painter.end();
    }
    return MendPdfText(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())), error);
}

// Pages into one DXF file, side by side with a gap of a tenth of the paper's width between them.
std::optional<std::string> RenderDxf(const PageFileOptions& options, const std::vector<int>& pages,
                                     const DrawPageFunction& draw, std::string& error) {
    const SurfaceSize page{MillimetresToDots(options.widthMm, options.dpi),
                           MillimetresToDots(options.heightMm, options.dpi)};
    const double pitchMm = page.width * 25.4 / options.dpi * 1.1;
    DxfSurface surface(options.dpi, page);
    surface.SetTotalWidth(pitchMm * (static_cast<double>(pages.size()) - 1.0) +
                          page.width * 25.4 / options.dpi);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        surface.SetPageOffset(pitchMm * static_cast<double>(i));
        // DXF has no clipping: the drawing is cut to the page and to its clip regions first. The
        // page bounds every region, also after the drawing resets its clip, so nothing of a
        // neighbouring page's drawing lands in this one.
        rave::ClippingSurface clipped(surface);
        clipped.LimitToDevice({0, 0, page.width, page.height});
        draw(clipped, pages[i]);
        SetLayerHint(surface, surface_layer::kDefault);
    }
    return surface.FileContent(error);
}

// One page as the bytes of a PNG or SVG file.
std::optional<std::string> RenderSinglePage(const PageFileOptions& options, int pageNumber,
                                            const DrawPageFunction& draw, std::string& error) {
    const std::pair<double, double> paper = PaperOf(options, pageNumber);
    const int width = MillimetresToDots(paper.first, options.dpi);
    const int height = MillimetresToDots(paper.second, options.dpi);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (options.kind == PageFileKind::kPng) {
        QImage image(width, height, QImage::Format_RGB32);
        if (image.isNull()) {
            // A size QImage can hold but memory cannot is a shortage, not a page too large.
            const bool fits = static_cast<double>(width) * height * 4 < std::numeric_limits<int>::max();
            error = fits ? "メモリが足りません (out of memory)"
                         : "the page is too large for an image at this resolution";
            return std::nullopt;
        }
        image.fill(Qt::white);
        const int dotsPerMetre = static_cast<int>(std::lround(options.dpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        {
            QPainter painter(&image);
            QPainterSurface surface(painter, options.dpi, options.dpi, {width, height});
            draw(surface, pageNumber);
        }
        if (!image.save(&buffer, "PNG")) {
            error = "cannot encode " + options.output.string();
            return std::nullopt;
        }
    } else {
        // SVG cannot carry the clip regions the drawing sets, so the drawing is clipped before
        // it gets there.
        SvgSurface surface(options.dpi, {width, height});
        surface.SetTitle(QString::fromStdString(options.title).toStdString());
        {
            rave::ClippingSurface clipped(surface);
            draw(clipped, pageNumber);
        }
        return surface.FileContent();
    }
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

std::optional<PageFileKind> PageFileKindOf(const std::filesystem::path& output) {
    std::string extension = output.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".pdf") {
        return PageFileKind::kPdf;
    }
    if (extension == ".png") {
        return PageFileKind::kPng;
    }
    if (extension == ".svg") {
        return PageFileKind::kSvg;
    }
    if (extension == ".dxf") {
        return PageFileKind::kDxf;
    }
    return std::nullopt;
}

std::filesystem::path PageFilePath(const std::filesystem::path& output, PageFileKind kind, int page,
                                   int count) {
    if (kind == PageFileKind::kPdf || count <= 1) {
        return output;
    }
    std::filesystem::path numbered = output;
    std::filesystem::path name = output.stem();
    (name += "-" + std::to_string(page)) += output.extension();
    numbered.replace_filename(name);
    return numbered;
}

std::vector<std::filesystem::path> PageFilePaths(const PageFileOptions& options,
                                                 const std::vector<int>& pages) {
    if (options.kind == PageFileKind::kPdf || (options.kind == PageFileKind::kDxf && options.oneFile)) {
        return {options.output};
    }
    std::vector<std::filesystem::path> paths;
    for (int page : pages) {
        paths.push_back(PageFilePath(options.output, options.kind, page, static_cast<int>(pages.size())));
    }
    return paths;
}

PageFileResult WritePageFiles(const PageFileOptions& options, const std::vector<int>& pages,
                              const DrawPageFunction& draw, const PageProgressFunction& progress) {
    PageFileResult result;
    if (pages.empty()) {
        result.error = "no pages to write";
        return result;
    }
    if (options.dpi < kLowestPageDpi || options.dpi > kHighestPageDpi) {
        result.error = "the resolution must lie between 10 and 1200 dpi";
        return result;
    }
    // Every page is drawn into memory first and the files are written together at the end: a
    // full disk or a missing folder leaves no partial output and keeps earlier files intact.
    std::vector<FileContent> files;
    std::string error;
    if (options.kind == PageFileKind::kPdf) {
        std::optional<std::string> pdf = RenderPdf(options, pages, draw, progress, error);
        if (!pdf) {
            result.error = error;
            return result;
        }
        files.push_back({options.output, std::move(*pdf)});
    } else if (options.kind == PageFileKind::kDxf && options.oneFile) {
        std::optional<std::string> dxf = RenderDxf(options, pages, draw, error);
        if (!dxf) {
            result.error = error;
            return result;
        }
        files.push_back({options.output, std::move(*dxf)});
        if (progress) {
            progress(static_cast<int>(pages.size()), static_cast<int>(pages.size()));
        }
    } else {
        const int count = static_cast<int>(pages.size());
        for (int i = 0; i < count; ++i) {
            const int page = pages[static_cast<std::size_t>(i)];
            std::optional<std::string> bytes = options.kind == PageFileKind::kDxf
                                                   ? RenderDxf(options, {page}, draw, error)
                                                   : RenderSinglePage(options, page, draw, error);
            if (!bytes) {
                result.error = error;
                return result;
            }
            files.push_back({PageFilePath(options.output, options.kind, page, count), std::move(*bytes)});
            if (progress) {
                progress(i + 1, count);
            }
        }
    }
    result.error = WriteFilesAtomically(files);
    if (!result.error.empty()) {
        return result;
    }
    for (const FileContent& file : files) {
        result.written.push_back(file.path);
    }
    result.ok = true;
    return result;
}

bool PrintPages(QPrinter& printer, const std::vector<int>& pages, const DrawPageFunction& draw) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            return false;
        }
        QPainterSurface surface(painter, printer.logicalDpiX(), printer.logicalDpiY(),
                                {paper.width(), paper.height()});
        draw(surface, pages[i]);
    }
    return painter.end();
}

void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    // Qt's notes about the session (no runtime folder, no window-manager hints) mean nothing to
    // a command line and would mix with the program's own messages on stderr.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", message.toUtf8().constData());
        }
    });
    static int argc = 3;
    static char name[] = "ravelog";
    static char platformOption[] = "-platform";
    static char platformName[] = "offscreen";
    static char* argv[] = {name, platformOption, platformName, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

}  // namespace rave::platform
