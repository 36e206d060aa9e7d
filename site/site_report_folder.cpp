// Re-expressing a report's file names for another report folder.
#include "site/site_report_folder.h"

#include <string>

namespace site {

namespace {

bool Move(std::string& stored, const std::filesystem::path& from, const std::filesystem::path& to) {
    if (stored.empty()) {
        return true;  // no section: stays none
    }
    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(ResolveReportPath(from, stored), error);
    const std::optional<std::string> moved =
        ReportPathText(to, error ? ResolveReportPath(from, stored) : file);
    if (!moved) {
        return false;
    }
    stored = *moved;
    return true;
}

}  // namespace

std::optional<SiteReport> MoveReportFolder(const SiteReport& report, const std::filesystem::path& from,
                                           const std::filesystem::path& to) {
    SiteReport moved = report;
    bool ok = Move(moved.section, from, to);
    for (ReportPoint& point : moved.points) {
        ok = Move(point.file, from, to) && ok;
    }
    for (ReportPhoto& photo : moved.photos) {
        ok = Move(photo.file, from, to) && ok;
    }
    if (!ok) {
        return std::nullopt;
    }
    return moved;
}

}  // namespace site
