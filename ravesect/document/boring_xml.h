// The national electronic-delivery boring exchange XML (one borehole per file, root element
// "ボーリング情報", versions 2.x, 3.00 and 4.00): reading a file into a borehole log, and that
// log as the normalized log a placed column keeps.
//
// A delivered file is untrusted input. The reader never loads the external DTD and never expands
// an entity: a file that declares entities, is larger than kBoringXmlMaxBytes or nests deeper
// than kBoringXmlMaxDepth is refused with a message before anything of it is used.
//
// Every text of the result is cp932, as the rest of the core keeps it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/soil_name_table.h"
#include "ravesect/document/section_document.h"
#include "ravesect/document/source_header.h"

namespace ravesect {

inline constexpr std::size_t kBoringXmlMaxBytes = 8u * 1024u * 1024u;
inline constexpr int kBoringXmlMaxDepth = 32;

struct BoringLayer {
    double top = 0.0;
    double bottom = 0.0;
    std::string soil;       // as written in the file
    std::string matchName;  // normalised for the soil-name table
};

// One standard penetration test. N is the blow count when the penetration reached 30 cm, else
// blows x 30 / penetration; zero blows (the hammer sank under its own weight) is N = 0.
struct BoringPenetration {
    double depth = 0.0;
    int blows = 0;
    std::optional<double> penetrationCm;
    double n = 0.0;
};

struct BoringWaterLevel {
    std::string date;
    std::optional<double> depth;  // metres below the ground; none when the file says -99.99
};

struct BoringLog {
    std::string version;  // "2.10", "3.00", "4.00", ...; empty when the file does not say
    std::string surveyName;
    std::string name;  // the boring name ("ボーリング名")
    std::optional<double> groundElevation;
    std::optional<double> depth;  // the total drilled length, else the deepest record
    std::optional<double> longitude;
    std::optional<double> latitude;
    std::vector<BoringLayer> layers;
    std::vector<BoringPenetration> penetration;
    std::vector<BoringWaterLevel> waterLevels;
};

struct BoringXmlResult {
    std::optional<BoringLog> log;
    std::string error;  // cp932: why the file was refused
    // cp932, one per value dropped or read otherwise than written: a number that is no number,
    // a full-width or comma-decimal number, a second kind of layers, a layer running upward, a
    // total length above the deepest record or below ground, blows beyond 0-9999.
    std::vector<std::string> warnings;
};

// True when the bytes start like an XML document whose root element is the boring exchange
// root, in any encoding the reader reads.
bool LooksLikeBoringXml(std::string_view bytes);

// Reads a file's bytes. Refuses (with a message) what is not the boring exchange XML and every
// hostile file: too large, entity declarations, nesting deeper than the limit, broken XML.
BoringXmlResult ReadBoringXml(std::string_view bytes);
// The same from a file; a missing file, or one larger than the limit, is refused without reading it.
BoringXmlResult ReadBoringXmlFile(const std::filesystem::path& path);

// N from blows and penetration in cm (none: the blows as they stand).
double PenetrationN(int blows, std::optional<double> penetrationCm);
// The N text the N-value graph reads and labels: "12", or "50/13" when the test stopped short
// of 30 cm.
std::string PenetrationText(const BoringPenetration& test);

// A layer's soil resolved through the JACIC table: the composite pattern code and its text as
// the column file keeps it ("%ld.%d"). A name the table does not know takes the table's
// "unknown" row and `known` is false.
struct BoringSoil {
    long code = 0;
    std::string patternText;
    bool known = false;
};
BoringSoil ResolveBoringSoil(const rave::SoilNameTable& table, const BoringLayer& layer);

// The normalized log of a placed column: "$$A" one row per layer (bottom, soil as written,
// pattern, boundary code 4), "$$C" one row per test (depth and N text). The soil names the
// table does not know are added to `unknownNames` (each once) when given.
NormalizedLog BoringNormalizedLog(const BoringLog& log, const rave::SoilNameTable& table,
                                  std::vector<std::string>* unknownNames = nullptr);

// The placement dialog's header read: No. (the boring name), survey name, "TP", ground
// elevation, depth, the groundwater records and the version text of the XML kind.
SourceHeader BoringSourceHeader(const BoringXmlResult& result);

}  // namespace ravesect
