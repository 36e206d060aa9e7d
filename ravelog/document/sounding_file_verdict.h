// Whether a file that was read is a sounding at all. The readers take whatever lines they are
// given; before a window shows what they read as the user's document (and Save could write it
// over the file), the program checks that the bytes are text and that something usable came of
// them: header data or measured rows.
#pragma once

#include <string>
#include <string_view>

#include "common/messages.h"
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

// Reads `bytes` as the program's own document path opens a file and judges them: the one verdict
// Ravelog and Ravesect give a file that calls itself a sounding.
SoundingVerdict JudgeSoundingBytes(std::string_view bytes);

// Why a file is not a sounding, in words for the user (cp932); empty for kSounding.
std::string SoundingVerdictText(SoundingVerdict verdict);

// What an open tells the user about rows it read but cannot use in full (cp932; each empty when
// there is nothing to say).
struct UnusedRowNotes {
    // Rows beyond the document's capacity that were not read (the count from ReadSoundingBytes).
    std::string rowsLeftOut;
    // The first row without a depth, when later rows hold data: the sheets and calculations stop
    // there, while the file keeps every row.
    std::string rowWithoutDepth;
};
UnusedRowNotes NoteUnusedRows(const SoundingDocument& read, int rowsLeftOut);

// The notes as the window shows them after an open, one message each; the row without a depth in
// the words of the measured-row editor's check.
void ShowUnusedRows(rave::MessageSink& messages, const UnusedRowNotes& notes);

}  // namespace ravelog
