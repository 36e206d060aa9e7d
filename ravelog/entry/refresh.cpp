// The fixed order of the refresh after a row edit.
#include "ravelog/entry/refresh.h"

#include "ravelog/conversion/conversions.h"

namespace ravelog {

void RefreshAfterRowEdit(SoundingDocument& document, const SoilNamePass& soilNames,
                         rave::MessageSink& messages) {
    const int count = document.RowCount();
    if (soilNames) {
        soilNames(document, count, messages);
    }
    for (int i = 1; i <= count; ++i) {
        document.RecomputeRowDerived(i);
    }
    AssignSoilClasses(document, count, messages);
    RecomputeConversions(document, count);
}

void RefreshAfterRowEditCancelled(SoundingDocument& document, rave::MessageSink& messages) {
    const int count = document.RowCount();
    AssignSoilClasses(document, count, messages);
    RecomputeConversions(document, count);
}

}  // namespace ravelog
