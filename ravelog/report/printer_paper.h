// The paper the sheets are printed on: the physical page of the default printer in whole
// millimetres. The report keeps it for the footer dialog's limits and the command line renders
// pages of this size.
#pragma once

#include <optional>

#include "common/messages.h"

namespace ravelog {

struct PaperSize {
    int widthMm = 280;
    int heightMm = 280;
    friend bool operator==(const PaperSize&, const PaperSize&) = default;
};

// Used when no printer is installed: A4 portrait.
inline constexpr PaperSize kNoPrinterPaper{210, 297};
// Used when the printer reports no resolution.
inline constexpr PaperSize kUnknownDevicePaper{280, 280};

// Message 4090 "ハードウェア、デバイスエラー": the printer reports no resolution.
inline constexpr int kDeviceErrorMessage = 4090;

// What the default printer reports: its physical page in device units and its resolution.
struct PrinterPage {
    int widthUnits = 0;
    int heightUnits = 0;
    int dpiX = 0;
    int dpiY = 0;
};

// The paper size from the default printer's page (nothing: no printer): trunc(units x 25.4 / dpi)
// each way. A resolution below 1 shows message 4090 and gives 280 x 280 mm; with no printer the
// paper is A4 portrait.
PaperSize PaperSizeFromPrinter(const std::optional<PrinterPage>& printer, rave::MessageSink& messages);

}  // namespace ravelog
