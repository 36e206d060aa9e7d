// Any source log Ravesect places (.sdw, .jdw, .ddw, .pdw, the boring exchange XML) as one
// summary: its name, ground elevation, depth, position, layers with their patterns, penetration
// tests or converted N values, and groundwater levels. The command line prints it as JSON.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/soil_name_table.h"
#include "ravesect/document/source_kind.h"

namespace ravesect {

struct SummaryLayer {
    double top = 0.0;
    double bottom = 0.0;
    std::string soil;  // as written (cp932)
    long pattern = 0;  // composite pattern code
};

// One N value: a standard penetration test (blows and penetration known) or a converted N of a
// sounding or log (blows and penetration unknown).
struct SummaryTest {
    double depth = 0.0;
    std::optional<int> blows;
    std::optional<double> penetrationCm;
    std::optional<double> n;
};

struct SummaryWater {
    std::string date;
    std::optional<double> depth;  // metres below the ground; none for "none" or "not observed"
};

struct SourceLogSummary {
    SourceKind kind = kKindUnknown;
    std::string name;
    std::optional<double> groundElevation;
    std::optional<double> depth;
    std::optional<double> longitude;
    std::optional<double> latitude;
    std::vector<SummaryLayer> layers;
    std::vector<SummaryTest> penetration;
    std::vector<SummaryWater> waterLevels;
    std::vector<std::string> unknownSoilNames;  // names the JACIC table does not know (XML)
    std::vector<std::string> warnings;          // values dropped or corrected (XML; cp932)
};

struct SourceLogSummaryResult {
    std::optional<SourceLogSummary> summary;
    std::string error;  // cp932
};

// The summary of a source file's bytes; soil names of an XML boring resolve through `jacic`.
// A file of no known kind, or an XML boring the reader refuses, gives the reason.
SourceLogSummaryResult SummariseSourceLog(std::string_view bytes, const rave::SoilNameTable& jacic);

}  // namespace ravesect
