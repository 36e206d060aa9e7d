#!/usr/bin/env bash
# Tests the Windows release under wine, after tools/build-windows.sh:
#  1. every test program of the Windows build (the Qt ones on Qt's Windows platform under Xvfb);
#  2. the examples and the example site report rendered by the Windows command lines, page by page
#     against the Linux build (pdftoppm at 100 dpi; at most 0.5 % of the pixels may differ), and
#     `info` and `report --json` as the same JSON;
#  3. the installer, silently, into a fresh wine prefix; both desktop programs started on an example
#     under Xvfb, with a screenshot each (docs/windows-ravelog.png, docs/windows-ravesect.png); a
#     file opened through its association; the silent uninstall, which keeps the install folder.
# A failure stops the run with a message; "all Windows checks passed" ends a good one.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
cache=${RAVE_WINDOWS_CACHE:-$HOME/.cache/rave-windows}
build=$root/build-windows
version=$(sed -n 's/^project(Rave VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
setup=$root/out/windows/rave-$version-setup.exe
work=$(mktemp -d)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '[ -n "${xvfb:-}" ] && kill "$xvfb" 2> /dev/null; wineserver -k 2> /dev/null; rm -rf "$work" 2> /dev/null || true' EXIT

fail() {
    echo "test-windows: FAILED: $*" >&2
    exit 1
}
step() { echo "== $*"; }

[ -f "$setup" ] && [ -d "$build/tests" ] || fail "run tools/build-windows.sh first"
for tool in wine pdftoppm compare xvfb-run import; do
    command -v "$tool" > /dev/null || fail "$tool is missing (tools/setup-debian.sh installs it)"
done

new_prefix() {
    export WINEPREFIX=$work/$1
    wineboot --init > /dev/null 2>&1 || fail "wineboot could not make a prefix"
    wineserver -w
}

# The Linux build the output is compared with.
if [ ! -x build/apps/ravelog ] || [ ! -x build/apps/ravesect ]; then
    step "building the Linux programs to compare with"
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
    cmake --build build --target ravelog ravesect
fi

# RAVE_WINDOWS_TEST_PROGRAMS=0 leaves the test programs out, for a quick look at the output and the
# installer; a failing program is reported at the end, after the other checks have run.
programs_failed=
if [ "${RAVE_WINDOWS_TEST_PROGRAMS:-1}" != 0 ]; then
    step "test programs under wine"
    tools/windows/run-tests-under-wine.sh "$build" || programs_failed=1
fi

step "the examples drawn by both builds"
folder=$work/zip
mkdir -p "$folder"
(cd "$folder" && unzip -q "$root/out/windows/rave-$version-windows.zip")
windows=$folder/Ravelog
install_folder=$work/install-folder
cp -r data "$install_folder"
page_failures=()
compare_pages() {  # linux.pdf windows.pdf label
    local a=$work/pages-a b=$work/pages-b
    rm -rf "$a" "$b"
    mkdir -p "$a" "$b"
    pdftoppm -r 100 -png "$1" "$a/p"
    pdftoppm -r 100 -png "$2" "$b/p"
    [ "$(ls "$a" | wc -l)" = "$(ls "$b" | wc -l)" ] || fail "$3: the page counts differ"
    for page in "$a"/*.png; do
        local other=$b/$(basename "$page") pixels differ
        pixels=$(identify -format '%[fx:w*h]' "$page")
        differ=$(compare -metric AE -fuzz 10% "$page" "$other" null: 2>&1 || true)
        differ=${differ%% *}
        if awk -v d="$differ" -v p="$pixels" 'BEGIN { exit !(d <= p * 0.005) }'; then
            echo "$3 $(basename "$page"): $differ of $pixels pixels differ"
        else
            echo "$3 $(basename "$page"): $differ of $pixels pixels differ: TOO MANY"
            page_failures+=("$3 $(basename "$page")")
        fi
    done
}
for example in examples/*.sdw; do
    for format in 1 2 3; do
        label="$(basename "$example") format $format"
        build/apps/ravelog render "$example" -o "$work/linux.pdf" --format $format --install-folder "$install_folder"
        wine "$windows/ravelog.com" render "$example" -o "$work/windows.pdf" --format $format \
            --install-folder "$install_folder" || fail "$label: the Windows render failed"
        compare_pages "$work/linux.pdf" "$work/windows.pdf" "$label"
    done
    build/apps/ravelog info "$example" --install-folder "$install_folder" > "$work/linux.json"
    wine "$windows/ravelog.com" info "$example" --install-folder "$install_folder" | tr -d '\r' > "$work/windows.json"
    cmp -s "$work/linux.json" "$work/windows.json" || fail "ravelog info $example prints other JSON"
done
for section in examples/section/*.sqw; do
    label=$(basename "$section")
    (cd "$(dirname "$section")" &&
        "$root/build/apps/ravesect" render "$(basename "$section")" -o "$work/linux.pdf" --install-folder "$install_folder" &&
        wine "$windows/ravesect.com" render "$(basename "$section")" -o "$work/windows.pdf" \
            --install-folder "$install_folder") || fail "$label: a render failed"
    compare_pages "$work/linux.pdf" "$work/windows.pdf" "$label"
    (cd "$(dirname "$section")" &&
        "$root/build/apps/ravesect" info "$(basename "$section")" --install-folder "$install_folder" > "$work/linux.json" &&
        wine "$windows/ravesect.com" info "$(basename "$section")" --install-folder "$install_folder" |
        tr -d '\r' > "$work/windows.json")
    cmp -s "$work/linux.json" "$work/windows.json" || fail "ravesect info $label prints other JSON"
done
# The site report: the cover and tables, the plan, the columns, every point's sheets, the section's
# pages and the photographs (JPEG through Qt's plug-in, PNG through Qt itself).
(cd examples/site &&
    "$root/build/apps/ravelog" report site-report.rsr -o "$work/linux.pdf" --install-folder "$install_folder" \
        --json > "$work/linux.json" &&
    wine "$windows/ravelog.com" report site-report.rsr -o "$work/windows.pdf" --install-folder "$install_folder" \
        --json | tr -d '\r' > "$work/windows.json") || fail "site-report.rsr: a report failed"
compare_pages "$work/linux.pdf" "$work/windows.pdf" site-report.rsr
# Each point's "file" is the sounding's full name in the platform's own form; wine shows the Linux
# root as drive Z:, so Z:\work\x.sdw there is /work/x.sdw here.
sed -i '/"file": "Z:/{ s|"Z:|"|; s|\\\\|/|g; }' "$work/windows.json"
cmp -s "$work/linux.json" "$work/windows.json" || fail "ravelog report --json prints other JSON"
wine "$windows/ravelog.com" render no-such-file.sdw -o "$work/x.pdf" > /dev/null 2>&1 && fail "a missing input gave success"
status=0
wine "$windows/ravelog.com" render > /dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "a usage error gave exit status $status, not 2"

step "installing, starting, opening by association, uninstalling"
new_prefix install
wine "$setup" /S || fail "the silent install failed"
wineserver -w
drive_c=$WINEPREFIX/drive_c
program_folder="$drive_c/Program Files/Ravelog"
for file in ravelog.exe ravelog.com ravesect.exe ravesect.com Qt6Widgets.dll platforms/qwindows.dll uninstall.exe; do
    [ -f "$program_folder/$file" ] || fail "the installer did not install $file"
done
[ -f "$drive_c/Kelvard/Sver5/Sys.ndx" ] || fail "the installer did not lay down the install folder"
[ -f "$drive_c/Kelvard/Vuzor5.whr" ] && [ -f "$drive_c/Kelvard/Vivad5.whr" ] || fail "no pointer files"
wine reg query 'HKLM\Software\Classes\.sdw' 2> /dev/null | grep -q Ravelog.Document || fail "no .sdw file type"
echo "user's own line" > "$drive_c/Kelvard/Sver5/mine.txt"

Xvfb :93 -screen 0 1600x1000x24 > /dev/null 2>&1 &
xvfb=$!
export DISPLAY=:93
sleep 2
cp examples/example-short.sdw "$drive_c/example-short.sdw"
cp examples/section/*.sqw examples/section/*.sdw "$drive_c/" 2> /dev/null || true
screenshot() {  # title-substring output
    for _ in $(seq 60); do
        xwininfo -root -tree 2> /dev/null | grep -q "$1" && break
        sleep 1
    done
    xwininfo -root -tree | grep -q "$1" || fail "no window \"$1\" appeared"
    sleep 4
    import -window root "$2"
}
wine "$program_folder/ravelog.exe" 'C:\example-short.sdw' > /dev/null 2>&1 &
screenshot "example-short" "$root/docs/windows-ravelog.png"
wineserver -k || true
sleep 1
first_section=$(basename "$(ls examples/section/*.sqw | head -n 1)")
wine "$program_folder/ravesect.exe" "C:\\$first_section" > /dev/null 2>&1 &
screenshot "${first_section%.sqw}" "$root/docs/windows-ravesect.png"
wineserver -k || true
sleep 1
(cd "$drive_c" && wine start /unix "$drive_c/example-short.sdw" > /dev/null 2>&1) &
screenshot "example-short" "$work/association.png"
wineserver -k || true

wine "$program_folder/uninstall.exe" /S || fail "the silent uninstall failed"
sleep 3
wineserver -w
[ ! -e "$program_folder/ravelog.exe" ] || fail "the uninstaller left the programs"
[ -f "$drive_c/Kelvard/Sver5/Sys.ndx" ] && [ -f "$drive_c/Kelvard/Sver5/mine.txt" ] ||
    fail "the uninstaller touched the install folder"
wine reg query 'HKLM\Software\Classes\.sdw' > /dev/null 2>&1 && fail "the uninstaller left the .sdw file type"
((${#page_failures[@]} == 0)) || fail "pages differ by more than 0.5 %: ${page_failures[*]}"
[ -z "$programs_failed" ] || fail "test programs (above)"
echo "all Windows checks passed"
