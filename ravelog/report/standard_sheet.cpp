#include "ravelog/report/standard_sheet.h"

namespace ravelog {

void DrawStandardSheet(const SheetContext& context, bool withEstimatedColumn) {
    (void)context;
    (void)withEstimatedColumn;
}

}  // namespace ravelog
