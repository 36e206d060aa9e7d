// Whether a file chosen in Open is a section file at all. Splitting a file into the working files
// takes any bytes; without this check an empty, binary or foreign file would open as an empty
// section named after the file, and the next Save would write that empty section over it.
#pragma once

#include <filesystem>
#include <string_view>

#include "common/messages.h"

namespace ravesect {

enum class SectionVerdict {
    kSection,       // begins with a "$$_" magic line and closes its column part with "$$Z END"
    kEmpty,         // no bytes at all
    kNotText,       // control bytes: an image, an archive or a damaged file
    kSoundingFile,  // a sounding (.sdw or Ver2): it is placed, not opened
    kNotSection,    // text, but not laid out as a section file
};

SectionVerdict JudgeSectionBytes(std::string_view bytes);

// The message the open shows for a file that is not a section file, with its path.
rave::Message NotSectionFileMessage(SectionVerdict verdict, const std::filesystem::path& path);

}  // namespace ravesect
