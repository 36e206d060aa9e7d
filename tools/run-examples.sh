#!/usr/bin/env bash
# Builds the programs, renders every bundled example to PDF in out/, and starts the desktop
# program on the first example when a display is available.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j"$jobs" --target ravelog
mkdir -p out
install_folder="$PWD/out/install"

rendered=0
for example in examples/*.sdw examples/*.ddf; do
    [ -f "$example" ] || continue
    name=$(basename "${example%.*}")
    if ./build/apps/ravelog render "$example" -o "out/$name.pdf" --install-folder "$install_folder" 2> "out/$name.log"; then
        echo "rendered out/$name.pdf"
        rendered=$((rendered + 1))
    else
        # Until the sheet drawing exists, show what the program knows of the example instead.
        ./build/apps/ravelog info "$example" --install-folder "$install_folder" > "out/$name.json"
        echo "summarised out/$name.json"
    fi
done
echo "$rendered example(s) rendered"

if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
    first=$(ls examples/*.sdw 2>/dev/null | head -n 1 || true)
    ./build/apps/ravelog --install-folder "$install_folder" ${first:+"$first"} &
fi
