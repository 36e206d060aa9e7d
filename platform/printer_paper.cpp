// The default printer's page through Qt's printer support.
#include "platform/printer_paper.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace rave::platform {

std::optional<PrinterPageInfo> DefaultPrinterPage() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return std::nullopt;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    PrinterPageInfo page;
    page.widthUnits = paper.width();
    page.heightUnits = paper.height();
    page.dpiX = printer.logicalDpiX();
    page.dpiY = printer.logicalDpiY();
    return page;
}

}  // namespace rave::platform
