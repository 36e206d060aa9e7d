// The "PDF出力..." command of both desktop programs: the pages the printer would get, written as
// one PDF, or as PNG or SVG pictures (OUT-1.png, OUT-2.png, ... when there are several pages),
// through the same page files the command line's render writes.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <QString>

class QWidget;

#include "common/messages.h"
#include "platform/page_output.h"

namespace rave::platform {

// The file chooser's filter, one file type each; the first is the default.
inline constexpr const char* kPageExportFilter = "PDFファイル(*.pdf);;PNG画像(*.png);;SVG画像(*.svg)";

// The name the chooser proposes for a document: its name with ".pdf".
std::filesystem::path ProposedPdfName(const std::filesystem::path& document);

// The file written for the name chosen and the file type picked in the chooser: a name ending in
// ".pdf", ".png" or ".svg" (any case) keeps it; any other name gets the picked type's extension.
std::filesystem::path PageExportTarget(const std::filesystem::path& chosen, const std::string& pickedFilter);

// Asks for the file to export to, proposing `proposed`; the file to write (see PageExportTarget), or
// nothing when the user cancels.
std::optional<std::filesystem::path> ChoosePageExportFile(QWidget* parent, const QString& proposed);

// Writes `pages` on paper of the given size to `output` (a ".pdf", ".png" or ".svg" name) at the
// command line's default resolution. A failure is shown through `messages` and leaves any earlier
// file as it was; otherwise the files written.
std::vector<std::filesystem::path> ExportPages(const std::filesystem::path& output, double widthMm,
                                               double heightMm, const std::vector<int>& pages,
                                               const DrawPageFunction& draw, MessageSink& messages);

}  // namespace rave::platform
