// Reading and writing a full sounding file: the 1350-row example, as Open and Save handle it.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "common/text_file.h"
#include "ravelog/document/sounding_file.h"

namespace {

const std::string& LongExampleBytes() {
    static const std::string bytes =
        rave::ReadFileBytes(std::filesystem::path(RAVE_SOURCE_DIR) / "examples" / "example-long.sdw")
            .value_or(std::string());
    return bytes;
}

void BM_ReadLongSoundingFile(benchmark::State& state) {
    const std::string& bytes = LongExampleBytes();
    if (bytes.empty()) {
        state.SkipWithError("examples/example-long.sdw is missing");
        return;
    }
    ravelog::SoundingDocument document;
    for (auto _ : state) {
        const auto version = ravelog::ReadSoundingBytes(document, bytes, ravelog::kMenuOpenLimits);
        benchmark::DoNotOptimize(version);
    }
    if (document.RowCount() != ravelog::kMaxRows) {
        state.SkipWithError("the example does not hold 1350 rows");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadLongSoundingFile)->Unit(benchmark::kMicrosecond);

void BM_WriteLongSoundingFile(benchmark::State& state) {
    ravelog::SoundingDocument document;
    ravelog::ReadSoundingBytes(document, LongExampleBytes(), ravelog::kMenuOpenLimits);
    for (auto _ : state) {
        std::string bytes = ravelog::WriteSoundingFile(document);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_WriteLongSoundingFile)->Unit(benchmark::kMicrosecond);

}  // namespace
