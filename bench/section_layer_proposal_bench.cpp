// The layer proposal for a full section: 25 placed logs of 50 layers each, a dipping sequence
// with a unit thinning out now and then (goal: under 50 ms). The proposal has to merge most of
// the units to fit the section's 20 layers and 200 points, which is the expensive part.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "common/installed_soil_tables.h"
#include "common/messages.h"
#include "ravesect/editing/layer_proposal.h"

namespace {

std::vector<ravesect::ProposalColumn> FullSection() {
    const char* soils[] = {"砂", "粘土", "シルト", "砂礫", "細砂", "有機質土", "ローム", "礫"};
    std::vector<ravesect::ProposalColumn> columns;
    for (int c = 0; c < 25; ++c) {
        ravesect::ProposalColumn column;
        column.slot = c + 1;
        column.distance = 10.0 * c;
        column.ground = 20.0 + 0.1 * (c % 3);
        column.sounding = true;
        double depth = 0.0;
        for (int k = 0; k < 50; ++k) {
            // Every seventh unit is missing from every fourth column: a pinch-out to find.
            const bool missing = (k % 7 == 3) && (c % 4 == 2);
            depth += (missing ? 0.05 : 0.4 + 0.02 * ((k * 7 + c) % 5)) + 0.01 * c;
            column.layers.push_back({depth, soils[(k * 3) % 8], ""});
            column.readings.push_back({depth - 0.1, 3.0 + (k % 9), 20.0 * (k % 5), k % 5 == 0});
        }
        columns.push_back(std::move(column));
    }
    return columns;
}

void BM_ProposeLayers25x50(benchmark::State& state) {
    rave::SoilNameTable jacic;
    rave::RecordingMessageSink quiet;
    rave::LoadBothSoilNameKinds(jacic, std::filesystem::path(RAVE_SOURCE_DIR) / "data" / "WdtvxJG.mst",
                                quiet);
    const ravesect::SoilGroupClassifier classifier(&jacic, nullptr);
    const std::vector<ravesect::ProposalColumn> columns = FullSection();
    std::size_t units = 0;
    for (auto _ : state) {
        const ravesect::LayerProposal proposal = ravesect::ProposeLayers(columns, classifier);
        units = proposal.units.size();
        benchmark::DoNotOptimize(units);
    }
    state.counters["units"] = static_cast<double>(units);
}
BENCHMARK(BM_ProposeLayers25x50)->Unit(benchmark::kMillisecond);

}  // namespace
