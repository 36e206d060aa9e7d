// The layer proposal on small synthetic sections whose true ground is known: which units it
// finds, how it links them, and which unit the drawn outlines show between the columns.
#include "ravesect/editing/layer_proposal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "common/installed_soil_tables.h"
#include "common/messages.h"

namespace ravesect {
namespace {

struct Layer {
    double bottom;
    const char* soil;
};

ProposalColumn Column(int slot, double distance, double ground, std::vector<Layer> layers,
                      bool sounding = true) {
    ProposalColumn column;
    column.slot = slot;
    column.distance = distance;
    column.ground = ground;
    column.sounding = sounding;
    for (const Layer& layer : layers) {
        column.layers.push_back({layer.bottom, layer.soil, ""});
    }
    return column;
}

const rave::SoilNameTable& Jacic() {
    static const rave::SoilNameTable table = [] {
        rave::SoilNameTable t;
        rave::RecordingMessageSink quiet;
        rave::LoadBothSoilNameKinds(t, std::filesystem::path(RAVE_SOURCE_DIR) / "data" / "WdtvxJG.mst",
                                    quiet);
        return t;
    }();
    return table;
}

LayerProposal Propose(std::vector<ProposalColumn> columns, const ProposalOptions& options = {}) {
    return ProposeLayers(std::move(columns), SoilGroupClassifier(&Jacic(), nullptr), options);
}

// The unit the drawing shows at a world point: the last layer whose outline holds it (even-odd).
std::string SymbolAt(const LayerProposal& p, double distance, double elevation) {
    const double x = distance * 10.0;
    const double y = -elevation;
    std::string shown = "-";
    for (const ProposedUnit& unit : p.units) {
        bool inside = false;
        for (std::size_t i = 0, j = unit.outline.size() - 1; i < unit.outline.size(); j = i++) {
            const ProposalPoint& a = p.points[static_cast<std::size_t>(unit.outline[i])];
            const ProposalPoint& b = p.points[static_cast<std::size_t>(unit.outline[j])];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
                inside = !inside;
            }
        }
        shown = inside ? unit.symbol : shown;
    }
    return shown;
}

std::multiset<std::string> LinkKinds(const LayerProposal& p) {
    std::multiset<std::string> kinds;
    for (const ProposalLink& link : p.links) {
        kinds.insert(LinkKindKey(link.kind));
    }
    return kinds;
}

struct Probe {
    double distance;
    double elevation;
    const char* symbol;
};

struct SectionCase {
    const char* name;
    std::vector<ProposalColumn> columns;
    std::vector<std::string> symbols;  // the units, in layer order
    std::multiset<std::string> links;
    std::vector<Probe> probes;
};

TEST(LayerProposal, SectionsOfKnownGround) {
    const std::vector<SectionCase> cases = {
        // The last log stops 0.2 m into the clay: the clay's top still shows there.
        {"layer cake",
         {Column(1, 0, 10, {{2, "砂"}, {5, "粘土"}, {8, "砂礫"}}),
          Column(2, 20, 10, {{2, "細砂"}, {5, "粘土"}, {8, "礫"}}),
          Column(3, 40, 10, {{2, "砂"}, {5, "粘土"}, {8, "砂礫"}}),
          Column(4, 60, 10, {{2, "砂"}, {2.2, "粘土"}})},
         {"As1", "Ac1", "Ag1"},
         {"match", "match", "match", "match", "match", "match", "match", "match", "match"},
         {{10, 9, "As1"}, {30, 6, "Ac1"}, {30, 3, "Ag1"}, {59, 7.9, "Ac1"}}},
        // Boundaries fall 1.5 m from column to column; two sands stay apart.
        {"dipping",
         {Column(1, 0, 10, {{2, "砂"}, {4, "粘土"}, {6, "砂"}, {9, "礫"}}),
          Column(2, 20, 10, {{3.5, "砂"}, {5.5, "粘土"}, {7.5, "砂"}, {10.5, "礫"}}),
          Column(3, 40, 10, {{5, "砂"}, {7, "粘土"}, {9, "砂"}, {12, "礫"}})},
         {"As1", "Ac1", "As2", "Ag1"},
         {"match", "match", "match", "match", "match", "match", "match", "match"},
         {{10, 4.5, "As2"}, {30, 4.6, "Ac1"}, {30, 0.5, "Ag1"}}},
        // The clay thins out towards the middle column from both sides: one unit, one symbol.
        {"pinch-out in the middle column",
         {Column(1, 0, 10, {{2, "砂"}, {4, "粘土"}, {7, "礫"}}), Column(2, 20, 10, {{3, "砂"}, {7, "礫"}}),
          Column(3, 40, 10, {{2, "砂"}, {4, "粘土"}, {7, "礫"}})},
         {"As1", "Ac1", "Ag1"},
         {"match", "match", "match", "match", "pinch", "pinch"},
         {{5, 7, "Ac1"}, {15, 7.2, "As1"}, {15, 6.8, "Ag1"}, {35, 7, "Ac1"}, {20, 7.5, "As1"}}},
        // Borings describe (シルト混り砂 is sand by its main soil, シルト), the sounding between says
        // 砂質土 / 粘性土 / 礫質土 and stops in the silt: one unit each, the gravel passes beneath it.
        {"names by method, a shallow sounding between borings",
         {Column(1, 0, 10, {{2, "シルト混り砂"}, {5, "シルト"}, {9, "砂礫"}}, false),
          Column(2, 20, 10, {{2, "砂質土"}, {3.5, "粘性土"}}),
          Column(3, 40, 10, {{2, "砂"}, {5, "粘土質シルト"}, {9, "玉石混り砂礫"}}, false)},
         {"As1", "Am1", "Ag1"},
         {"match", "match", "match", "match", "match", "match"},
         {{20, 9, "As1"}, {20, 6.0, "Am1"}, {20, 3, "Ag1"}, {10, 2, "Ag1"}}},
        // A 0.6 m clay band in one log only stays part of the sand; thicker it would be a lens.
        {"a thin band of one log",
         {Column(1, 0, 10, {{5, "砂"}, {8, "礫"}}),
          Column(2, 20, 10, {{2, "砂"}, {2.6, "粘土"}, {5, "砂"}, {8, "礫"}}),
          Column(3, 40, 10, {{5, "砂"}, {8, "礫"}})},
         {"As1", "Ag1"},
         {"match", "match", "match", "match"},
         {{20, 7.7, "As1"}, {18, 7.7, "As1"}}},
        {"the band is the clay between the gravels, not the thin gravel above it",
         {Column(1, 0, 10, {{1.5, "粘性土"}}),
          Column(2, 20, 10, {{3, "シルト"}, {3.65, "砂礫"}, {4.35, "シルト質粘土"}, {7, "砂礫"}}, false)},
         {"Am1", "Ag1"},
         {"match", "match"},
         {{19, 6.6, "Ag1"}}},
        {"one-log sands 1 m apart in level stay in the clay",
         {Column(2, 20, 10, {{3, "粘土"}, {3.6, "砂"}, {8, "粘土"}}),
          Column(3, 40, 10, {{4.6, "粘土"}, {5.1, "砂"}, {8, "粘土"}})},
         {"Ac1"},
         {"match"},
         {{30, 6.7, "Ac1"}}},
        {"the neighbours put the clay's bottom below the sounding's end: all it shows is clay",
         {Column(1, 0, 10, {{1, "盛土"}, {2, "粘土"}, {10, "シルト"}}, false),
          Column(2, 45, 8, {{1, "盛土"}, {7.5, "粘性土"}}),
          Column(3, 60, 10, {{1, "盛土"}, {10, "粘土"}, {13, "シルト"}}, false)},
         {"B", "Ac1", "Am1"},
         {"match", "match", "match", "match", "match", "match"},
         {{43, 1, "Ac1"}}},
        {"the sand thins out before the boring: the sounding's 粘性土 holds the silt and clay beside it",
         {Column(1, 0, 10, {{8, "粘性土"}}),
          Column(2, 20, 10, {{4, "シルト"}, {8, "粘土"}, {12, "砂礫"}}, false),
          Column(3, 40, 10, {{4, "シルト"}, {5.5, "砂"}, {9, "粘土"}, {12, "砂礫"}}, false)},
         {"Am1", "As1", "Ac1", "Ag1"},
         {"match", "match", "match", "match", "match", "match", "pinch"},
         {{5, 8, "Am1"}, {5, 4, "Ac1"}}},
        // A clay lens in the middle sand ends halfway to each neighbour; the sand goes on around it.
        {"lens",
         {Column(1, 0, 10, {{6, "砂"}, {9, "礫"}}),
          Column(2, 20, 10, {{2, "砂"}, {4, "粘土"}, {6, "砂"}, {9, "礫"}}),
          Column(3, 40, 10, {{6, "砂"}, {9, "礫"}})},
         {"As1", "Ag1", "Ac1"},
         {"match", "match", "match", "match", "lens", "lens"},
         {{21, 7, "Ac1"}, {16, 7, "Ac1"}, {8, 7, "As1"}, {32, 7, "As1"}, {20, 9, "As1"}, {10, 2, "Ag1"}}},
        // Two neighbouring borings show a thin peat at about one level inside one sand: one lens
        // across their gap, ending halfway to the third log, and the sand one unit around it.
        {"a band two neighbours show inside one sand",
         {Column(1, 0, 10, {{3, "砂"}, {3.5, "泥炭"}, {6, "砂"}, {9, "粘土"}}, false),
          Column(2, 20, 10, {{3.2, "砂"}, {3.8, "泥炭"}, {6, "砂"}, {9, "粘土"}}, false),
          Column(3, 40, 10, {{6, "砂"}, {9, "粘土"}}, false)},
         {"As1", "Ac1", "Ap"},
         {"match", "match", "match", "match", "match", "lens"},
         {{10, 6.6, "Ap"}, {10, 5, "As1"}, {10, 7.5, "As1"}, {34, 6.6, "As1"}, {34, 5, "As1"}}},
        // The first log's clay lies under its sand, thins out before the second and comes back
        // inside the last log's sand, the sand again under it and then the gravel: a tongue of the
        // clay, and the sand one unit above and below it.
        {"a tongue of the clay into the sand of the last log",
         {Column(1, 0, 10, {{3, "砂"}, {5, "粘土"}, {9, "砂礫"}}, false),
          Column(2, 20, 10, {{6, "砂"}, {9, "砂礫"}}, false),
          Column(3, 40, 10, {{2, "砂"}, {4, "粘土"}, {6, "砂"}, {9, "砂礫"}}, false)},
         {"As1", "Ac1", "Ag1"},
         {"match", "match", "match", "match", "pinch", "pinch"},
         {{39, 5, "As1"}, {39, 7, "Ac1"}, {39, 9, "As1"}, {39, 2, "Ag1"}, {5, 6, "Ac1"}}},
        // The middle log's peat and clay lie above the clay that no neighbour lacks, sand under
        // them: no tongue of the clay into the sand, and that sand is a unit of its own.
        {"no tongue where no neighbour lacks the clay",
         {Column(1, 0, 20.6, {{5.5, "砂"}, {7, "粘土"}}),
          Column(2, 40, 21, {{2, "砂"}, {3, "泥炭"}, {4.4, "粘土"}, {5.9, "砂"}, {8, "礫"}}),
          Column(3, 85, 23.3, {{5.2, "砂"}, {5.8, "粘土"}, {9, "礫"}})},
         {"As1", "Ap", "Ac1", "As2", "Ag1"},
         {"lens", "lens", "match", "match", "match", "match", "match", "match", "pinch", "pinch"},
         {{40, 15.8, "As2"}, {40, 17.3, "Ac1"}, {40, 19.5, "As1"}}},
        // The last log's thin clay lies above the level of the clay beside it, in its gravel: a
        // lens there, the gravel under it the same gravel, and the clay thins out before it.
        {"a band in the gravel of the last log",
         {Column(1, 0, 10, {{3, "砂礫"}, {5, "粘土"}, {9, "砂"}}, false),
          Column(2, 20, 10, {{3, "砂礫"}, {5, "粘土"}, {9, "砂"}}, false),
          Column(3, 40, 10, {{1.2, "礫質土"}, {1.8, "粘性土"}, {3.6, "礫質土"}, {5, "砂質土"}})},
         {"Ag1", "Ac1", "As1", "Ac2"},
         {"match", "match", "match", "match", "match", "pinch", "pinch"},
         {{39, 8.5, "Ac2"}, {39, 7, "Ag1"}, {25, 6, "Ac1"}}},
        // A shallow log's sand under a thin clay is not the deep sand: the units above that one
        // would all have to thin out in this log.
        {"shallow log under a band",
         {Column(1, 0, 10, {{4, "砂"}, {7, "粘土"}, {10, "シルト"}, {13, "礫"}, {16, "砂"}, {18, "粘土"}}),
          Column(2, 20, 10, {{3, "砂"}, {3.6, "粘土"}, {6, "砂"}}),
          Column(3, 40, 10, {{4, "砂"}, {7, "粘土"}, {10, "シルト"}, {13, "礫"}, {16, "砂"}, {18, "粘土"}})},
         {"As1", "Ac1", "As2", "Am1", "Ag1", "As3", "Ac2"},
         {"lens", "lens", "match", "match", "match", "match", "match", "match", "match", "match", "match",
          "match", "match", "match"},
         {{20, 5, "As2"}, {5, -4, "As3"}, {35, -4, "As3"}}},
        // Two borings on higher ground show clay over silt; the sounding's 粘性土 parts at the depth
        // below its top they give, not at their elevations carried over level.
        {"a sounding's cohesive unit beyond the borings",
         {Column(1, 0, 14, {{1, "盛土"}, {3, "粘土"}, {5, "シルト"}, {9, "砂"}}, false),
          Column(2, 20, 13, {{1, "盛土"}, {3, "粘土"}, {5, "シルト"}, {9, "砂"}}, false),
          Column(3, 60, 10, {{1, "盛土"}, {5, "粘性土"}, {7, "砂質土"}})},
         {"B", "Ac1", "Am1", "As1"},
         {"match", "match", "match", "match", "match", "match", "match", "match"},
         {{58, 8.5, "Ac1"}, {58, 6, "Am1"}}},
        // The sounding's clay starts 1.5 m below the line between the borings: the ground bends
        // there, so the clay and the gravel under its end lie lower too.
        {"shallow log where the ground bends down",
         {Column(1, 0, 10, {{3, "砂"}, {6, "粘土"}, {9, "砂礫"}, {14, "砂"}}, false),
          Column(2, 20, 10, {{4.5, "砂質土"}, {6, "粘性土"}}),
          Column(3, 40, 10, {{3, "砂"}, {6, "粘土"}, {9, "砂礫"}, {14, "砂"}}, false)},
         {"As1", "Ac1", "Ag1", "As2"},
         {"match", "match", "match", "match", "match", "match", "match", "match"},
         {{20, 3, "Ac1"}, {10, 3.5, "Ac1"}, {20, 0, "Ag1"}, {30, -2, "As2"}}},
        // The middle log stands on a 2 m rise with thin fill: its clay is the upper clay, level with
        // its neighbours', although its top (the levelled ground under the fill) lies higher.
        {"a log on a rise of the ground",
         {Column(1, 0, 10, {{1, "盛土"}, {2, "粘土"}, {3.5, "ローム"}, {9, "粘土"}}, false),
          Column(2, 20, 12, {{0.5, "盛土"}, {6.5, "粘土"}}, false),
          Column(3, 40, 10, {{1, "盛土"}, {2, "粘土"}, {3.5, "ローム"}, {9, "粘土"}}, false)},
         {"B", "Ac1", "Lm", "Ac2"},
         {"match", "match", "match", "match", "match", "match", "match", "match"},
         {{20, 10, "Ac1"}, {20, 7, "Ac1"}}},
        // The sounding's organic soil lies 1.3 m below its neighbours': the units sit lower there, so
        // it is their organic unit, not their silt, and its 粘性土 is all clay.
        {"a sounding whose units sit lower",
         {Column(1, 0, 10, {{1, "盛土"}, {4, "粘土"}, {5, "有機質土"}, {10, "シルト"}}, false),
          Column(2, 20, 10, {{1, "盛土"}, {5.3, "粘性土"}, {7, "有機質土"}}),
          Column(3, 40, 10, {{1, "盛土"}, {4, "粘土"}, {5, "有機質土"}, {10, "シルト"}}, false)},
         {"B", "Ac1", "Ap", "Am1"},
         {"match", "match", "match", "match", "match", "match", "match", "match"},
         {{20, 3.3, "Ap"}, {20, 5, "Ac1"}}},
        // Only the far log shows the upper gravel's bottom; the logs beside the thick gravel end
        // deeper inside it, so it is that gravel, not the deep one of the far log.
        {"a unit's bottom that only a far log shows",
         {Column(1, 0, 10,
                 {{1.3, "砂"}, {2.3, "泥炭"}, {4.5, "礫"}, {5.9, "粘土"}, {8, "シルト"}, {9.8, "礫"}}),
          Column(2, 40, 10, {{3.9, "砂"}, {4.8, "泥炭"}, {6.4, "礫"}}),
          Column(3, 60, 10, {{2.8, "砂"}, {4.2, "泥炭"}, {8.8, "礫"}}),
          Column(4, 80, 10, {{3, "砂"}, {5.3, "泥炭"}, {7.3, "礫"}})},
         {"As1", "Ap", "Ag1", "Ac1", "Am1", "Ag2"},
         {"match", "match", "match", "match", "match", "match", "match", "match", "match", "match", "match",
          "pinch", "pinch", "pinch"},
         {{70, 2.5, "Ag1"}}},
        // The second log's 粘性土 reaches across the sand, so the first log's starts with the silt too.
        {"a sand that a neighbouring sounding's 粘性土 reaches across",
         {Column(1, 0, 10, {{1, "盛土"}, {9, "粘性土"}}), Column(2, 20, 10, {{1, "盛土"}, {9, "粘性土"}}),
          Column(3, 40, 10, {{1, "盛土"}, {4, "粘性土"}, {5, "砂質土"}}),
          Column(4, 60, 10, {{1, "盛土"}, {4, "シルト"}, {6, "砂"}, {9, "粘土"}, {12, "ローム"}}, false)},
         {"B", "Am1", "As1", "Ac1", "Lm"},
         {"match", "match", "match", "match", "match", "match", "match", "match", "match", "match", "pinch",
          "pinch", "pinch", "pinch"},
         {{0, 8, "Am1"}, {20, 8, "Am1"}}},
        // Under the sounding the organic soil thins out towards the boring without it; the loam goes on.
        {"a unit one side shows, under a shallow log, thins out towards a log without it",
         {Column(1, 0, 10, {{8, "砂"}, {9, "有機質土"}, {10, "ローム"}, {14, "礫"}}, false),
          Column(2, 30, 10, {{2.5, "砂質土"}}),
          Column(3, 60, 10, {{3, "砂"}, {4.5, "ローム"}, {14, "礫"}}, false)},
         {"As1", "Ap", "Lm", "Ag1"},
         {"match", "match", "match", "match", "match", "match", "match", "pinch"},
         {{30, 3.4, "Lm"}}},
        // The boring beside the sounding has no clay between its sand and loam: the clay thins out
        // towards it, so the sounding's 粘性土 near it is nearly all loam.
        {"a unit that a neighbouring boring lacks thins out towards it",
         {Column(1, 0, 10, {{2, "砂"}, {3, "粘土"}, {6, "ローム"}, {10, "砂"}}, false),
          Column(2, 30, 10, {{2, "砂質土"}, {6, "粘性土"}, {8, "砂質土"}}),
          Column(3, 40, 10, {{2, "砂"}, {6, "ローム"}, {10, "砂"}}, false)},
         {"As1", "Ac1", "Lm", "As2"},
         {"match", "match", "match", "match", "match", "match", "match", "pinch"},
         {{30, 7.5, "Lm"}, {5, 7.5, "Ac1"}}},
        // Only the nearer boring shows the clay; the sounding at the end is aligned before it and
        // must keep the clay in its 粘性土 all the same.
        {"a unit one boring alone shows, in a sounding's cohesive unit",
         {Column(1, 0, 10, {{2, "砂質土"}, {6, "粘性土"}, {8, "砂質土"}}),
          Column(2, 20, 10, {{2, "砂"}, {3, "粘土"}, {6, "ローム"}, {10, "砂"}}, false),
          Column(3, 40, 10, {{2, "砂"}, {6, "ローム"}, {10, "砂"}}, false)},
         {"As1", "Ac1", "Lm", "As2"},
         {"match", "match", "match", "match", "match", "match", "match", "pinch"},
         {{1, 7.5, "Ac1"}, {1, 5, "Lm"}}},
        // Sand over clay beside clay over sand: one pair links, the other thins out; nothing crosses.
        {"crossing orders",
         {Column(1, 0, 10, {{4, "砂"}, {6, "粘土"}}), Column(2, 20, 10, {{2, "粘土"}, {6, "砂"}})},
         {"Ac1", "As1", "Ac2"},
         {"match", "pinch", "pinch"},
         {}},
    };
    for (const SectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        const LayerProposal p = Propose(c.columns);
        std::vector<std::string> symbols;
        for (const ProposedUnit& unit : p.units) {
            symbols.push_back(unit.symbol);
        }
        EXPECT_EQ(symbols, c.symbols);
        EXPECT_EQ(LinkKinds(p), c.links);
        for (const Probe& probe : c.probes) {
            EXPECT_EQ(SymbolAt(p, probe.distance, probe.elevation), probe.symbol)
                << "at " << probe.distance << " m, elevation " << probe.elevation;
        }
        EXPECT_TRUE(p.fits);
        EXPECT_TRUE(p.warnings.empty());
        // Titles stand clear of the columns and their graphs, and of each other.
        const ProposalOptions defaults;
        for (std::size_t u = 0; u < p.units.size(); ++u) {
            const ProposedUnit& unit = p.units[u];
            for (const ProposalColumn& column : p.columns) {
                const bool over = unit.titleX < column.distance * 10.0 + 30.0 &&
                                  unit.titleX + defaults.titleWidth > column.distance * 10.0 - 5.0;
                EXPECT_FALSE(over) << unit.symbol << " over the column at " << column.distance;
            }
            for (std::size_t v = 0; v < u; ++v) {
                const ProposedUnit& other = p.units[v];
                EXPECT_FALSE(std::abs(unit.titleX - other.titleX) < defaults.titleWidth &&
                             std::abs(unit.titleY - other.titleY) < defaults.titleHeight)
                    << unit.symbol << " on " << other.symbol;
            }
        }
    }
}

TEST(LayerProposal, LinksNeverCrossAndSayWhy) {
    const LayerProposal p = Propose(
        {Column(1, 0, 10, {{3, "砂"}, {6, "粘土"}}), Column(2, 20, 10.4, {{3.4, "砂"}, {6, "粘土"}})});
    ASSERT_EQ(p.links.size(), 2u);
    EXPECT_EQ(p.links[0].reason, "同じ土質 砂, 標高差 0.2 m");
    const LayerProposal crossing =
        Propose({Column(1, 0, 10, {{4, "砂"}, {6, "粘土"}}), Column(2, 20, 10, {{2, "粘土"}, {6, "砂"}})});
    // Every pair of units found in both columns keeps its order in both.
    for (const ProposedUnit& u : crossing.units) {
        for (const ProposedUnit& v : crossing.units) {
            if (u.extents.size() == 2 && v.extents.size() == 2) {
                EXPECT_EQ(u.extents[0].top < v.extents[0].top, u.extents[1].top < v.extents[1].top);
            }
        }
    }
    const auto pinch = std::find_if(crossing.links.begin(), crossing.links.end(),
                                    [](const ProposalLink& l) { return l.kind == LinkKind::kPinch; });
    ASSERT_NE(pinch, crossing.links.end());
    EXPECT_EQ(pinch->reason, "尖滅");
}

TEST(LayerProposal, BoringNValuesBesideSoundings) {
    ProposalColumn boring = Column(2, 20, 10, {{3, "砂"}, {6, "砂礫"}});
    boring.sounding = false;
    boring.readings = {{1.15, 8}, {2.15, 10}, {4.15, 35}, {5.15, 60}};
    ProposalColumn sounding = Column(1, 0, 10, {{3, "砂"}, {6, "礫"}});
    sounding.readings = {{1.0, 7, 30, false}, {2.0, 3, 0, true}, {4.0, 30, 400, false}};
    const LayerProposal p = Propose({sounding, boring, Column(3, 40, 10, {{3, "砂"}, {6, "礫"}})});
    ASSERT_EQ(p.units.size(), 2u);
    EXPECT_DOUBLE_EQ(p.columnUnits[1][0].meanN, 9.0);
    EXPECT_DOUBLE_EQ(p.columnUnits[1][1].meanN, 47.5);
    EXPECT_DOUBLE_EQ(p.columnUnits[0][0].selfSinkingShare, 0.5);
    EXPECT_EQ(p.units[1].extents.size(), 3u);
}

TEST(LayerProposal, GroupsComeFromTheSoilTable) {
    // A user's own table: names of its own, with the base patterns and classes it chose.
    rave::SoilNameTable own;
    own.AddRow(rave::soil_number_kind::kLineDrawing, 1, {"ガラ", "_", 8500, 0});
    own.AddRow(rave::soil_number_kind::kLineDrawing, 1, {"青粘", "_", 600, rave::soil_class::kClayey});
    own.AddRow(rave::soil_number_kind::kLineDrawing, 1, {"土丹風化", "_", 9900, rave::soil_class::kClayey});
    own.AddRow(rave::soil_number_kind::kLineDrawing, 1, {"浜砂", "_", 7700, rave::soil_class::kSandy});
    own.AddRow(rave::soil_number_kind::kLineDrawing, 1, {"小石", "_", 200, rave::soil_class::kSandy});
    const SoilGroupClassifier classifier(&own, nullptr);
    struct Case {
        const char* name;
        const char* stored;
        SoilGroup group;
    };
    for (const Case& c : std::vector<Case>{{"ガラ", "", SoilGroup::kFill},
                                           {"青粘", "", SoilGroup::kClay},
                                           {"土丹風化", "", SoilGroup::kClay},  // an unknown base: its class
                                           {"浜砂", "", SoilGroup::kSand},
                                           {"小石", "", SoilGroup::kGravel},
                                           {"知らない土", "500.2", SoilGroup::kSilt},  // the stored number
                                           {"知らない土", "", SoilGroup::kOther}}) {
        EXPECT_EQ(classifier.Classify(c.name, c.stored, false), c.group) << c.name;
    }
    // Through the JACIC table: the main soil after the adjective and the admixture decides.
    const SoilGroupClassifier jacic(&Jacic(), nullptr);
    EXPECT_EQ(jacic.Classify("砂質シルト", "3301.2", false), SoilGroup::kSilt);
    EXPECT_EQ(jacic.Classify("シルト混り砂", "1130.1", false), SoilGroup::kSand);

    // A 0.2 m gravel joins the sand above (nearer than the clay below); same groups then join.
    const std::vector<ColumnUnit> units =
        ColumnUnitsOf(Column(1, 0, 10, {{1, "青粘"}, {2, "浜砂"}, {2.2, "小石"}, {3, "浜砂"}, {5, "青粘"}}),
                      classifier, 0.3);
    ASSERT_EQ(units.size(), 3u);
    EXPECT_EQ(units[1].group, SoilGroup::kSand);
    EXPECT_DOUBLE_EQ(units[1].top, 1.0);
    EXPECT_DOUBLE_EQ(units[1].bottom, 3.0);

    // A sounding's loam over clay is one cohesive unit (of the thicker piece's group); a boring's
    // names tell the two apart.
    rave::SoilNameTable simpleNames;
    simpleNames.AddRow(rave::soil_number_kind::kBitmap, 1, {"ローム", "_", 900, rave::soil_class::kClayey});
    simpleNames.AddRow(rave::soil_number_kind::kBitmap, 1, {"粘土", "_", 600, rave::soil_class::kClayey});
    simpleNames.AddRow(rave::soil_number_kind::kBitmap, 1, {"砂", "_", 300, rave::soil_class::kSandy});
    const SoilGroupClassifier simple(&Jacic(), &simpleNames);
    for (const bool sounding : {true, false}) {
        ProposalColumn column = Column(1, 0, 10, {{1, "ローム"}, {2.5, "粘土"}, {4, "砂"}}, sounding);
        column.simpleNames = true;
        const std::vector<ColumnUnit> named = ColumnUnitsOf(column, simple, 0.3);
        ASSERT_EQ(named.size(), sounding ? 2u : 3u) << sounding;
        EXPECT_EQ(named[0].group, sounding ? SoilGroup::kClay : SoilGroup::kLoam);
    }
}

TEST(LayerProposal, CapacityPressureMergesThinnestAndWarns) {
    const char* soils[] = {"盛土", "砂", "粘土", "砂礫", "シルト", "砂", "粘土", "礫"};
    std::vector<ProposalColumn> columns;
    for (int c = 0; c < 25; ++c) {
        std::vector<Layer> layers;
        for (int k = 0; k < 8; ++k) {
            layers.push_back({(k + 1) * 1.5 + (k == 4 ? 0.0 : 0.05 * c), soils[k]});
        }
        columns.push_back(Column(c + 1, c * 10.0, 20, layers));
    }
    const LayerProposal p = Propose(columns);
    ASSERT_TRUE(p.fits);
    EXPECT_LE(p.points.size(), 200u);
    EXPECT_LE(p.units.size(), 20u);
    for (const ProposedUnit& unit : p.units) {
        EXPECT_LE(unit.outline.size(), 100u);
    }
    EXPECT_FALSE(p.warnings.empty());
    // Every stretch stays covered, and the warnings name the units as they are drawn.
    for (double distance = 1.0; distance < 240.0; distance += 2.5) {
        for (double elevation = 19.5; elevation > 20.0 - 8 * 1.5; elevation -= 0.5) {
            EXPECT_NE(SymbolAt(p, distance, elevation), "-") << distance << " m, elevation " << elevation;
        }
    }
    for (const std::string& warning : p.warnings) {
        if (warning.find("タイトルの数に収めるため") != std::string::npos) {
            EXPECT_TRUE(std::any_of(p.units.begin(), p.units.end(), [&](const ProposedUnit& unit) {
                return warning.find(" " + unit.symbol + " ") != std::string::npos;
            })) << warning;
        }
    }

    // Added after what the document holds, within the room it leaves; a full document takes none.
    SectionDocument document;
    document.Point(1) = {5, -5};
    document.Layer(1).number = "7";
    document.Layer(1).SetPointNumbers({1});
    ProposalOptions options;
    SetRoomFromDocument(options, document, false);
    const LayerProposal added = Propose(columns, options);
    ASSERT_TRUE(ApplyProposal(document, added, false));
    EXPECT_EQ(document.LayerCount(), 1 + static_cast<int>(added.units.size()));
    EXPECT_EQ(document.Layer(1).PointNumbers(), std::vector<int>{1});
    EXPECT_EQ(document.Layer(2).number, "8");
    EXPECT_DOUBLE_EQ(document.Point(1).x, 5.0);
    for (int n = document.LayerCount() + 1; n <= kLayers; ++n) {
        document.Layer(n).number = std::to_string(n + 10);
        document.Layer(n).SetPointNumbers({1});
    }
    SetRoomFromDocument(options, document, false);
    const LayerProposal none = Propose(columns, options);
    EXPECT_FALSE(none.fits);
    EXPECT_FALSE(ApplyProposal(document, none, false));
    EXPECT_EQ(document.Layer(kLayers).number, std::to_string(kLayers + 10));
}

// Thin layers of a boring between units of other families are no bands: they must not, one after
// another, fold 9 m of described ground into one unit.
TEST(LayerProposal, ThinLayersBetweenUnitsAreKept) {
    const LayerProposal p = Propose({Column(1, 0, 10, {{1, "盛土"}, {5, "粘性土"}}),
                                     Column(2, 20, 10,
                                            {{1, "盛土"},
                                             {6.35, "ローム"},
                                             {9.05, "粘土質シルト"},
                                             {9.7, "腐植土"},
                                             {13.5, "砂質シルト"},
                                             {13.85, "粘土"},
                                             {14.7, "細砂"},
                                             {15.55, "粘土"},
                                             {17.35, "中砂"}},
                                            false),
                                     Column(3, 40, 10, {{1, "盛土"}, {4.5, "粘性土"}})});
    const auto& boring = p.columnUnits[1];
    EXPECT_TRUE(std::any_of(boring.begin(), boring.end(), [](const ColumnUnit& u) {
        return u.group == SoilGroup::kClay && u.top <= 13.9 && u.bottom >= 15.5;
    }));
}

// The engineer's titles stay where they are, and the proposal's symbols stand clear of them; the
// earlier proposal's own titles, which replacing removes, are no obstacle.
TEST(LayerProposal, ProposedTitlesStandClearOfTheEngineersOwn) {
    const std::vector<ProposalColumn> columns = {Column(1, 0, 10, {{3, "砂"}, {8, "粘土"}}),
                                                 Column(2, 60, 10, {{3, "砂"}, {8, "粘土"}})};
    SectionDocument document;
    ASSERT_TRUE(ApplyProposal(document, Propose(columns), true));  // writes As1 and Ac1
    ProposalOptions options;
    SetRoomFromDocument(options, document, true);
    const LayerProposal first = Propose(columns, options);
    ASSERT_EQ(first.units.size(), 2u);
    // The engineer writes a title where Ac1 stood.
    const ProposedUnit& clay = first.units[1];
    document.Title(kTitleEntries) = {clay.titleX - 5.0, clay.titleY, "粘性土（Ａｃ）", "1"};
    for (const bool replace : {true, false}) {
        SetRoomFromDocument(options, document, replace);
        EXPECT_EQ(options.keptTitles.size(), replace ? 1u : 3u);
        const ProposalArea& kept = options.keptTitles.back();
        EXPECT_NEAR(kept.right - kept.left, options.titleWidth * 14.0 / 3.0, 1e-9);
        for (const ProposedUnit& unit : Propose(columns, options).units) {
            EXPECT_FALSE(unit.titleX < kept.right && unit.titleX + options.titleWidth > kept.left &&
                         unit.titleY < kept.bottom && unit.titleY + options.titleHeight > kept.top)
                << unit.symbol << (replace ? " replacing" : " adding");
        }
    }
}

}  // namespace
}  // namespace ravesect
