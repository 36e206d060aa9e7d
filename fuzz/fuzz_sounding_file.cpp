// Feeds arbitrary bytes to the sounding file readers (current and Ver2 format, with the line
// limits of the menu and of the framework path), after the decoding of UTF-8 and UTF-16 text, and
// writes what was read back out. Any crash, hang or out-of-range access is a fault: a bad file
// must only ever give a message or be skipped.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/foreign_text.h"
#include "common/text_file.h"
#include "ravelog/document/sounding_file.h"

namespace {

// The readers behind a recognised first line, run on every input whatever its first line says.
void ReadEveryLine(ravelog::SoundingDocument& document, std::string_view bytes,
                   ravelog::SoundingFileVersion version, std::size_t limit) {
    ravelog::SoundingReadPass pass(document);
    rave::LineCursor cursor(bytes, limit);
    std::string_view line;
    while (cursor.Next(line)) {
        pass.ReadSoundingLine(version, line);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    // As the open reads a file: UTF-8 and UTF-16 turned into cp932 first.
    std::string converted;
    const rave::ForeignText text = rave::DecodeForeignText(raw, converted);
    if (text.cp932.size() > raw.size() || (!text.ok && !text.cp932.empty())) {
        __builtin_trap();
    }
    const std::string_view bytes = text.ok ? text.cp932 : raw;
    static ravelog::SoundingDocument document;

    for (const ravelog::SoundingReadLimits& limits :
         {ravelog::kMenuOpenLimits, ravelog::kFrameworkOpenLimits}) {
        document.ClearSoundingData();
        const ravelog::SoundingFileVersion version = ravelog::ReadSoundingBytes(document, bytes, limits);
        if (ravelog::IsReadableVersion(version)) {
            // What was read must write and read back without trouble. (Row counts may differ: a
            // value such as $"$ reads as "$$", which the writer cannot keep from being a marker;
            // the editors refuse such text.)
            const std::string written = ravelog::WriteSoundingFile(document);
            static ravelog::SoundingDocument again;
            if (ravelog::ReadSoundingBytes(again, written, limits) != ravelog::kVersionCurrent ||
                again.RowCount() > ravelog::kMaxRows) {
                __builtin_trap();
            }
        }
    }
    for (ravelog::SoundingFileVersion version : {ravelog::kVersionCurrent, ravelog::kVersionOld}) {
        document.ClearSoundingData();
        ReadEveryLine(document, bytes, version, ravelog::kMenuOpenLimits.lines);
        (void)document.LastUsedRow();
    }
    return 0;
}
