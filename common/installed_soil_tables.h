// The soil-name tables and the pattern colour table as the programs load them at start-up from
// the install folder: "PtnvcJG.ndx", the JACIC master "WdtvxJG.mst" (both number kinds) and the
// simple master "WdtvxCS.mst" (both number kinds).
#pragma once

#include <filesystem>

#include "common/pattern_colors.h"
#include "common/soil_name_table.h"

namespace rave {

class MessageSink;

struct InstalledSoilTables {
    SoilNameTable jacic;
    SoilNameTable simple;
    PatternColorTable colors;
};

inline constexpr const char* kPatternColorFile = "PtnvcJG.ndx";

// Loads the three files of the install folder. A file that cannot be opened is reported once with
// the file-not-found message and its table stays empty.
InstalledSoilTables LoadInstalledSoilTables(const std::filesystem::path& installFolder,
                                            MessageSink& messages);

// Loads both number kinds of one master file into `table`, reporting a missing file once.
// The header number of the line-drawing kind, or 0.
int LoadBothSoilNameKinds(SoilNameTable& table, const std::filesystem::path& path, MessageSink& messages);

}  // namespace rave
