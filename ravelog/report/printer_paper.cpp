// The paper size of the default printer.
#include "ravelog/report/printer_paper.h"

#include <cmath>

namespace ravelog {

PaperSize PaperSizeFromPrinter(const std::optional<PrinterPage>& printer, rave::MessageSink& messages) {
    if (!printer) {
        return kNoPrinterPaper;
    }
    if (printer->dpiX < 1 || printer->dpiY < 1) {
        messages.Show(rave::Message{kDeviceErrorMessage, "ハードウェア、デバイスエラー", {}});
        return kUnknownDevicePaper;
    }
    PaperSize paper;
    paper.widthMm = static_cast<int>(std::trunc(printer->widthUnits * 25.4 / printer->dpiX));
    paper.heightMm = static_cast<int>(std::trunc(printer->heightUnits * 25.4 / printer->dpiY));
    return paper;
}

}  // namespace ravelog
