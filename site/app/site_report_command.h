// Ravelog's "報告書(&R)..." command: added to the file menu after PDF出力 by the executable (so
// Ravelog's own window knows nothing of the report). It opens the report window over the main
// window, with the sounding in hand offered as the first point; a second use brings the open
// report window to the front.
#pragma once

#include "site/app/site_report_window.h"

namespace ravelog::app {
class MainFrame;
}

namespace site::app {

// The command number of the action (kept as its data()).
inline constexpr int kSiteReportCommand = 32807;

// Adds the command to `frame`'s file menu; the window it opens uses `services`.
QAction* InstallSiteReportCommand(ravelog::app::MainFrame& frame, SiteWindowServices services);

}  // namespace site::app
