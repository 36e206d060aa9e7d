// Summarising a source log: the XML boring from its own reader, every other kind from its
// header and the normalized log its parser makes.
#include "ravesect/document/source_log_summary.h"

#include "common/numbers.h"
#include "common/text_fields.h"
#include "ravesect/document/boring_xml.h"
#include "ravesect/document/source_header.h"
#include "ravesect/document/source_parsers.h"

namespace ravesect {

namespace {

std::optional<double> NumberOf(std::string_view text) {
    text = rave::TrimBlanks(text);
    if (!rave::HasLeadingNumber(text)) {
        return std::nullopt;
    }
    return rave::ParseDecimal(text);
}

SourceLogSummary FromBoring(const BoringLog& log, const rave::SoilNameTable& jacic) {
    SourceLogSummary summary;
    summary.kind = kKindBoringXml;
    summary.name = log.name;
    summary.groundElevation = log.groundElevation;
    summary.depth = log.depth;
    summary.longitude = log.longitude;
    summary.latitude = log.latitude;
    for (const BoringLayer& layer : log.layers) {
        const BoringSoil soil = ResolveBoringSoil(jacic, layer);
        summary.layers.push_back({layer.top, layer.bottom, layer.soil, soil.code});
        if (!soil.known) {
            bool listed = false;
            for (const std::string& name : summary.unknownSoilNames) {
                listed = listed || name == layer.soil;
            }
            if (!listed) {
                summary.unknownSoilNames.push_back(layer.soil);
            }
        }
    }
    for (const BoringPenetration& test : log.penetration) {
        summary.penetration.push_back({test.depth, test.blows, test.penetrationCm, test.n});
    }
    for (const BoringWaterLevel& water : log.waterLevels) {
        summary.waterLevels.push_back({water.date, water.depth});
    }
    return summary;
}

// An N text of a log: "12", "50/13" (blows over cm) or a converted N of a sounding.
SummaryTest TestFromLogRow(const LogRow& row, bool borehole) {
    SummaryTest test;
    test.depth = rave::ParseDecimal(row[0]);
    const std::string_view text = rave::TrimBlanks(row[1]);
    const std::size_t slash = text.find('/');
    const auto before = NumberOf(text.substr(0, slash));
    if (slash != std::string_view::npos) {
        const auto after = NumberOf(text.substr(slash + 1));
        if (before) {
            test.blows = static_cast<int>(*before);
            test.penetrationCm = after;
            test.n = PenetrationN(*test.blows, after);
        }
        return test;
    }
    test.n = before;
    if (borehole && before) {
        test.blows = static_cast<int>(*before);
    }
    return test;
}

SourceLogSummary FromOtherKind(const SourceHeader& header, std::string_view bytes) {
    SourceLogSummary summary;
    summary.kind = header.kind;
    summary.name = header.label;
    summary.groundElevation = NumberOf(header.elevation);
    summary.depth = NumberOf(header.depth);
    const NormalizedLog log = ParseSourceLog(header.kind, bytes);
    double top = 0.0;
    for (int r = 0; r < log.RowCount(logsection::kLayers); ++r) {
        const LogRow& row = log.Rows(logsection::kLayers)[static_cast<std::size_t>(r)];
        const double bottom = rave::ParseDecimal(row[0]);
        summary.layers.push_back({top, bottom, row[1], rave::ParseInteger(row[2])});
        top = bottom;
    }
    const bool borehole = !IsSoundingKind(header.kind);
    for (int r = 0; r < log.RowCount(logsection::kMeasured); ++r) {
        const LogRow& row = log.Rows(logsection::kMeasured)[static_cast<std::size_t>(r)];
        if (!rave::TrimBlanks(row[1]).empty()) {
            summary.penetration.push_back(TestFromLogRow(row, borehole));
        }
    }
    for (const GroundwaterRecord& record : header.records) {
        SummaryWater water{record.date, std::nullopt};
        if (record.text.empty()) {
            if (const auto level = NumberOf(record.level)) {
                water.depth = -*level;
            }
        }
        summary.waterLevels.push_back(water);
    }
    if (summary.waterLevels.empty()) {
        if (const auto level = NumberOf(header.waterLevel)) {
            summary.waterLevels.push_back({std::string(), -*level});
        }
    }
    return summary;
}

}  // namespace

SourceLogSummaryResult SummariseSourceLog(std::string_view bytes, const rave::SoilNameTable& jacic) {
    if (LooksLikeBoringXml(bytes)) {
        BoringXmlResult read = ReadBoringXml(bytes);
        if (!read.log) {
            return {std::nullopt, read.error};
        }
        SourceLogSummary summary = FromBoring(*read.log, jacic);
        summary.warnings = std::move(read.warnings);
        return {std::move(summary), {}};
    }
    const SourceHeader header = ReadSourceHeader(bytes);
    if (header.status != SourceHeader::Status::kRead) {
        // The refusal says why (no log at all, a sounding Ravelog would not open, or a character
        // cp932 lacks).
        return {std::nullopt, header.surveyName};
    }
    return {FromOtherKind(header, bytes), {}};
}

}  // namespace ravesect
