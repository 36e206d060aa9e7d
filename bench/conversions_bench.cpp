// RecomputeConversions over the 1350 rows of the long example sounding.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "common/text_file.h"
#include "ravelog/conversion/conversions.h"
#include "ravelog/conversion/default_settings.h"
#include "ravelog/document/sounding_file.h"

namespace {

// The example file read as the menu's Open reads it, defaults filled in and classes assigned,
// as the view has it before any recompute.
ravelog::SoundingDocument LoadLongExample() {
    ravelog::SoundingDocument document;
    const auto bytes = rave::ReadFileBytes(RAVE_SOURCE_DIR "/examples/example-long.sdw");
    if (!bytes || ravelog::ReadSoundingBytes(document, *bytes, ravelog::kMenuOpenLimits) == 0) {
        std::cerr << "cannot read examples/example-long.sdw\n";
        std::exit(1);
    }
    ravelog::ApplyViewSetUpDefaults(document, rave::RavelogSettings::Defaults());
    rave::RecordingMessageSink messages;
    ravelog::AssignSoilClasses(document, document.RowCount(), messages);
    return document;
}

void BM_RecomputeConversions(benchmark::State& state) {
    ravelog::SoundingDocument document = LoadLongExample();
    const int count = document.RowCount();
    for (auto _ : state) {
        ravelog::RecomputeConversions(document, count);
        benchmark::DoNotOptimize(document.Conversion(count)[2].data());
    }
    state.counters["rows"] = count;
}
BENCHMARK(BM_RecomputeConversions)->Unit(benchmark::kMicrosecond);

// The same rows with every layer classified and qu computed for sandy soil too, so each row
// yields all three values, as a sheet with soil names does.
void BM_RecomputeConversionsClassified(benchmark::State& state) {
    ravelog::SoundingDocument document = LoadLongExample();
    const int count = document.RowCount();
    for (int i = 1; i <= count; ++i) {
        document.Row(i)[ravelog::field::kSoilClass] = (i / 50) % 2 == 0 ? "1" : "2";
    }
    document.header[86] = "1";
    for (auto _ : state) {
        ravelog::RecomputeConversions(document, count);
        benchmark::DoNotOptimize(document.Conversion(count)[2].data());
    }
    state.counters["rows"] = count;
}
BENCHMARK(BM_RecomputeConversionsClassified)->Unit(benchmark::kMicrosecond);

}  // namespace
