#!/usr/bin/env bash
# Runs every test program of a Windows build folder under wine, in a fresh wine prefix, with the
# DLLs of the cache on the search path; the Qt ones under the offscreen platform. Prints each
# program's count and fails with the log of any that failed.
#   tools/windows/run-tests-under-wine.sh BUILD_FOLDER
# RAVE_WINE_TEST_SECONDS bounds each program's run (default 900 s).
set -euo pipefail
build=$(cd "$1" && pwd)
cache=${RAVE_WINDOWS_CACHE:-$HOME/.cache/rave-windows}
prefix_folder=$(mktemp -d)
logs=$(mktemp -d)
trap 'WINEPREFIX=$prefix_folder wineserver -k 2> /dev/null || true; rm -rf "$prefix_folder" "$logs"' EXIT
export WINEPREFIX=$prefix_folder WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" QT_QPA_PLATFORM=offscreen
export WINEPATH="$cache/qt-6.4.2/bin;$cache/prefix/bin;/usr/lib/gcc/x86_64-w64-mingw32/12-posix;/usr/x86_64-w64-mingw32/lib"
export QT_PLUGIN_PATH=$cache/qt-6.4.2/plugins
wineboot --init > /dev/null 2>&1
wineserver -w
failed=()
for program in "$build"/tests/test_*.exe; do
    [ -f "$program" ] || continue
    name=$(basename "$program" .exe)
    start=$(date +%s)
    if (cd "$build/tests" && timeout "${RAVE_WINE_TEST_SECONDS:-900}" wine "$program" --gtest_brief=1 > "$logs/$name.log" 2>&1); then
        result=passed
    else
        result=FAILED
        failed+=("$name")
        tail -n 40 "$logs/$name.log"
    fi
    ran=$(grep -Eo '[0-9]+ tests? from [0-9]+ test suites? ran' "$logs/$name.log" | tail -n 1 || true)
    echo "wine: $name $result (${ran:-no count}, $(($(date +%s) - start)) s)"
done
if ((${#failed[@]})); then
    echo "wine: failed: ${failed[*]}"
    exit 1
fi
