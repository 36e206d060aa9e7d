// The soil-name pass of the refresh: each measured row's JACIC soil name (field 9) is resolved
// against the JACIC table into the working fields the soil column is drawn from (field 12 the
// composite line-drawing code "%ld.%d", field 13 the mark, field 14 the resolved name text), and
// the JACIC pattern fill of an import, which writes the bitmap-number code into field 10.
#pragma once

#include <functional>
#include <memory>

#include "common/installed_soil_tables.h"
#include "common/messages.h"
#include "common/soil_name_table.h"
#include "ravelog/document/sounding_document.h"

namespace ravelog {

// Resolves field 9 of rows 1..count into fields 12, 13 and 14. A row without a JACIC name gets
// the three fields emptied. The class the row's own pattern number (field 10) carries after its
// "." wins over the table's class.
void RunSoilNamePass(const rave::SoilNameTable& jacic, SoundingDocument& document, int count);

// The import's fill: for rows 1..count with a JACIC name, field 10 becomes the resolved bitmap
// code "%ld.%d"; rows without a name keep their field 10.
void FillJacicPatterns(const rave::SoilNameTable& jacic, SoundingDocument& document, int count);

// The same signature as ravelog::SoilNamePass of the refresh.
using SoilNamePassFunction =
    std::function<void(SoundingDocument& document, int count, rave::MessageSink& messages)>;

// A pass bound to loaded tables (shared, so the function can outlive the caller's copy).
SoilNamePassFunction MakeSoilNamePass(std::shared_ptr<const rave::InstalledSoilTables> tables);

}  // namespace ravelog
