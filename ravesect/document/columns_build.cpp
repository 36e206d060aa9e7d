// Writing the column working file from the placed columns and their source files.
#include "ravesect/document/columns_build.h"

#include <algorithm>
#include <cmath>

#include "common/format.h"
#include "common/numbers.h"
#include "common/soil_name_table.h"
#include "common/text_file.h"
#include "ravesect/document/boring_xml.h"
#include "ravesect/document/source_header.h"
#include "ravesect/document/source_parsers.h"

namespace ravesect {

namespace {

constexpr double kUnset = 0.0001;

// Ruler step and the room above the ruler top that suit a depth scale 1/n.
void StepForDepthScale(int n, RulerRange& range) {
    int step = 1;
    int above = 4;
    if (n >= 450) {
        step = 10;
        above = 50;
    } else if (n >= 270) {
        step = 10;
        above = 20;
    } else if (n >= 180) {
        step = 5;
        above = 10;
    } else if (n >= 90) {
        step = 2;
        above = 5;
    }
    range.rulerStep = step;
    range.topElevation = range.rulerTop + above;
}

// The kind a column's source is read as: its version field, or the file's own first line when
// the field names no kind (a path typed by hand).
SourceKind KindOfSource(const PlacedColumn& column, std::string_view bytes) {
    const SourceKind kind = column.Kind();
    if (IsKnownKind(kind)) {
        return kind;
    }
    return DetectSourceKindOfBytes(bytes);
}

// A boring exchange XML column: its normalized log, its position kept in fields 16 and 17, and
// the warning that lists the soil names the table does not know. Nothing when the reader refuses
// the file (the reason shown).
std::optional<NormalizedLog> ReadBoringColumn(PlacedColumn& column, std::string_view bytes,
                                              const rave::SoilNameTable* jacicTable,
                                              const std::filesystem::path& source,
                                              rave::MessageSink& messages) {
    const BoringXmlResult read = ReadBoringXml(bytes);
    if (!read.log) {
        messages.Show(rave::Message{0, read.error + "\n( %1 )", source.string()});
        return std::nullopt;
    }
    const auto degrees = [](const std::optional<double>& value) {
        return value ? rave::FormatText("%.6f", *value) : std::string();
    };
    if (!read.warnings.empty()) {
        std::string text = "読めなかった値、読み替えた値があります\n( %1 )";
        for (const std::string& warning : read.warnings) {
            text += "\n  " + warning;
        }
        messages.Show(rave::Message{0, text, source.string()});
    }
    column[kLongitudeField] = degrees(read.log->longitude);
    column[kLatitudeField] = degrees(read.log->latitude);
    const rave::SoilNameTable none;
    std::vector<std::string> unknown;
    NormalizedLog log = BoringNormalizedLog(*read.log, jacicTable != nullptr ? *jacicTable : none, &unknown);
    // A column keeps as many layers and tests as its log sections hold; the rest is named.
    std::string cut;
    const auto count = [&](const char* what, std::size_t found, int section) {
        const int kept = log.RowCount(section);
        if (found > static_cast<std::size_t>(kept)) {
            cut += (cut.empty() ? "" : "、") +
                   rave::FormatText("%s %d のうち %d まで", what, static_cast<int>(found), kept);
        }
    };
    count("層", read.log->layers.size(), logsection::kLayers);
    count("標準貫入試験", read.log->penetration.size(), logsection::kMeasured);
    if (!cut.empty()) {
        messages.Show(rave::Message{0, cut + "を使います（残りは使いません）\n( %1 )", source.string()});
    }
    if (!unknown.empty()) {
        std::string text = "土質名表にない土質名は「不明」の模様で描きます\n( %1 )";
        for (const std::string& name : unknown) {
            text += "\n  " + name;
        }
        messages.Show(rave::Message{0, text, source.string()});
    }
    return log;
}

}  // namespace

RulerRange AutomaticRulerRange(const SectionDocument& document) {
    RulerRange range;
    bool any = false;
    double highest = 0.0;
    double deepest = 0.0;  // largest depth below elevation 0
    for (int slot = 1; slot <= kUserColumns; ++slot) {
        const PlacedColumn& column = document.Column(slot);
        if (!column.NamesFile()) {
            continue;
        }
        const double elevation = rave::ParseDecimal(column[colfield::kElevation]);
        const double below = rave::ParseDecimal(column[colfield::kDepth]) - elevation;
        highest = any ? std::max(highest, elevation) : elevation;
        deepest = any ? std::max(deepest, below) : below;
        any = true;
    }
    range.rulerTop = static_cast<int>(std::lround(highest));
    range.rulerBottom = std::min(-static_cast<int>(std::ceil(deepest)), -1);
    if (range.rulerBottom >= range.rulerTop) {
        range.rulerBottom = range.rulerTop - 1;
    }
    StepForDepthScale(document.settings.depthScale, range);
    return range;
}

bool RulerNeverSet(const SectionSettings& settings) {
    const bool startTop = std::fabs(settings.topElevation) < kUnset ||
                          std::fabs(settings.topElevation - kStartTopElevation) < kUnset;
    return settings.rulerTop == 0 && startTop;
}

bool FitRulerToColumns(SectionDocument& document) {
    SectionSettings& settings = document.settings;
    bool anyLog = false;
    for (int slot = 1; slot <= kUserColumns; ++slot) {
        anyLog = anyLog || document.Column(slot).NamesFile();
    }
    if (!anyLog || !RulerNeverSet(settings)) {
        return false;
    }
    const RulerRange range = AutomaticRulerRange(document);
    settings.rulerTop = range.rulerTop;
    settings.rulerBottom = range.rulerBottom;
    settings.rulerStep = range.rulerStep;
    settings.topElevation = range.topElevation;
    return true;
}

double ClosingColumnDistance(double lastDistance, int distanceScale) {
    return lastDistance + distanceScale / 10.0;
}

int BuildColumnsFile(SectionDocument& document, const WorkingFiles& files, const SourcePathResolver& resolve,
                     rave::MessageSink& messages, const rave::SoilNameTable* jacicTable) {
    int failures = 0;
    PlacedColumn& boundary = document.Column(0);
    boundary.Clear();
    boundary[colfield::kDistance] = "0";

    int used = 0;
    int last = 0;
    for (int slot = 1; slot <= kUserColumns; ++slot) {
        if (document.Column(slot).InUse()) {
            ++used;
            last = slot;
        }
    }
    FitRulerToColumns(document);
    SectionSettings& settings = document.settings;
    for (int slot = last + 1; slot < kColumnSlots; ++slot) {
        document.Column(slot).Clear();
    }
    if (last > 0 && document.Column(last).NamesFile()) {
        PlacedColumn& closing = document.Column(last + 1);
        closing[colfield::kDistance] = rave::FormatText(
            "%.2f", ClosingColumnDistance(document.Column(last).Distance(), settings.distanceScale));
        ++used;
    }

    if (!WriteSettingsFile(files, settings, messages)) {
        ++failures;
    }

    for (int slot = 0; slot < kColumnSlots; ++slot) {
        NormalizedLog& log = document.Log(slot);
        log.Clear();
        const PlacedColumn& column = document.Column(slot);
        if (!column.NamesFile()) {
            continue;
        }
        const std::string& pathText = column[colfield::kSourcePath];
        const std::filesystem::path source = resolve ? resolve(pathText) : PathFromBytes(pathText);
        // The limit of every source reader (see ReadSourceHeaderFile).
        const rave::InputFileBytes input = rave::ReadInputFile(source, kBoringXmlMaxBytes);
        const std::optional<std::string>& bytes = input.bytes;
        if (!bytes) {
            messages.Show(
                input.refusal == rave::InputRefusal::kMissing
                    ? SourceNotFoundMessage(source)
                    : rave::Message{0, rave::InputRefusalText(input.refusal, kBoringXmlMaxBytes) + "\n( %1 )",
                                    source.string()});
            ++failures;
            continue;
        }
        const SourceKind kind = KindOfSource(column, *bytes);
        if (const std::string refusal = SoundingSourceRefusal(kind, *bytes); !refusal.empty()) {
            // Changed since it was placed into something Ravelog would not open either.
            messages.Show(rave::Message{message_id::kNotLogFile, refusal + "\n( %1 )", source.string()});
            ++failures;
            continue;
        }
        if (kind == kKindBoringXml) {
            std::optional<NormalizedLog> boring =
                ReadBoringColumn(document.Column(slot), *bytes, jacicTable, source, messages);
            failures += boring ? 0 : 1;
            log = boring ? std::move(*boring) : NormalizedLog{};
        } else {
            log = ParseSourceLog(kind, *bytes);
        }
    }

    const std::string columns = ColumnsBytes(document, rave::FormatText("%d", used));
    if (!rave::WriteFileAtomically(files.columns, columns)) {
        messages.Show(CannotOpenWorkingFileMessage(files.columns));
        ++failures;
    }
    return failures;
}

void ApplyPlacement(const PlacementList& list, SectionDocument& document, const WorkingFiles& files,
                    const std::optional<std::filesystem::path>& installFolder,
                    const SourcePathResolver& resolve, rave::MessageSink& messages) {
    list.Store(document, installFolder, messages);
    // The window reported a missing table at start-up already; XML soils then draw no pattern.
    rave::SoilNameTable jacic;
    if (installFolder) {
        if (const auto table = rave::ReadFileBytes(*installFolder / "WdtvxJG.mst")) {
            jacic.LoadSoilNameBytes(*table, rave::soil_number_kind::kLineDrawing);
        }
    }
    BuildColumnsFile(document, files, resolve, messages, installFolder ? &jacic : nullptr);
    ReloadSectionDocument(document, files);
}

}  // namespace ravesect
