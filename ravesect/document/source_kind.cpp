// Recognising the kind of a source log from its first line.
#include "ravesect/document/source_kind.h"

#include "common/foreign_text.h"
#include "common/text_file.h"
#include "ravesect/document/boring_xml.h"

namespace ravesect {

namespace {
bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}
}  // namespace

SourceKind DetectSourceKind(std::string_view firstLine) {
    if (firstLine.size() < 4 || firstLine.size() > 31) {
        return kKindUnknown;
    }
    if (Contains(firstLine, "$Z36")) {
        return kKindLineLog;
    }
    if (Contains(firstLine, "$$_CVERAN5")) {
        return kKindSimpleLog;
    }
    // "JVERAN" alone is not enough: the full magic is required.
    if (Contains(firstLine, "$$_JVERAN5")) {
        return kKindJacicLog;
    }
    if (Contains(firstLine, "$$_SWJVERAN3")) {
        return Contains(firstLine, "$$_SWJVERAN304") ? kKindSoundingJacic304 : kKindSoundingJacic;
    }
    if (Contains(firstLine, "$$_SWCVERAN3")) {
        return Contains(firstLine, "$$_SWCVERAN304") ? kKindSoundingSimple304 : kKindSoundingSimple;
    }
    if (Contains(firstLine, "$$_PDCVERAN")) {
        return kKindDynamicCone;
    }
    return kKindUnknown;
}

SourceKind DetectSourceKindOfBytes(std::string_view bytes) {
    if (LooksLikeBoringXml(bytes)) {
        return kKindBoringXml;
    }
    // The longest first line the kinds accept, so a huge one-line file is not searched whole.
    constexpr std::size_t kFirstLineLimit = 400;
    std::string converted;
    const rave::ForeignText text = rave::DecodeForeignText(bytes, converted);
    rave::LineCursor cursor(text.cp932, kFirstLineLimit);
    std::string_view line;
    return cursor.Next(line) ? DetectSourceKind(rave::StripLineEnd(line)) : kKindUnknown;
}

}  // namespace ravesect
