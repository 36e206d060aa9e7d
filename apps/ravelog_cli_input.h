// Reading a sounding for a verb. The desktop program opens whatever the menu's Open accepts; a
// script that renders or converts a file must not report success for a file that held nothing,
// so the command line also refuses binary files and files without a header or measured rows.
#pragma once

#include <string>

#include "ravelog/document/sounding_document.h"
#include "ravelog/document/sounding_file.h"

namespace ravelog::cli {

struct CommandContext;

// Opens `file` as the menu's Open does (without remembering its folder). Returns the version
// read, or kVersionUnknown with the reason on stderr.
SoundingFileVersion OpenSoundingForCommandLine(SoundingDocument& document, CommandContext& context,
                                               const std::string& file);

}  // namespace ravelog::cli
