// The paper Ravelog's command line draws sheets on: the default printer's, A4 without one.
#pragma once

#include "common/messages.h"
#include "ravelog/report/printer_paper.h"

namespace ravelog::cli {

PaperSize DefaultPrinterPaper(rave::MessageSink& messages);

}  // namespace ravelog::cli
