// Whether a file chosen in Open is a section file at all.
#include "ravesect/document/section_file_verdict.h"

#include "common/text_file.h"
#include "common/text_verdict.h"
#include "ravesect/document/working_files.h"

namespace ravesect {

SectionVerdict JudgeSectionBytes(std::string_view bytes) {
    if (bytes.empty()) {
        return SectionVerdict::kEmpty;
    }
    if (rave::FindBinaryByte(bytes) != std::string_view::npos) {
        return SectionVerdict::kNotText;
    }
    rave::LineCursor cursor(bytes, kSectionLineLimit);
    std::string_view line;
    cursor.Next(line);
    if (line.rfind("$$_SW", 0) == 0 || line.find("$Z40") != std::string_view::npos) {
        return SectionVerdict::kSoundingFile;
    }
    if (line.rfind("$$_", 0) != 0) {
        return SectionVerdict::kNotSection;
    }
    // The column part must be closed: without "$$Z END" every line would land in "Tmp1.tmp" and
    // the titles, points and layers would be lost.
    while (cursor.Next(line)) {
        if (line.find("$$Z END") != std::string_view::npos) {
            return SectionVerdict::kSection;
        }
    }
    return SectionVerdict::kNotSection;
}

rave::Message NotSectionFileMessage(SectionVerdict verdict, const std::filesystem::path& path) {
    switch (verdict) {
        case SectionVerdict::kEmpty:
            return rave::Message{0, "ファイルが空です。断面図ﾌｧｲﾙではありません\n( %1 )", path.string()};
        case SectionVerdict::kSoundingFile:
            return rave::Message{0,
                                 "断面図ﾌｧｲﾙではありません\n( %1 )\n"
                                 "ｽｳｪｰﾃﾞﾝﾌｧｲﾙは データ > ｽｳｪｰﾃﾞﾝ、柱状図ﾌｧｲﾙ で断面図に配置します",
                                 path.string()};
        case SectionVerdict::kSection:
        case SectionVerdict::kNotText:
        case SectionVerdict::kNotSection:
            break;
    }
    return rave::Message{0, "断面図ﾌｧｲﾙではありません\n( %1 )", path.string()};
}

}  // namespace ravesect
