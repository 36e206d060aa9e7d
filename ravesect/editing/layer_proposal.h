// The proposal of a section's layers from its placed logs: which layer of one log continues in
// the next, where a layer thins out and where a lens sits, drawn as ordinary points, layer
// outlines and titles that the engineer accepts, changes or rejects.
//
// 1. Units per column: the layers of each log are given a soil group through the soil-name
//    table (the base soil of the resolved pattern, so a compound name counts by its main soil,
//    else the sandy/clayey class); consecutive layers of one group form a unit, and a unit
//    thinner than the minimum thickness joins the neighbour above or below whose group is
//    nearest. A band of another soil thinner than the band limit that no neighbouring log shows
//    near its elevation stays part of the unit around it.
// 2. One sequence of units for the whole site: every log in turn is aligned to a common column
//    (order kept, a unit allowed to be absent, a new unit where nothing fits, a lens between two
//    pieces of one unit), then each log is taken out and aligned again until no assignment
//    changes. A match costs by soil family (fill, cohesive, sand, gravel, rock) first; the finer
//    group (silt, clay, organic soil, loam) only where the borings that can tell agree, as a
//    sounding's name counts for its family only; then by the elevations the logs on either side
//    give the unit (straight between them), thickness and resistance (mean N, self-sinking
//    share). A sounding unit spanning several units of its family is split where its neighbours
//    put their boundaries. A thin band of another family inside one soil that one log or two
//    neighbouring logs show is a lens in that soil, one lens across their gap. Below a log's end
//    a unit costs nothing to be absent: what a log does not reach is unknown.
// 3. Geometry: the units of the deeper logs go on below a shallow log's end (straight between
//    the logs that have them; at an end of the section, to that log). A point at every unit
//    boundary of every column (x = distance x 10, y = -elevation), a tip between the columns
//    where a unit thins out; every layer is the closed outline from its top line to its bottom
//    line, so neighbouring layers share their boundary points. A unit missing from a log that
//    reaches its depth thins out towards that log from both sides in one outline. Lenses come
//    after the units in the layer list, so they are drawn over them. Each title stands where its
//    unit is widest between two columns, clear of the columns, their graphs and other titles.
// 4. Capacities: when points, layers, points per layer or titles would not fit, the thinnest
//    units are merged into a neighbour first and a warning names each by the unit now drawn in
//    its place.
//
// Everything is cp932 text like the rest of the document; no Qt.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "common/soil_name_table.h"
#include "ravesect/document/section_document.h"

namespace ravesect {

enum class SoilGroup { kFill, kOrganic, kLoam, kGravel, kSand, kSilt, kClay, kRock, kOther };
inline constexpr int kSoilGroupCount = 9;

// The group's key as scripts read it ("sand", "clay", ...), its name in the program's texts
// (cp932) and its symbol stem ("As", "Ac", "B", ...).
const char* SoilGroupKey(SoilGroup group);
std::string SoilGroupName(SoilGroup group);
const char* SoilGroupSymbolStem(SoilGroup group);

// Colour ("0x%06x" COLORREF) and hatch index a group's layers get; the dialog lets the user
// change them.
struct GroupStyle {
    long colour = 0;
    int hatch = 0;
};
using GroupStyleTable = std::array<GroupStyle, kSoilGroupCount>;
GroupStyleTable DefaultGroupStyles();

// Which group a base pattern number (100..8700 and the single JACIC codes) belongs to.
struct PatternGroupRule {
    long pattern;
    SoilGroup group;
};
const std::vector<PatternGroupRule>& DefaultPatternGroups();

// Soil names to groups: the name is resolved through the JACIC or the simple table (as the
// column's kind names its soils); the base pattern gives the group, else the class (sandy: sand,
// clayey: clay). A name no table knows falls back to the pattern number stored with the layer.
class SoilGroupClassifier {
public:
    SoilGroupClassifier(const rave::SoilNameTable* jacic, const rave::SoilNameTable* simple,
                        std::vector<PatternGroupRule> patterns = DefaultPatternGroups());
    SoilGroup Classify(const std::string& soilName, const std::string& patternText, bool simpleNames) const;
    SoilGroup GroupOfPattern(long composite, int soilClass) const;
    // True when the name says no more than the soil's family (粘性土, 砂質土, 礫質土, or any name
    // of the simple table), as a sounding operator estimates it.
    bool NamesFamilyOnly(const std::string& soilName, const std::string& patternText, bool simpleNames) const;

private:
    const rave::SoilNameTable* jacic_;
    const rave::SoilNameTable* simple_;
    std::vector<PatternGroupRule> patterns_;
};

// One placed log as the proposal reads it; depths in m below the column's ground.
struct ProposalLayer {
    double bottom = 0.0;
    std::string soilName;
    std::string patternText;
};
struct ProposalReading {
    double depth = 0.0;
    double n = -1.0;           // converted N, or a boring's N; negative when not given
    double nsw = -1.0;         // sounding's Nsw, negative when not given
    bool selfSinking = false;  // a sounding row that sank under its load
};
struct ProposalColumn {
    int slot = 0;
    std::string label;
    double distance = 0.0;
    double ground = 0.0;  // elevation, m
    bool sounding = false;
    bool simpleNames = false;
    std::vector<ProposalLayer> layers;
    std::vector<ProposalReading> readings;
    // World x of the drawn block (soil column and graph); left == right when not known.
    double blockLeft = 0.0;
    double blockRight = 0.0;
};
// The placed columns of the document that name a file and have a layer of some thickness, ordered
// by distance (the slots keep the order they were placed in).
std::vector<ProposalColumn> ProposalColumnsOf(const SectionDocument& document);

// A unit within one column (after merging).
struct ColumnUnit {
    SoilGroup group = SoilGroup::kOther;
    double top = 0.0;  // depth, m
    double bottom = 0.0;
    double meanN = -1.0;
    double selfSinkingShare = -1.0;
    int unit = -1;      // index into LayerProposal::units
    int site = -1;      // the unit of the site's sequence it belongs to (for a lens: the unit around it)
    bool lens = false;  // a lens inside the site unit `site`
    int lensId = -1;    // a lens: lenses of neighbouring columns with one id are drawn as one
    // The soil around a tongue again below it: listed with the tongue's site unit (`site`) to keep
    // the column's order, drawn as part of the site unit `host` around the tongue; -1 otherwise.
    int host = -1;
    bool sure = false;  // its name tells the finer soil (a boring, or a sounding naming more than 粘性土)
    bool inferred = false;  // below the log's end: continued from the deeper logs on either side
};

enum class LinkKind { kMatch, kPinch, kLens };
const char* LinkKindKey(LinkKind kind);

struct ProposalLink {
    int fromColumn = 0;  // index into LayerProposal::columns
    int toColumn = 0;
    int unit = 0;
    LinkKind kind = LinkKind::kMatch;
    std::string reason;  // cp932
    bool accepted = true;
};

struct ProposedUnit {
    SoilGroup group = SoilGroup::kOther;
    std::string symbol;
    GroupStyle style;
    bool accepted = true;
    // The columns it appears in (indices into LayerProposal::columns) with its top and bottom.
    struct Extent {
        int column = 0;
        double top = 0.0;
        double bottom = 0.0;
    };
    std::vector<Extent> extents;
    // The outline as indices into LayerProposal::points, and the title position.
    std::vector<int> outline;
    double titleX = 0.0;
    double titleY = 0.0;
    bool inner = false;  // lies inside another unit somewhere (a lens): listed after the others
    int site = -1;       // its place in the site's sequence, top down; -1 for a lens
};

struct ProposalPoint {
    double x = 0.0;
    double y = 0.0;
};

// A rectangle of the section in world units (x: the distance x 10, y: minus the elevation).
struct ProposalArea {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

struct ProposalOptions {
    double minThickness = 0.3;
    // A band of another soil seen in one log only and thinner than this stays part of the unit
    // around it.
    double band = 1.0;
    // The size of a unit's title in world units (x: 0.1 m, y: m), to keep it clear of the columns
    // and of other titles.
    double titleWidth = 13.0;
    double titleHeight = 0.55;
    // The titles the section keeps (the engineer's own), which proposed titles stand clear of.
    std::vector<ProposalArea> keptTitles;
    GroupStyleTable styles = DefaultGroupStyles();
    // Room left in the document; the proposal shrinks until it fits.
    int freePoints = kPoints;
    int freeLayers = kLayers;
    int freeTitles = kTitleEntries;
};

struct LayerProposal {
    std::vector<ProposalColumn> columns;
    std::vector<std::vector<ColumnUnit>> columnUnits;  // per column, top down
    std::vector<ProposedUnit> units;                   // in layer order
    std::vector<ProposalLink> links;
    std::vector<ProposalPoint> points;
    std::vector<std::string> warnings;  // cp932
    bool fits = true;                   // false when even the smallest proposal does not fit the room given
};

LayerProposal ProposeLayers(std::vector<ProposalColumn> columns, const SoilGroupClassifier& classifier,
                            const ProposalOptions& options = {});

// The units of every column: groups, same-group layers joined, thin units merged.
std::vector<ColumnUnit> ColumnUnitsOf(const ProposalColumn& column, const SoilGroupClassifier& classifier,
                                      double minThickness);

// Writes the accepted units as points, layers and titles; a unit one of whose links is not
// accepted is left out, for the engineer to draw. `replace` empties the points and
// layers first and removes the titles an earlier proposal wrote (IsProposedTitle); otherwise they
// are added after the existing ones into free entries (FreePointNumbers). False, with nothing
// changed, when they do not fit or a point would not read back from the section file.
bool ApplyProposal(SectionDocument& document, const LayerProposal& proposal, bool replace);

// The room a document leaves for a proposal (all of it when `replace`).
void SetRoomFromDocument(ProposalOptions& options, const SectionDocument& document, bool replace);

}  // namespace ravesect
