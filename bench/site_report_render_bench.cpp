// Speed of the site report to PDF through the command line's own path: the example lot (five
// soundings, a section and two photographs; target under 1 s) and a lot of 30 soundings (target
// under 5 s).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "apps/ravelog_cli.h"

namespace {

const std::filesystem::path kSite = std::filesystem::path(RAVE_SOURCE_DIR) / "examples" / "site";

std::filesystem::path WorkFolder() {
    static const std::filesystem::path folder = [] {
        const std::filesystem::path path = std::filesystem::temp_directory_path() / "rave-site-bench";
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

void RunReport(benchmark::State& state, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "report");
    for (const char* option : {"-o", "", "--install-folder", ""}) {
        arguments.emplace_back(option);
    }
    arguments[arguments.size() - 3] = (WorkFolder() / "site.pdf").string();
    arguments.back() = (WorkFolder() / "install").string();
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        if (ravelog::cli::RunRavelogCommandLine(arguments, out, err) != 0) {
            state.SkipWithError(err.str().c_str());
            break;
        }
    }
}

void FivePointsSectionAndPhotos(benchmark::State& state) {
    RunReport(state, {(kSite / "site-report.rsr").string()});
}
BENCHMARK(FivePointsSectionAndPhotos)->Unit(benchmark::kMillisecond);

void ThirtyPoints(benchmark::State& state) {
    std::vector<std::string> arguments;
    for (int i = 0; i < 30; ++i) {
        const std::string file = "no" + std::to_string(i % 5 + 1) + ".sdw";
        arguments.push_back(std::to_string(i % 6 * 5) + "," + std::to_string(i / 6 * 5) + "=" +
                            (kSite / file).string());
    }
    RunReport(state, arguments);
}
BENCHMARK(ThirtyPoints)->Unit(benchmark::kMillisecond);

}  // namespace
