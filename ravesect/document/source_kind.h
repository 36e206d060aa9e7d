// The kinds of source log Ravesect places along a section line, decided from a file's first line.
//
//   300  sounding file, JACIC soil names          "$$_SWJVERAN3"
//   301  the same, later revision                 "$$_SWJVERAN3" and "$$_SWJVERAN304"
//   302  sounding file, simple soil names         "$$_SWCVERAN3"
//   303  the same, later revision                 "$$_SWCVERAN3" and "$$_SWCVERAN304"
//   320  portable dynamic cone log (.pdw)         "$$_PDCVERAN"
//   400  borehole log, one value per line          "$Z36"
//   450  simple borehole log (.ddw)               "$$_CVERAN5"
//   500  JACIC-style borehole log (.jdw)          "$$_JVERAN5"
//   600  boring exchange XML (.xml)               root element "ボーリング情報"
#pragma once

#include <string_view>

namespace ravesect {

using SourceKind = int;
inline constexpr SourceKind kKindUnknown = 0;
inline constexpr SourceKind kKindSoundingJacic = 300;
inline constexpr SourceKind kKindSoundingJacic304 = 301;
inline constexpr SourceKind kKindSoundingSimple = 302;
inline constexpr SourceKind kKindSoundingSimple304 = 303;
inline constexpr SourceKind kKindDynamicCone = 320;
inline constexpr SourceKind kKindLineLog = 400;
inline constexpr SourceKind kKindSimpleLog = 450;
inline constexpr SourceKind kKindJacicLog = 500;
inline constexpr SourceKind kKindBoringXml = 600;

// The kind a first line announces (its line end already removed), or 0. Lines shorter than 4 or
// longer than 31 characters are never accepted. The tests run in the order 400, 450, 500,
// 300/301, 302/303, 320; the first that matches decides.
SourceKind DetectSourceKind(std::string_view firstLine);
// The kind of a whole file: the boring exchange XML by its root element, every other kind by
// its first line.
SourceKind DetectSourceKindOfBytes(std::string_view bytes);

constexpr bool IsSoundingKind(SourceKind kind) {
    return kind >= kKindSoundingJacic && kind <= kKindSoundingSimple304;
}
constexpr bool IsSectionedKind(SourceKind kind) {
    return kind == kKindDynamicCone || kind == kKindSimpleLog || kind == kKindJacicLog;
}
constexpr bool IsKnownKind(SourceKind kind) {
    return IsSoundingKind(kind) || IsSectionedKind(kind) || kind == kKindLineLog || kind == kKindBoringXml;
}
// Kinds whose soil names come from the JACIC table (the others use the simple table).
constexpr bool UsesJacicNames(SourceKind kind) {
    return kind == kKindSoundingJacic || kind == kKindSoundingJacic304 || kind == kKindDynamicCone ||
           kind == kKindJacicLog || kind == kKindBoringXml;
}

}  // namespace ravesect
