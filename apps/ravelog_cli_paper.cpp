// The sheets' paper for the command line.
#include "apps/ravelog_cli_paper.h"

#include "platform/printer_paper.h"

namespace ravelog::cli {

PaperSize DefaultPrinterPaper(rave::MessageSink& messages) {
    const std::optional<rave::platform::PrinterPageInfo> printer = rave::platform::DefaultPrinterPage();
    if (!printer) {
        return PaperSizeFromPrinter(std::nullopt, messages);
    }
    return PaperSizeFromPrinter(
        PrinterPage{printer->widthUnits, printer->heightUnits, printer->dpiX, printer->dpiY}, messages);
}

}  // namespace ravelog::cli
