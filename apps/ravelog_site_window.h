// What Ravelog's executable hands the report window: the section's pages as `ravesect render`
// draws them and the printer's paper for the sheets, both from the command line's own code, and
// the "報告書(&R)..." command on the main window's file menu.
#pragma once

#include "site/app/site_report_window.h"

namespace ravelog::app {
class MainFrame;
}

namespace ravelog::cli {

site::app::SiteWindowServices SiteWindowServices(const std::filesystem::path& installFolder);
// Adds the report command to `frame` (the desktop program's window extension).
void AddSiteReportCommand(ravelog::app::MainFrame& frame);

}  // namespace ravelog::cli
