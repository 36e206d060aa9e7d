// The default printer's physical page, read without showing a dialog.
#pragma once

#include <optional>

namespace rave::platform {

struct PrinterPageInfo {
    int widthUnits = 0;  // the whole sheet of paper in the printer's dots
    int heightUnits = 0;
    int dpiX = 0;
    int dpiY = 0;
};

// Nothing when no printer is installed (or none is the default).
std::optional<PrinterPageInfo> DefaultPrinterPage();

}  // namespace rave::platform
