#!/usr/bin/env bash
# Runs every test program of a Windows build folder under wine, in a fresh wine prefix, with the
# DLLs of the cache on the search path; the Qt ones on Qt's Windows platform, with wine drawing on
# an Xvfb display of its own. (Qt's offscreen platform is not used here: under wine its dialogs'
# event loops never run the tests' timers, so a test that answers a dialog waits for ever.) Prints
# each program's count and fails with the log of any that failed.
#   tools/windows/run-tests-under-wine.sh BUILD_FOLDER
# RAVE_WINE_TEST_SECONDS bounds each program's run (default 900 s); RAVE_WINE_TEST_PROGRAMS names
# the programs to run (default all, e.g. "test_app test_cli"); RAVE_WINE_TEST_LOGS keeps each
# program's whole output in that folder.
set -euo pipefail
if [ -z "${RAVE_WINE_UNDER_XVFB:-}" ]; then
    RAVE_WINE_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
build=$(cd "$1" && pwd)
cache=${RAVE_WINDOWS_CACHE:-$HOME/.cache/rave-windows}
prefix_folder=$(mktemp -d)
logs=${RAVE_WINE_TEST_LOGS:-}
if [ -n "$logs" ]; then
    mkdir -p "$logs"
    trap 'WINEPREFIX=$prefix_folder wineserver -k 2> /dev/null || true; rm -rf "$prefix_folder"' EXIT
else
    logs=$(mktemp -d)
    trap 'WINEPREFIX=$prefix_folder wineserver -k 2> /dev/null || true; rm -rf "$prefix_folder" "$logs"' EXIT
fi
export WINEPREFIX=$prefix_folder WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" QT_QPA_PLATFORM=windows
export WINEPATH="$cache/qt-6.4.2/bin;$cache/prefix/bin;/usr/lib/gcc/x86_64-w64-mingw32/12-posix;/usr/x86_64-w64-mingw32/lib"
export QT_PLUGIN_PATH=$cache/qt-6.4.2/plugins
wineboot --init > /dev/null 2>&1
wineserver -w
failed=()
for program in "$build"/tests/test_*.exe; do
    [ -f "$program" ] || continue
    name=$(basename "$program" .exe)
    if [ -n "${RAVE_WINE_TEST_PROGRAMS:-}" ] && [[ " $RAVE_WINE_TEST_PROGRAMS " != *" $name "* ]]; then
        continue
    fi
    start=$(date +%s)
    status=0
    (cd "$build/tests" && timeout "${RAVE_WINE_TEST_SECONDS:-900}" wine "$program" > "$logs/$name.log" 2>&1) ||
        status=$?
    if [ "$status" = 0 ]; then
        result=passed
    else
        result=FAILED
        failed+=("$name")
        grep -E '^\[  FAILED  \]|Failure$|: error: ' -A6 "$logs/$name.log" | head -n 60 || true
        if [ "$status" = 124 ]; then
            # A program that waits for ever is stopped; the test it was in is the last one started.
            result="STOPPED after ${RAVE_WINE_TEST_SECONDS:-900} s in $(grep -E '^\[ RUN' "$logs/$name.log" |
                tail -n 1 | sed 's/^\[ RUN *\] *//')"
            wineserver -k 2> /dev/null || true
        fi
    fi
    ran=$(grep -Eo '[0-9]+ tests? from [0-9]+ test suites? ran' "$logs/$name.log" | tail -n 1 || true)
    echo "wine: $name $result (${ran:-no count}, $(($(date +%s) - start)) s)"
done
if ((${#failed[@]})); then
    echo "wine: failed: ${failed[*]}"
    exit 1
fi
