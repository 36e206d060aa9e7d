#!/usr/bin/env bash
# Batch rendering against one process per file: 1000 soundings of mixed length (most of 20 to 60
# rows, every 50th of 1350 rows) rendered to PDF by one `ravelog render FILE... -o DIR/` and by
# one `ravelog render FILE -o OUT.pdf` per file. Usage: bench/batch_render.sh BUILD-DIR [COUNT]
# With BATCH_ONLY=1 only the batch is timed (the per-file loop takes ten times as long).
set -euo pipefail
build=${1:?build folder holding apps/ravelog}
count=${2:-1000}
ravelog="${RAVELOG:-$build/apps/ravelog}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source_dir="$(cd "$(dirname "$0")/.." && pwd)"

python3 - "$source_dir/examples/example-short.sdw" "$work/in" "$count" <<'PY'
import os, random, sys
template, folder, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
head = open(template, 'rb').read().split(b'$$A\r\n')[0]
os.makedirs(folder)
random.seed(1)
for n in range(count):
    rows = 1350 if n % 50 == 0 else random.randint(20, 60)
    lines = []
    for i in range(1, rows + 1):
        half_turns = random.choice([0, 0, 4, 8, 12, 20])
        lines.append(b'1.00,%d,%.2f,0.2500,%.4f,,,,,,0' % (half_turns, i * 0.25, half_turns * 4.0))
    with open(os.path.join(folder, 'S%04d.sdw' % n), 'wb') as out:
        out.write(head + b'$$A\r\n' + b'\r\n'.join(lines) + b'\r\n$$C\r\n')
PY

install="$work/install"
"$ravelog" info "$work/in/S0001.sdw" --install-folder "$install" > /dev/null  # first use fills it

start=$(date +%s.%N)
/usr/bin/time -f "batch CPU: %U s user, %S s system" "$ravelog" render "$work"/in/*.sdw -o "$work/batch/" --install-folder "$install"
batch=$(echo "$(date +%s.%N) - $start" | bc)

echo "files: $count, cores: $(nproc)"
echo "batch (one process, all cores): ${batch} s"
if [ "${BATCH_ONLY:-0}" = 1 ]; then
    exit 0
fi

mkdir -p "$work/single"
start=$(date +%s.%N)
for file in "$work"/in/*.sdw; do
    "$ravelog" render "$file" -o "$work/single/$(basename "${file%.sdw}").pdf" --install-folder "$install"
done
single=$(echo "$(date +%s.%N) - $start" | bc)

echo "one process per file:           ${single} s"
echo "speed-up: $(echo "scale=2; $single / $batch" | bc)x"
