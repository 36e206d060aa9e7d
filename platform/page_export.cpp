// The desktop programs' PDF, PNG and SVG export.
#include "platform/page_export.h"

#include <QFileDialog>

#include "common/path_text.h"
#include "platform/codec.h"
#include "platform/path_qstring.h"

namespace rave::platform {

namespace {

// The command line's default resolutions: print quality for PDF, screen-friendly pictures.
constexpr int kPdfDpi = 600;
constexpr int kPictureDpi = 300;

bool IsPictureOrPdf(const std::optional<PageFileKind>& kind) {
    return kind == PageFileKind::kPdf || kind == PageFileKind::kPng || kind == PageFileKind::kSvg;
}

}  // namespace

std::optional<std::filesystem::path> ChoosePageExportFile(QWidget* parent, const QString& proposed) {
    QString picked;
    const QString file = QFileDialog::getSaveFileName(parent, QStringLiteral("PDF出力"), proposed,
                                                      QString::fromUtf8(kPageExportFilter), &picked);
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return PageExportTarget(PathFromQString(file), picked.toStdString());
}

std::filesystem::path ProposedPdfName(const std::filesystem::path& document) {
    if (document.empty()) {
        return {};
    }
    std::filesystem::path proposed = document;
    return proposed.replace_extension(".pdf");
}

std::filesystem::path PageExportTarget(const std::filesystem::path& chosen, const std::string& pickedFilter) {
    if (IsPictureOrPdf(PageFileKindOf(chosen))) {
        return chosen;
    }
    std::string extension = ".pdf";
    if (pickedFilter.find("*.png") != std::string::npos) {
        extension = ".png";
    } else if (pickedFilter.find("*.svg") != std::string::npos) {
        extension = ".svg";
    }
    // "sheet." gets no second full stop.
    std::string name = chosen.filename().string();
    while (!name.empty() && name.back() == '.') {
        name.pop_back();
    }
    return chosen.parent_path() / rave::PathFromUtf8(name + extension);
}

std::vector<std::filesystem::path> ExportPages(const std::filesystem::path& output, double widthMm,
                                               double heightMm, const std::vector<int>& pages,
                                               const DrawPageFunction& draw, MessageSink& messages) {
    const std::optional<PageFileKind> kind = PageFileKindOf(output);
    PageFileOptions options;
    options.output = output;
    options.kind = kind.value_or(PageFileKind::kPdf);
    options.widthMm = widthMm;
    options.heightMm = heightMm;
    options.dpi = options.kind == PageFileKind::kPdf ? kPdfDpi : kPictureDpi;
    options.title = output.stem().string();
    PageFileResult result;
    if (!IsPictureOrPdf(kind)) {
        result.error = "the file type must be .pdf, .png or .svg";
    } else {
        result = WritePageFiles(options, pages, draw);
    }
    if (!result.ok) {
        messages.Show(
            Message{0, Utf8ToCp932("ファイルを書き込めませんでした\n( %1 )\n" + result.error).value_or(""),
                    output.string()});
        return {};
    }
    return result.written;
}

}  // namespace rave::platform
