// Whether a file that was read is a sounding at all. The readers take whatever lines they are
// given; before a window shows what they read as the user's document (and Save could write it
// over the file), the program checks that the bytes are text and that something usable came of
// them: header data or measured rows.
#pragma once

#include <string_view>

#include "ravelog/document/sounding_document.h"
#include "ravelog/document/sounding_file.h"

namespace ravelog {

enum class SoundingVerdict {
    kSounding,        // a sounding: open it
    kUnknownVersion,  // the first line names no readable version (an empty file too)
    kNotText,         // control bytes: an image, an archive or a damaged file
    kNothingUsable,   // neither header data nor measured rows
    kRowsUnreadable,  // the measured-row part holds lines, but not one with a depth
};

// `read` is what ReadSoundingBytes made of `bytes` (returning `version`).
SoundingVerdict JudgeSoundingFile(std::string_view bytes, SoundingFileVersion version,
                                  const SoundingDocument& read);

}  // namespace ravelog
