// The .sdw sounding file: recognising its first line, reading it line by line (the current
// format and the older "Ver2" s*.ddf format) and writing the whole document back.
//
// File layout written by WriteSoundingFile, every line ending in CR LF:
//   magic ("$$_SWJVERAN304" for the JACIC soil-name table, "$$_SWCVERAN304" for the simple one)
//   "$$Z", header slots 1..100, one per line
//   "$$A", measured rows 1..LastUsedRow(), fields 1..11 joined by ","
//   "$$C", conversion entries while field 1 or 2 holds a number, fields 1..4 joined by ","
// The Ver2 format is only read: a "$Z40" header of 40 lines mapped onto slots, then "$A" rows of
// eight lines each (one value per line).
#pragma once

#include <string>
#include <string_view>

#include "ravelog/document/sounding_document.h"

namespace ravelog {

// 300 for the current format, 200 for Ver2, 0 for a line that starts neither.
using SoundingFileVersion = int;
inline constexpr SoundingFileVersion kVersionUnknown = 0;
inline constexpr SoundingFileVersion kVersionOld = 200;
inline constexpr SoundingFileVersion kVersionCurrent = 300;

// True for the versions the open commands accept (200..399).
constexpr bool IsReadableVersion(SoundingFileVersion version) {
    return version >= 200 && version <= 399;
}

// The version a file's first line announces. The line counts as it is delivered, so a line end
// still attached is part of its length: only lines of 4 to 31 characters are recognised.
SoundingFileVersion DetectFileVersion(std::string_view firstLine);

// The header slot that line k (1..40) of a Ver2 header fills; 0 when the line has no slot.
int OldFormatHeaderSlot(int k);

// One pass of reading a file into a document. Holds the section being read and its counters, so
// every file starts with no section selected. The document is filled as lines arrive; the caller
// clears it first.
class SoundingReadPass {
public:
    explicit SoundingReadPass(SoundingDocument& document) : document_(document) {}

    // Removes one trailing line end and feeds the line to the reader of `version`: the current
    // reader for 300 and above, the Ver2 reader for 200. Other versions read nothing.
    void ReadSoundingLine(SoundingFileVersion version, std::string_view line);

    // How far the current-format lines read so far reached: the highest header slot, row and
    // conversion entry set. Each of those was set whole, every field of it.
    int HeaderSlotsSet() const { return headerSlotsSet_; }
    int RowsSet() const { return rowsSet_; }
    int EntriesSet() const { return entriesSet_; }
    // Measured rows that held something but came after the last row the document holds.
    int RowsLeftOut() const { return rowsLeftOut_; }

private:
    void ReadCurrentLine(std::string_view line);
    void ReadOldLine(std::string_view line);

    SoundingDocument& document_;
    char section_ = '\0';  // no section selected
    int counter_ = 1;      // slot, row or entry number of the current section
    int valueLine_ = 1;    // Ver2 rows: which of the eight value lines comes next
    int headerSlotsSet_ = 0;
    int rowsSet_ = 0;
    int entriesSet_ = 0;
    int rowsLeftOut_ = 0;
};

// Line-length limits of a reading path, line end included in the count.
struct SoundingReadLimits {
    std::size_t firstLine;  // the line DetectFileVersion looks at
    std::size_t lines;      // every line passed to the readers
    bool firstLineKeepsLineEnd;
};
// The menu's Open command: 179 characters for the first line, 499 for the others, and the first
// line's line end counts towards its length when the version is recognised.
inline constexpr SoundingReadLimits kMenuOpenLimits{179, 499, true};
// Opening through the program's own document path (recent files, command line, dropped files).
inline constexpr SoundingReadLimits kFrameworkOpenLimits{399, 399, false};

// Recognises the version from the first line of `bytes` and, when it is readable, clears the
// document and reads every line into it. Returns the version; the document is untouched when it
// is not readable. `rowsLeftOut`, when given, receives the number of measured rows beyond the
// document's capacity that were not read.
SoundingFileVersion ReadSoundingBytes(SoundingDocument& document, std::string_view bytes,
                                      const SoundingReadLimits& limits, int* rowsLeftOut = nullptr);

// The whole document as file bytes. Sets header slot 32 to the depth of the last measured row
// first (empty without rows), as every save does. Every row up to the last used one is written,
// also those after a row without a depth, which the sheets and calculations do not reach: they
// are the user's data and read back as they were. Fields that hold a comma are written in double
// quotes so they read back whole; everything else is written exactly as held.
std::string WriteSoundingFile(SoundingDocument& document);

}  // namespace ravelog
