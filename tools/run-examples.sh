#!/usr/bin/env bash
# Builds the programs and renders every bundled example in all three sheet formats to out/
# (NAME-format1.pdf, NAME-format2.pdf, NAME-format3.pdf, all pages each), then starts the desktop
# programs on the first examples when a display is available.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

launcher=()
if command -v ccache > /dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$PWD"
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" > /dev/null
cmake --build build -j"$jobs" --target ravelog ravesect
mkdir -p out
install_folder="$PWD/out/install"

rendered=0
failed=0
for example in examples/*.sdw examples/*.ddf; do
    [ -f "$example" ] || continue
    name=$(basename "${example%.*}")
    for format in 1 2 3; do
        output="out/$name-format$format.pdf"
        if ./build/apps/ravelog render "$example" -o "$output" --format "$format" \
            --install-folder "$install_folder" 2> "out/$name-format$format.log"; then
            echo "rendered $output"
            rendered=$((rendered + 1))
        else
            echo "could not render $example in format $format:" >&2
            cat "out/$name-format$format.log" >&2
            failed=$((failed + 1))
        fi
    done
done
for section in examples/section/*.sqw; do
    [ -f "$section" ] || continue
    name=$(basename "${section%.*}")
    if ./build/apps/ravesect render "$section" -o "out/$name.pdf" \
        --install-folder "$install_folder" 2> "out/$name.log"; then
        echo "rendered out/$name.pdf"
        rendered=$((rendered + 1))
    else
        echo "could not render $section:" >&2
        cat "out/$name.log" >&2
        failed=$((failed + 1))
    fi
done
# The site report of the example lot: cover, overview, plan, columns, notice check, every point's
# sheets, the section, photographs and findings in one PDF.
for report in examples/site/*.rsr; do
    [ -f "$report" ] || continue
    name=$(basename "${report%.*}")
    if ./build/apps/ravelog report "$report" -o "out/$name.pdf" \
        --install-folder "$install_folder" 2> "out/$name.log"; then
        echo "rendered out/$name.pdf"
        rendered=$((rendered + 1))
    else
        echo "could not render $report:" >&2
        cat "out/$name.log" >&2
        failed=$((failed + 1))
    fi
done
echo "$rendered sheet(s) rendered to out/"

if [ -n "${DISPLAY:-}" ] && [ -z "${CI:-}" ]; then
    first=$(ls examples/*.sdw 2>/dev/null | head -n 1 || true)
    ./build/apps/ravelog --install-folder "$install_folder" ${first:+"$first"} &
    section=$(ls examples/section/*.sqw 2>/dev/null | head -n 1 || true)
    ./build/apps/ravesect --install-folder "$install_folder" ${section:+"$section"} &
fi
[ "$failed" -eq 0 ]
