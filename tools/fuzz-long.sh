#!/usr/bin/env bash
# Long fuzzing, outside the normal test run: runs each libFuzzer target until its process has used
# a given number of CPU seconds, two targets at a time. Corpora are kept between runs in
# $RAVE_FUZZ_WORK/corpus/<target> (seeded from fuzz/seeds/<target>), so an hour can be made up
# over several runs; every run adds its CPU seconds to $RAVE_FUZZ_WORK/ledger.txt. Findings are
# written to $RAVE_FUZZ_WORK/artifacts/ and the run exits 1.
#
#   tools/fuzz-long.sh                          every target, 3600 CPU seconds each
#   tools/fuzz-long.sh boring_xml:600 bitmap_reader:1200
#
# Never pause the fuzzers (SIGSTOP): libFuzzer's wall-clock timeout then fires on resume and
# reports a timeout that the input did not cause.
set -uo pipefail
cd "$(dirname "$0")/.."
work=${RAVE_FUZZ_WORK:-$PWD/build-fuzzlong/work}
build=${RAVE_FUZZ_BUILD:-build-fuzzlong}
default_seconds=${RAVE_FUZZ_CPU_SECONDS:-3600}
parallel=${RAVE_FUZZ_PARALLEL:-2}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRAVE_FUZZ=ON \
    -DRAVE_WITH_QT=OFF -DRAVE_TESTS=OFF > /dev/null || exit 1
cmake --build "$build" || exit 1
mkdir -p "$work/corpus" "$work/artifacts"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for binary in "$build"/fuzz/fuzz_*; do
        [ -x "$binary" ] && targets+=("$(basename "${binary#"$build"/fuzz/fuzz_}")")
    done
fi

# CPU seconds (user + system) a running process has used so far.
cpu_seconds() {
    local stat
    stat=$(cat "/proc/$1/stat" 2> /dev/null) || return 1
    echo $(($(echo "${stat##*) }" | awk '{print $12 + $13}') / $(getconf CLK_TCK)))
}

run_target() {
    local name=${1%%:*} limit=$default_seconds
    [[ $1 == *:* ]] && limit=${1##*:}
    local binary="$build/fuzz/fuzz_$name" corpus="$work/corpus/$name" log="$work/$name.log"
    if [ ! -x "$binary" ]; then
        echo "no fuzz target named $name" >&2
        return 1
    fi
    mkdir -p "$corpus"
    [ -d "fuzz/seeds/$name" ] && cp -rn "fuzz/seeds/$name/." "$corpus/"
    ulimit -c 0
    "$binary" -max_len=65536 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$work/artifacts/$name-" "$corpus" > "$log" 2>&1 &
    local pid=$! used=0 now
    while kill -0 "$pid" 2> /dev/null; do
        sleep 5
        now=$(cpu_seconds "$pid") || break
        used=$now
        [ "$used" -ge "$limit" ] && kill -INT "$pid"
    done
    wait "$pid"
    local rc=$?
    local runs
    runs=$(grep -o 'number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$')
    echo "$(date -u +%FT%TZ) $name cpu ${used}s runs ${runs:-?} rc $rc" >> "$work/ledger.txt"
    echo "$name: ${used} CPU seconds, ${runs:-?} runs"
    # libFuzzer exits 72 when it is interrupted, as it is at the limit; anything else is a finding.
    if [ "$rc" -ne 0 ] && [ "$rc" -ne 72 ]; then
        echo "$name found a fault; see $log and $work/artifacts/" >&2
        tail -n 30 "$log" >&2
        return 1
    fi
}

failed=0
running=0
for target in "${targets[@]}"; do
    if [ "$running" -ge "$parallel" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
    run_target "$target" &
    running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done
echo "ledger: $work/ledger.txt"
exit "$failed"
