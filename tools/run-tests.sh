#!/usr/bin/env bash
# Builds everything and runs every test: the unit and command-line tests, a short run of every
# fuzz target, and the core tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== core tests under ASan and UBSan"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRAVE_SANITIZE=ON -DRAVE_WITH_QT=OFF > /dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs"

echo "== short fuzz runs"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVE_FUZZ=ON \
    -DRAVE_WITH_QT=OFF -DRAVE_TESTS=OFF > /dev/null
cmake --build build-fuzz -j"$jobs"
fuzz_seconds=${RAVE_FUZZ_SECONDS:-20}
for target in build-fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus=$(mktemp -d)
    seeds="fuzz/seeds/${name#fuzz_}"
    [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
    echo "fuzz: $name for ${fuzz_seconds}s"
    "$target" -max_total_time="$fuzz_seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 "$corpus" \
        > "build-fuzz/$name.log" 2>&1 || { tail -n 40 "build-fuzz/$name.log"; exit 1; }
    rm -rf "$corpus"
done

echo "== all tests passed"
