// The "DXF出力..." command of both desktop programs: the pages the printer would get, written as
// DXF files for CAD (one file per page, OUT-1.dxf, OUT-2.dxf, ... when there are several).
#pragma once

#include <filesystem>
#include <vector>

#include "common/messages.h"
#include "platform/page_output.h"

namespace rave::platform {

// The file chooser's filter and the name it proposes for a document (its name with ".dxf").
inline constexpr const char* kDxfFilter = "DXFファイル(*.dxf);;すべて(*.*)";
std::filesystem::path ProposedDxfName(const std::filesystem::path& document);

// Writes `pages` on paper of the given size. A name without an extension gets ".dxf". A failure
// is shown through `messages` and leaves any earlier file as it was; the files written otherwise.
std::vector<std::filesystem::path> ExportPagesAsDxf(std::filesystem::path output, double widthMm,
                                                    double heightMm, const std::vector<int>& pages,
                                                    const DrawPageFunction& draw, MessageSink& messages);

}  // namespace rave::platform
