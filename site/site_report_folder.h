// Moving a site report to another folder: the report file stores the names of its soundings,
// photographs and section relative to its own folder, so a report saved under another folder
// (名前を付けて保存) must name the same files relative to the new one.
#pragma once

#include <filesystem>
#include <optional>

#include "site/site_report.h"

namespace site {

// `report` with every stored file name re-expressed for a report file in `to` instead of `from`
// (an empty folder: names stored as full paths). Nothing when a name cannot be written in cp932.
std::optional<SiteReport> MoveReportFolder(const SiteReport& report, const std::filesystem::path& from,
                                           const std::filesystem::path& to);

}  // namespace site
