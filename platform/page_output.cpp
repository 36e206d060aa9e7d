// Pages into PDF, PNG and SVG files.
#include "platform/page_output.h"

#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "platform/qpainter_surface.h"

namespace rave::platform {

namespace {

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

int MillimetresToDots(double mm, int dpi) {
    return std::max(1, static_cast<int>(std::lround(mm / 25.4 * dpi)));
}

std::string SaveError(const QSaveFile& file) {
    return "cannot write " + file.fileName().toStdString() + ": " + file.errorString().toStdString();
}

PageFileResult WritePdf(const PageFileOptions& options, const std::vector<int>& pages,
                        const DrawPageFunction& draw, const PageProgressFunction& progress) {
    PageFileResult result;
    QSaveFile file(ToQString(options.output));
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = SaveError(file);
        return result;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(options.dpi);
        writer.setPageSize(QPageSize(QSizeF(options.widthMm, options.heightMm), QPageSize::Millimeter));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(QString::fromStdString(options.title));
        writer.setCreator(QStringLiteral("Ravelog"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            result.error = "cannot start the PDF " + options.output.string();
            file.cancelWriting();
            return result;
        }
        const SurfaceSize page{MillimetresToDots(options.widthMm, options.dpi),
                               MillimetresToDots(options.heightMm, options.dpi)};
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (i > 0) {
                writer.newPage();
            }
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
    if (!file.commit()) {
        result.error = SaveError(file);
        return result;
    }
    result.written.push_back(options.output);
    result.ok = true;
    return result;
}

// One page into one PNG or SVG file.
std::string WriteSinglePage(const PageFileOptions& options, const std::filesystem::path& path, int pageNumber,
                            const DrawPageFunction& draw) {
    const int width = MillimetresToDots(options.widthMm, options.dpi);
    const int height = MillimetresToDots(options.heightMm, options.dpi);
    QSaveFile file(ToQString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        return SaveError(file);
    }
    if (options.kind == PageFileKind::kPng) {
        QImage image(width, height, QImage::Format_RGB32);
        if (image.isNull()) {
            file.cancelWriting();
            return "the page is too large for an image at this resolution";
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
        if (!image.save(&file, "PNG")) {
            file.cancelWriting();
            return "cannot encode " + path.string();
        }
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setResolution(options.dpi);
        svg.setTitle(QString::fromStdString(options.title));
        QPainter painter;
        if (!painter.begin(&svg)) {
            file.cancelWriting();
            return "cannot start the SVG " + path.string();
        }
        painter.fillRect(QRect(0, 0, width, height), Qt::white);
        {
            QPainterSurface surface(painter, options.dpi, options.dpi, {width, height});
            draw(surface, pageNumber);
        }
        painter.end();
    }
    if (!file.commit()) {
        return SaveError(file);
    }
    return {};
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
    return std::nullopt;
}

std::filesystem::path PageFilePath(const std::filesystem::path& output, PageFileKind kind, int page,
                                   int count) {
    if (kind == PageFileKind::kPdf || count <= 1) {
        return output;
    }
    std::filesystem::path numbered = output;
    numbered.replace_filename(output.stem().string() + "-" + std::to_string(page) +
                              output.extension().string());
    return numbered;
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
    if (options.kind == PageFileKind::kPdf) {
        return WritePdf(options, pages, draw, progress);
    }
    const int count = static_cast<int>(pages.size());
    for (int i = 0; i < count; ++i) {
        const int page = pages[static_cast<std::size_t>(i)];
        const std::filesystem::path path = PageFilePath(options.output, options.kind, page, count);
        const std::string error = WriteSinglePage(options, path, page, draw);
        if (!error.empty()) {
            result.error = error;
            return result;
        }
        result.written.push_back(path);
        if (progress) {
            progress(i + 1, count);
        }
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
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
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
