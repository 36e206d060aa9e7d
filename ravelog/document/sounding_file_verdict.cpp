// Whether a file that was read is a sounding at all.
#include "ravelog/document/sounding_file_verdict.h"

#include "common/text_verdict.h"

namespace ravelog {

namespace {

// The titles of formats 1 and 2 do not count: opening gives empty ones the standard title.
bool HasHeaderData(const SoundingDocument& document) {
    for (int n = 1; n <= kHeaderSlots; ++n) {
        if (n != slot::kTitleFormat1 && n != slot::kTitleFormat2 && !document.header[n].empty()) {
            return true;
        }
    }
    return false;
}

}  // namespace

SoundingVerdict JudgeSoundingFile(std::string_view bytes, SoundingFileVersion version,
                                  const SoundingDocument& read) {
    if (!IsReadableVersion(version)) {
        return SoundingVerdict::kUnknownVersion;
    }
    if (rave::FindBinaryByte(bytes) != std::string_view::npos) {
        return SoundingVerdict::kNotText;
    }
    const bool hasRows = read.RowCount() > 0;
    if (!hasRows && read.LastUsedRow() > 0) {
        return SoundingVerdict::kRowsUnreadable;
    }
    if (!hasRows && !HasHeaderData(read)) {
        return SoundingVerdict::kNothingUsable;
    }
    return SoundingVerdict::kSounding;
}

}  // namespace ravelog
