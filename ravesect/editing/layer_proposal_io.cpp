// The layer proposal's way in and out of a section: the checks of its logs, the room a section
// leaves, the accepted units written as points, layers and titles, and the earlier proposal's
// titles that replacing removes.
#include "ravesect/editing/layer_proposal_io.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "common/format.h"
#include "common/numbers.h"
#include "common/text_file.h"
#include "ravesect/drawing/section_mapping.h"
#include "ravesect/editing/working_file_snapshot.h"

namespace ravesect {

namespace {

// Distances are kept as "%.2f": two logs whose distances print alike stand at one distance.
constexpr double kSameDistance = 0.005;
// How far (m, both ways) a proposed title may stand from the extent of the layer it names.
constexpr double kTitleReach = 1.0;

std::string ColumnName(const ProposalColumn& column) {
    return column.label.empty() ? rave::FormatText("%d", column.slot) : column.label;
}

// True when a point reads back where it was written: x (the distance x 10) defined, y (minus the
// elevation) within the elevations a section holds.
bool ReadsBack(const ProposalPoint& point) {
    return std::isfinite(point.x) && IsDefinedCoordinate(point.x) && IsStorableElevation(-point.y);
}

bool IsProposedSymbol(const std::string& text) {
    for (int g = 0; g < kSoilGroupCount; ++g) {
        const std::string stem = SoilGroupSymbolStem(static_cast<SoilGroup>(g));
        if (text.size() >= stem.size() && text.compare(0, stem.size(), stem) == 0 &&
            std::all_of(text.begin() + static_cast<std::ptrdiff_t>(stem.size()), text.end(),
                        [](char c) { return c >= '0' && c <= '9'; })) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string ProposalColumnsProblem(const std::vector<ProposalColumn>& columns) {
    for (const ProposalColumn& column : columns) {
        // The ground and the bottom of the deepest layer: the highest and the lowest point.
        const double bottom = column.ground - DeepestLayerBottom({column});
        for (const double elevation : {column.ground, bottom}) {
            if (!IsStorableElevation(elevation)) {
                return "柱状図 " + ColumnName(column) + " の標高 " + rave::FormatText("%.2f", elevation) +
                       " m は断面図に保存できません（" + rave::FormatText("%.0f", kLowestElevation) +
                       " m から " + rave::FormatText("%.0f", kHighestElevation) +
                       " m まで）。柱状図の標高を直してください";
            }
        }
    }
    for (std::size_t a = 0; a < columns.size(); ++a) {
        for (std::size_t b = a + 1; b < columns.size(); ++b) {
            if (std::abs(columns[a].distance - columns[b].distance) < kSameDistance) {
                return "柱状図 " + ColumnName(columns[a]) + " と " + ColumnName(columns[b]) + " が同じ距離 " +
                       rave::FormatText("%.2f", columns[a].distance) +
                       " m にあります。配置で距離を変えるか、どちらかを外してください";
            }
        }
    }
    return {};
}

double DeepestLayerBottom(const std::vector<ProposalColumn>& columns) {
    double deepest = 0.0;
    for (const ProposalColumn& column : columns) {
        for (const ProposalLayer& layer : column.layers) {
            deepest = std::max(deepest, layer.bottom);
        }
    }
    return deepest;
}

bool IsProposedTitle(const TitleText& title, const SectionDocument& document) {
    if (!IsDefinedCoordinate(title.x) || !IsDefinedCoordinate(title.y) || !IsProposedSymbol(title.text)) {
        return false;
    }
    const int layers = document.LayerCount();
    for (int n = 1; n <= layers; ++n) {
        double left = 0.0, right = 0.0, top = 0.0, bottom = 0.0;
        bool any = false;
        for (const int number : document.Layer(n).PointNumbers()) {
            if (number < 1 || number > kPoints || !document.Point(number).IsDefined()) {
                continue;
            }
            const SectionPoint& point = document.Point(number);
            left = any ? std::min(left, point.x) : point.x;
            right = any ? std::max(right, point.x) : point.x;
            top = any ? std::min(top, point.y) : point.y;
            bottom = any ? std::max(bottom, point.y) : point.y;
            any = true;
        }
        // x is the distance x 10, y minus the elevation.
        if (any && title.x >= left - kTitleReach * 10.0 && title.x <= right + kTitleReach * 10.0 &&
            title.y >= top - kTitleReach && title.y <= bottom + kTitleReach) {
            return true;
        }
    }
    return false;
}

std::vector<int> FreePointNumbers(const SectionDocument& document) {
    std::set<int> listed;
    const int layers = document.LayerCount();
    for (int n = 1; n <= layers; ++n) {
        for (const int number : document.Layer(n).PointNumbers()) {
            listed.insert(number);
        }
    }
    std::vector<int> free;
    for (int n = 1; n <= kPoints; ++n) {
        if (!document.Point(n).IsDefined() && listed.count(n) == 0) {
            free.push_back(n);
        }
    }
    return free;
}

void SetRoomFromDocument(ProposalOptions& options, const SectionDocument& document, bool replace) {
    int titles = 0;
    for (int n = 1; n <= kTitleEntries; ++n) {
        const TitleText& title = document.Title(n);
        titles += title.IsFree() || (replace && IsProposedTitle(title, document)) ? 1 : 0;
    }
    options.freePoints = replace ? kPoints : static_cast<int>(FreePointNumbers(document).size());
    options.freeLayers = kLayers - (replace ? 0 : document.LayerCount());
    options.freeTitles = titles;
    // A symbol of three or four characters in the titles' font, at the section's scales.
    options.titleWidth = PaperToWorldX(13.0, document.settings.distanceScale);
    options.titleHeight = PaperToWorldY(5.5, document.settings.depthScale);
    // The titles that stay, each as wide as its text at the symbols' width per character (a full-width
    // character, two bytes, as wide as two).
    options.keptTitles.clear();
    for (int n = 1; n <= kTitleEntries; ++n) {
        const TitleText& title = document.Title(n);
        if (!IsDefinedCoordinate(title.x) || !IsDefinedCoordinate(title.y) || title.text.empty() ||
            (replace && IsProposedTitle(title, document))) {
            continue;
        }
        const double width = options.titleWidth * static_cast<double>(title.text.size()) / 3.0;
        options.keptTitles.push_back({title.x, title.y, title.x + width, title.y + options.titleHeight});
    }
}

bool ApplyProposal(SectionDocument& document, const LayerProposal& proposal, bool replace) {
    SectionDocument result = document;
    if (replace) {
        // The earlier proposal's titles go with the layers they name, so they are found first.
        for (int n = 1; n <= kTitleEntries; ++n) {
            if (IsProposedTitle(result.Title(n), document)) {
                result.Title(n) = TitleText{};
            }
        }
        for (int n = 1; n <= kPoints; ++n) {
            result.Point(n) = SectionPoint{};
        }
        for (int n = 1; n <= kLayers; ++n) {
            result.Layer(n).Clear();
        }
    }
    const std::vector<int> freePoints = FreePointNumbers(result);
    std::vector<int> freeTitles;
    for (int n = 1; n <= kTitleEntries; ++n) {
        if (result.Title(n).IsFree()) {
            freeTitles.push_back(n);
        }
    }
    int layer = result.LayerCount();
    long number = 0;
    for (int n = 1; n <= layer; ++n) {
        number = std::max(number, rave::ParseInteger(result.Layer(n).number));
    }
    std::vector<int> numberOf(proposal.points.size(), 0);
    std::size_t nextPoint = 0;
    std::size_t nextTitle = 0;
    // A unit is written when it and every link that continues it were accepted: a rejected
    // link leaves the unit for the engineer to draw.
    std::vector<bool> rejected(proposal.units.size(), false);
    for (const ProposalLink& link : proposal.links) {
        if (!link.accepted && link.unit >= 0 && link.unit < static_cast<int>(rejected.size())) {
            rejected[static_cast<std::size_t>(link.unit)] = true;
        }
    }
    for (std::size_t u = 0; u < proposal.units.size(); ++u) {
        const ProposedUnit& unit = proposal.units[u];
        if (!unit.accepted || rejected[u] || unit.outline.size() < 2) {
            continue;
        }
        if (++layer > kLayers || nextTitle >= freeTitles.size()) {
            return false;
        }
        std::vector<int> numbers;
        for (const int point : unit.outline) {
            int& assigned = numberOf[static_cast<std::size_t>(point)];
            if (assigned == 0) {
                const ProposalPoint& at = proposal.points[static_cast<std::size_t>(point)];
                // A point the section would read back as undefined leaves its layer pointing nowhere.
                if (nextPoint >= freePoints.size() || !ReadsBack(at)) {
                    return false;
                }
                assigned = freePoints[nextPoint++];
                result.Point(assigned) = {at.x, at.y};
            }
            numbers.push_back(assigned);
        }
        if (numbers.size() > static_cast<std::size_t>(kLayerPointLimit)) {
            return false;
        }
        LayerOutline& outline = result.Layer(layer);
        outline.number = rave::FormatText("%ld", ++number);
        outline.colour = rave::FormatText("0x%06lx", unit.style.colour);
        outline.hatch = rave::FormatText("%d", unit.style.hatch);
        outline.lineMode = "0";
        outline.SetPointNumbers(numbers);
        TitleText& title = result.Title(freeTitles[nextTitle++]);
        title.x = unit.titleX;
        title.y = unit.titleY;
        title.text = unit.symbol;
        title.font = "1";
    }
    document = std::move(result);
    return true;
}

bool WritePointsLayersAndTitles(const WorkingFiles& files, const SectionDocument& document,
                                rave::MessageSink& messages) {
    const WorkingFileSnapshot points = TakeSnapshot(files.pointsLayers);
    const WorkingFileSnapshot titles = TakeSnapshot(files.titles);
    const std::string failure = rave::WriteFilesAtomically(
        {{files.pointsLayers, PointsLayersBytes(document)}, {files.titles, TitleLinesBytes(document)}});
    if (failure.empty()) {
        return true;
    }
    // The renames run one after the other: one that went through is put back.
    for (const auto& [path, before] : {std::pair{&files.pointsLayers, &points}, {&files.titles, &titles}}) {
        if (TakeSnapshot(*path) != *before) {
            RestoreSnapshot(*path, *before);
        }
    }
    const bool titlesFailed = failure.find(files.titles.string()) != std::string::npos;
    messages.Show(CannotOpenWorkingFileMessage(titlesFailed ? files.titles : files.pointsLayers));
    return false;
}

}  // namespace ravesect
