// The refresh of the derived data after the measured rows were edited. The row editor, the
// command line and the desktop program all call these, so the order of the steps is kept in one
// place.
#pragma once

#include <functional>

#include "common/messages.h"
#include "ravelog/document/sounding_document.h"

namespace ravelog {

// The soil-name pass over rows 1..count, bound by the caller to the soil-name tables it loaded.
// An empty function skips the pass (no tables are loaded).
using SoilNamePass = std::function<void(SoundingDocument& document, int count, rave::MessageSink& messages)>;

// After a committed row edit: the soil-name pass over rows 1..CountRows(3), RecomputeRowDerived
// for each of those rows, AssignSoilClasses and RecomputeConversions. The caller redraws.
void RefreshAfterRowEdit(SoundingDocument& document, const SoilNamePass& soilNames,
                         rave::MessageSink& messages);

// After the row editor was cancelled (opening may have put "0 " before depths): AssignSoilClasses
// and RecomputeConversions over CountRows(3).
void RefreshAfterRowEditCancelled(SoundingDocument& document, rave::MessageSink& messages);

}  // namespace ravelog
