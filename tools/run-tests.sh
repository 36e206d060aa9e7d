#!/usr/bin/env bash
# Builds everything and runs every test: the unit and command-line tests with warnings as errors,
# the core tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and a short, bounded
# run of every fuzz target. ccache is used when it is installed, so a second run rebuilds only
# what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

launcher=()
if command -v ccache > /dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$PWD"
fi

echo "== build (warnings are errors) and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVE_WERROR=ON "${launcher[@]}" > /dev/null
cmake --build build -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$jobs" --timeout 600

echo "== core tests under ASan and UBSan"
# GCC, as the core tests need its cp932 string literals (clang has no -fexec-charset=CP932).
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRAVE_SANITIZE=ON -DRAVE_WITH_QT=OFF \
    -DRAVE_WERROR=ON "${launcher[@]}" > /dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs" --timeout 600

echo "== short fuzz runs (clang, only the fuzz targets)"
CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVE_FUZZ=ON \
    -DRAVE_WITH_QT=OFF -DRAVE_TESTS=OFF "${launcher[@]}" > /dev/null
cmake --build build-sanitize -j"$jobs"

# Each target runs for a bounded time with bounded input size and memory; a finding fails the run.
fuzz_seconds=${RAVE_FUZZ_SECONDS:-20}
for target in build-sanitize/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=$(mktemp -d)
    seeds="fuzz/seeds/${name#fuzz_}"
    [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
    echo "fuzz: $name for ${fuzz_seconds}s"
    timeout $((fuzz_seconds + 120)) "$target" -max_total_time="$fuzz_seconds" -max_len=65536 -timeout=10 \
        -rss_limit_mb=2048 "$corpus" > "build-sanitize/$name.log" 2>&1 ||
        { tail -n 40 "build-sanitize/$name.log"; rm -rf "$corpus"; exit 1; }
    rm -rf "$corpus"
done

echo "== all tests passed"
