#include "ravelog/report/conversion_sheet.h"

namespace ravelog {

void DrawConversionSheet(const SheetContext& context) { (void)context; }

}  // namespace ravelog
