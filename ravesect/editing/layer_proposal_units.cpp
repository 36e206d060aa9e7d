// Soil groups, their default styles, and the units of one column: the first step of the layer
// proposal.
#include <algorithm>
#include <cmath>

#include "common/drawing/drawing_surface.h"
#include "common/numbers.h"
#include "common/soil_pattern_resolver.h"
#include "ravesect/document/source_kind.h"
#include "ravesect/drawing/section_column.h"
#include "ravesect/editing/layer_proposal.h"
#include "ravesect/editing/layer_proposal_internal.h"

namespace ravesect {

namespace {

struct GroupInfo {
    const char* key;
    const char* name;
    const char* stem;
    GroupStyle style;
    double position;  // along gravel .. clay, so that near groups are near numbers
};

// Colours are COLORREF (0x00BBGGRR).
const std::array<GroupInfo, kSoilGroupCount> kGroups{{
    {"fill", "盛土", "B", {0x909090, rave::hatch_style::kDiagonalCross}, 1.5},
    {"organic", "有機質土", "Ap", {0x204080, rave::hatch_style::kHorizontal}, 4.0},
    {"loam", "火山灰質土", "Lm", {0x3050a0, rave::hatch_style::kBackwardDiagonal}, 3.5},
    {"gravel", "礫", "Ag", {0x0080ff, rave::hatch_style::kCross}, 0.0},
    {"sand", "砂", "As", {0x00d0e0, rave::hatch_style::kForwardDiagonal}, 1.0},
    {"silt", "シルト", "Am", {0x008080, rave::hatch_style::kVertical}, 2.0},
    {"clay", "粘土", "Ac", {0x008000, rave::hatch_style::kHorizontal}, 3.0},
    {"rock", "岩", "R", {0x800080, rave::hatch_style::kDiagonalCross}, -1.0},
    {"other", "不明", "X", {0x404040, rave::hatch_style::kVertical}, 2.0},
}};

const GroupInfo& Info(SoilGroup group) {
    return kGroups.at(static_cast<std::size_t>(group));
}

// The base soil of a composite pattern code: the thousands and hundreds of an ordinary code, the
// first soil of alternating layers, a single JACIC code (10000 and up) as it stands.
long BasePattern(long code) {
    if (code >= 90000) {
        return (code - 90000) / 100 * 100;
    }
    if (code >= 10000) {
        return code;
    }
    return code / 100 * 100;
}

double ParseBlows(const std::string& text) {
    if (!rave::HasLeadingNumber(text)) {
        return -1.0;
    }
    double n = rave::ParseDecimal(text);
    // "50/25": 50 blows for 25 cm, as many as 60 for the standard 30 cm.
    if (const std::size_t slash = text.find('/'); slash != std::string::npos) {
        const std::string cm = text.substr(slash + 1);
        if (rave::HasLeadingNumber(cm) && rave::ParseDecimal(cm) > 0.0) {
            n = n * 30.0 / rave::ParseDecimal(cm);
        }
    }
    return n;
}

// The width of a column's graph as a new installation draws it, mm.
constexpr double kDefaultGraphWidthMm = 25.0;

const std::string& Field(const LogRow& row, std::size_t index) {
    static const std::string empty;
    return index < row.size() ? row[index] : empty;
}

}  // namespace

const char* SoilGroupKey(SoilGroup group) {
    return Info(group).key;
}
std::string SoilGroupName(SoilGroup group) {
    return Info(group).name;
}
const char* SoilGroupSymbolStem(SoilGroup group) {
    return Info(group).stem;
}
double GroupPosition(SoilGroup group) {
    return Info(group).position;
}

GroupStyleTable DefaultGroupStyles() {
    GroupStyleTable table{};
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        table[g] = kGroups[g].style;
    }
    return table;
}

const std::vector<PatternGroupRule>& DefaultPatternGroups() {
    using G = SoilGroup;
    static const std::vector<PatternGroupRule> rules{
        // gravel, boulders, talus
        {100, G::kGravel},
        {200, G::kGravel},
        {3300, G::kGravel},
        {3400, G::kGravel},
        {3500, G::kGravel},
        {3600, G::kGravel},
        {3800, G::kGravel},
        {8700, G::kGravel},
        // sand
        {300, G::kSand},
        {400, G::kSand},
        {1400, G::kSand},
        {4400, G::kSand},
        {4500, G::kSand},
        {6800, G::kSand},
        // silt, clay
        {500, G::kSilt},
        {600, G::kClay},
        {4300, G::kClay},
        {4800, G::kClay},
        // volcanic ash, loam, pumice, scoria
        {900, G::kLoam},
        {1100, G::kLoam},
        {1300, G::kLoam},
        {5100, G::kLoam},
        {5200, G::kLoam},
        {8100, G::kLoam},
        // organic soil, peat
        {700, G::kOrganic},
        {800, G::kOrganic},
        {6900, G::kOrganic},
        // fill and man-made ground
        {1700, G::kFill},
        {8200, G::kFill},
        {8300, G::kFill},
        {8400, G::kFill},
        {8500, G::kFill},
        {8600, G::kFill},
        {10091, G::kFill},
        {10092, G::kFill},
        {10093, G::kFill},
        // rock, weathered rock
        {1200, G::kRock},
        {1500, G::kRock},
        {1600, G::kRock},
        {2100, G::kRock},
        {2200, G::kRock},
        {2300, G::kRock},
        {2400, G::kRock},
        {2500, G::kRock},
        {2600, G::kRock},
        {2700, G::kRock},
        {2800, G::kRock},
        {2900, G::kRock},
        {3000, G::kRock},
        {3100, G::kRock},
        {4100, G::kRock},
        {4200, G::kRock},
        {4600, G::kRock},
        {4700, G::kRock},
        {4900, G::kRock},
        {5000, G::kRock},
        {6100, G::kRock},
        {6200, G::kRock},
        {6300, G::kRock},
        {6400, G::kRock},
    };
    return rules;
}

SoilGroupClassifier::SoilGroupClassifier(const rave::SoilNameTable* jacic, const rave::SoilNameTable* simple,
                                         std::vector<PatternGroupRule> patterns)
    : jacic_(jacic), simple_(simple), patterns_(std::move(patterns)) {}

SoilGroup SoilGroupClassifier::GroupOfPattern(long composite, int soilClass) const {
    const long base = BasePattern(composite);
    for (const PatternGroupRule& rule : patterns_) {
        if (rule.pattern == base) {
            return rule.group;
        }
    }
    if (soilClass == rave::soil_class::kSandy) {
        return SoilGroup::kSand;
    }
    if (soilClass == rave::soil_class::kClayey) {
        return SoilGroup::kClay;
    }
    return SoilGroup::kOther;
}

SoilGroup SoilGroupClassifier::Classify(const std::string& soilName, const std::string& patternText,
                                        bool simpleNames) const {
    const rave::SoilNameTable* table = simpleNames ? simple_ : jacic_;
    const int kind = simpleNames ? rave::soil_number_kind::kBitmap : rave::soil_number_kind::kLineDrawing;
    if (table != nullptr && !table->Empty(kind)) {
        const rave::SoilResolution resolved = rave::ResolveSoilPattern(*table, soilName, kind);
        if (resolved.code > 0) {
            return GroupOfPattern(resolved.code, resolved.soilClass);
        }
    }
    const rave::SoilNumber stored = rave::ParseSoilNumber(patternText);
    return stored.number > 0 ? GroupOfPattern(stored.number, stored.soilClass) : SoilGroup::kOther;
}

bool SoilGroupClassifier::NamesFamilyOnly(const std::string& soilName, const std::string& patternText,
                                          bool simpleNames) const {
    if (simpleNames) {
        return true;
    }
    long code = 0;
    if (jacic_ != nullptr && !jacic_->Empty(rave::soil_number_kind::kLineDrawing)) {
        code = rave::ResolveSoilPattern(*jacic_, soilName, rave::soil_number_kind::kLineDrawing).code;
    }
    if (code <= 0) {
        code = rave::ParseSoilNumber(patternText).number;
    }
    const long base = BasePattern(code);
    return base == 4300 || base == 1400 || base == 3500;  // 粘性土, 砂質土, 礫質土
}

std::vector<ProposalColumn> ProposalColumnsOf(const SectionDocument& document) {
    std::vector<ProposalColumn> columns;
    for (int slot = 1; slot <= kUserColumns; ++slot) {
        const PlacedColumn& placed = document.Column(slot);
        const NormalizedLog& log = document.Log(slot);
        if (!placed.NamesFile() || log.RowCount(logsection::kLayers) == 0) {
            continue;
        }
        ProposalColumn column;
        column.slot = slot;
        column.label = placed[colfield::kLabel];
        column.distance = placed.Distance();
        column.ground = rave::ParseDecimal(placed[colfield::kElevation]);
        const SourceKind kind = placed.Kind();
        column.sounding = IsSoundingKind(kind);
        column.simpleNames = !UsesJacicNames(kind);
        const int layerRows = log.RowCount(logsection::kLayers);
        for (int k = 0; k < layerRows; ++k) {
            const LogRow& row = log.Rows(logsection::kLayers)[static_cast<std::size_t>(k)];
            column.layers.push_back({rave::ParseDecimal(Field(row, 0)), Field(row, 1), Field(row, 2)});
        }
        // A log whose layer rows have no thickness (a single row at depth 0) has no layers to propose.
        if (std::none_of(column.layers.begin(), column.layers.end(),
                         [](const ProposalLayer& layer) { return layer.bottom > 0.0; })) {
            continue;
        }
        const int measured = log.RowCount(logsection::kMeasured);
        for (int k = 0; k < measured; ++k) {
            const LogRow& row = log.Rows(logsection::kMeasured)[static_cast<std::size_t>(k)];
            ProposalReading reading;
            reading.depth = rave::ParseDecimal(Field(row, 0));
            reading.n = ParseBlows(Field(row, 1));
            if (column.sounding && rave::HasLeadingNumber(Field(row, 4))) {
                reading.nsw = rave::ParseDecimal(Field(row, 4));
                reading.selfSinking = reading.nsw <= 0.0;
            }
            column.readings.push_back(reading);
        }
        if (kind == kKindDynamicCone) {  // Nd values of the cone log stand for N
            const int rows = log.RowCount(logsection::kE);
            for (int k = 0; k < rows; ++k) {
                const LogRow& row = log.Rows(logsection::kE)[static_cast<std::size_t>(k)];
                column.readings.push_back({rave::ParseDecimal(Field(row, 0)), ParseBlows(Field(row, 1))});
            }
        }
        const ColumnLayout layout =
            LayOutColumnWithLog(placed, log, kDefaultGraphWidthMm, document.settings.distanceScale);
        const CellEdges block = layout.Block();
        column.blockLeft = std::min(block.left, block.right);
        column.blockRight = std::max(block.left, block.right);
        columns.push_back(std::move(column));
    }
    // The slots hold the logs in the order they were placed; the section runs by distance.
    std::stable_sort(columns.begin(), columns.end(), [](const ProposalColumn& a, const ProposalColumn& b) {
        return a.distance < b.distance;
    });
    return columns;
}

void FillResistance(ColumnUnit& unit, const ProposalColumn& column) {
    double nSum = 0.0;
    int nCount = 0;
    int soundingRows = 0;
    int sinking = 0;
    for (const ProposalReading& reading : column.readings) {
        if (reading.depth <= unit.top || reading.depth > unit.bottom) {
            continue;
        }
        if (reading.n >= 0.0) {
            nSum += reading.n;
            ++nCount;
        }
        if (reading.nsw >= 0.0) {
            ++soundingRows;
            sinking += reading.selfSinking ? 1 : 0;
        }
    }
    unit.meanN = nCount > 0 ? nSum / nCount : -1.0;
    unit.selfSinkingShare = soundingRows > 0 ? static_cast<double>(sinking) / soundingRows : -1.0;
}

void JoinSameGroups(std::vector<ColumnUnit>& units) {
    std::vector<ColumnUnit> joined;
    for (const ColumnUnit& unit : units) {
        if (!joined.empty() && joined.back().group == unit.group) {
            joined.back().bottom = unit.bottom;
            joined.back().sure = joined.back().sure || unit.sure;
        } else {
            joined.push_back(unit);
        }
    }
    units = std::move(joined);
}

void MergeIntoNeighbour(std::vector<ColumnUnit>& units, std::size_t index) {
    if (units.size() < 2) {
        return;
    }
    const double position = GroupPosition(units[index].group);
    const bool hasAbove = index > 0;
    const bool hasBelow = index + 1 < units.size();
    const double above = hasAbove ? std::abs(GroupPosition(units[index - 1].group) - position) : 1e9;
    const double below = hasBelow ? std::abs(GroupPosition(units[index + 1].group) - position) : 1e9;
    if (above <= below) {
        units[index - 1].bottom = units[index].bottom;
    } else {
        units[index + 1].top = units[index].top;
    }
    units.erase(units.begin() + static_cast<std::ptrdiff_t>(index));
    JoinSameGroups(units);
}

std::vector<ColumnUnit> ColumnUnitsOf(const ProposalColumn& column, const SoilGroupClassifier& classifier,
                                      double minThickness) {
    std::vector<ColumnUnit> units;
    double top = 0.0;
    for (const ProposalLayer& layer : column.layers) {
        if (layer.bottom <= top) {
            continue;  // a row out of order or of no thickness adds nothing
        }
        ColumnUnit unit;
        unit.group = classifier.Classify(layer.soilName, layer.patternText, column.simpleNames);
        // A boring describes the soil; a sounding's family-level estimate cannot tell silt from clay.
        unit.sure = !column.sounding ||
                    !classifier.NamesFamilyOnly(layer.soilName, layer.patternText, column.simpleNames);
        unit.top = top;
        unit.bottom = layer.bottom;
        units.push_back(unit);
        top = layer.bottom;
    }
    JoinSameGroups(units);
    // A sounding's names that tell only the family (ローム over シルト as heard and felt) do not
    // split one cohesive unit in two: the pieces become one, of the thicker piece's group.
    for (std::size_t i = 1; i < units.size();) {
        ColumnUnit& above = units[i - 1];
        const ColumnUnit& below = units[i];
        if (above.sure || below.sure || FamilyOf(above.group) != FamilyOf(below.group)) {
            ++i;
            continue;
        }
        if (below.bottom - below.top > above.bottom - above.top) {
            above.group = below.group;
        }
        above.bottom = below.bottom;
        units.erase(units.begin() + static_cast<std::ptrdiff_t>(i));
    }
    JoinSameGroups(units);
    // The last unit is where the log stopped, not where the soil ends: however thin it is, it
    // shows the top of the unit below and stays.
    while (units.size() > 1) {
        std::size_t thinnest = 0;
        for (std::size_t i = 1; i + 1 < units.size(); ++i) {
            if (units[i].bottom - units[i].top < units[thinnest].bottom - units[thinnest].top) {
                thinnest = i;
            }
        }
        if (units[thinnest].bottom - units[thinnest].top >= minThickness) {
            break;
        }
        MergeIntoNeighbour(units, thinnest);
    }
    for (ColumnUnit& unit : units) {
        FillResistance(unit, column);
    }
    return units;
}

}  // namespace ravesect
