// The desktop programs' DXF export.
#include "platform/dxf_export.h"

#include "platform/codec.h"

namespace rave::platform {

std::filesystem::path ProposedDxfName(const std::filesystem::path& document) {
    if (document.empty()) {
        return {};
    }
    std::filesystem::path proposed = document;
    return proposed.replace_extension(".dxf");
}

std::vector<std::filesystem::path> ExportPagesAsDxf(std::filesystem::path output, double widthMm,
                                                    double heightMm, const std::vector<int>& pages,
                                                    const DrawPageFunction& draw, MessageSink& messages) {
    if (!output.has_extension()) {
        output.replace_extension(".dxf");
    }
    PageFileOptions options;
    options.output = output;
    options.kind = PageFileKind::kDxf;
    options.widthMm = widthMm;
    options.heightMm = heightMm;
    options.dpi = 600;
    const PageFileResult result = WritePageFiles(options, pages, draw);
    if (!result.ok) {
        messages.Show(
            Message{0, Utf8ToCp932("DXFファイルを書き込めませんでした\n( %1 )\n" + result.error).value_or(""),
                    output.string()});
        return {};
    }
    return result.written;
}

}  // namespace rave::platform
