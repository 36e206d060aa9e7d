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

echo "== core tests and the random-input test of the windows under ASan and UBSan"
# GCC, as the core tests need its cp932 string literals (clang has no -fexec-charset=CP932).
# Qt is on for the windows' random-input driver, but only the core tests and the driver are built.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DRAVE_SANITIZE=ON -DRAVE_WITH_QT=ON \
    -DRAVE_WERROR=ON "${launcher[@]}" > /dev/null
core_tests=(common drawing document conversion entry report editing ravesect site)
cmake --build build-asan -j"$jobs" --target "${core_tests[@]/#/test_}" test_random_actions
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs" --timeout 600 \
    -R "^($(IFS='|'; echo "${core_tests[*]}"))\$"

# Random actions on each window (both at once): a fixed number from a fixed seed, about a minute
# each here, so every run replays the same actions whatever the machine's load. The time limit
# only stops a much slower machine early. Qt and the system libraries under it are not instrumented;
# their own leaks at exit are not ours, so leak detection is off for this program only (ASan still
# reports every bad access).
random_seconds=${RAVE_RANDOM_SECONDS:-150}
random_seed=${RAVE_RANDOM_SEED:-20261209}
pids=()
for program in Ravelog Ravesect; do
    actions=$([ "$program" = Ravelog ] && echo "${RAVE_RANDOM_ACTIONS_RAVELOG:-1500}" ||
        echo "${RAVE_RANDOM_ACTIONS_RAVESECT:-3500}")
    QT_QPA_PLATFORM=offscreen RAVE_RANDOM_SEED="$random_seed" RAVE_RANDOM_SECONDS="$random_seconds" \
        RAVE_RANDOM_ACTIONS="$actions" ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        timeout $((random_seconds + 300)) build-asan/tests/test_random_actions \
        --gtest_filter="RandomActions.$program" > "build-asan/random-$program.log" 2>&1 &
    pids+=($!)
done
for i in 0 1; do
    program=$([ "$i" = 0 ] && echo Ravelog || echo Ravesect)
    if ! wait "${pids[$i]}"; then
        tail -n 60 "build-asan/random-$program.log"
        echo "random actions on $program failed with RAVE_RANDOM_SEED=$random_seed (action list above)"
        exit 1
    fi
    grep -h "actions in" "build-asan/random-$program.log" || true
done

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

echo "== the Qt-free core and its tests cross-built for Windows, run under wine"
# The libraries it needs (pugixml, GoogleTest) are built once from Debian's source packages into
# the cache of tools/build-windows.sh; Qt for Windows is not needed here.
tools/build-windows.sh core
tools/windows/run-tests-under-wine.sh build-windows-core

echo "== all tests passed"
