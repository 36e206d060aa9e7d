#!/usr/bin/env bash
# Gathers the Windows build into a folder that runs as it is, and packs it as a zip and an NSIS
# installer in out/windows/. Called by tools/build-windows.sh:
#   tools/windows/package.sh BUILD_FOLDER QT_PREFIX LIBRARY_PREFIX
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build=$(cd "$1" && pwd)
qt=$2
prefix=$3
version=$(sed -n 's/^project(Rave VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=rave-$version
out=$root/out/windows
stage=$build/package/Ravelog
log() { echo "package: $*" >&2; }

rm -rf "$build/package"
mkdir -p "$stage" "$out"

# Each program twice: the .exe is the desktop program (no console window on a double-click), the
# .com beside it the console program that cmd.exe and PowerShell start for "ravelog render ...".
for program in ravelog ravesect; do
    cp "$build/apps/$program.exe" "$build/apps/$program.com" "$stage/"
done

# Qt: the libraries, the platform plug-ins (windows for the desktop, offscreen for the verbs that
# draw without a screen), the native style and the image formats; qt.conf tells Qt where they are.
for library in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport; do
    cp "$qt/bin/$library.dll" "$stage/"
done
for plugin in platforms/qwindows platforms/qoffscreen styles/qwindowsvistastyle imageformats/qjpeg \
    imageformats/qgif imageformats/qico; do
    if [ -f "$qt/plugins/$plugin.dll" ]; then
        mkdir -p "$stage/$(dirname "$plugin")"
        cp "$qt/plugins/$plugin.dll" "$stage/$plugin.dll"
    elif [ "${plugin%%/*}" = platforms ]; then
        log "missing Qt plug-in $plugin"
        exit 1
    fi
done
printf '[Paths]\nPrefix=.\nPlugins=.\nTranslations=translations\n' > "$stage/qt.conf"
mkdir -p "$stage/translations"
cp /usr/share/qt6/translations/qtbase_ja.qm /usr/share/qt6/translations/qt_ja.qm "$stage/translations/"

# Every DLL the programs and plug-ins load that Windows itself does not have, found by walking
# their import tables, so a missing one stops the packaging instead of the user's first start.
search=("$stage" "$qt/bin" "$prefix/bin" /usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib
    /usr/x86_64-w64-mingw32/bin)
system_dll() {
    case "${1,,}" in
        kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | ole32.dll | oleaut32.dll | \
            comdlg32.dll | winspool.drv | ws2_32.dll | msvcrt.dll | imm32.dll | winmm.dll | uxtheme.dll | \
            dwmapi.dll | version.dll | netapi32.dll | userenv.dll | mpr.dll | setupapi.dll | wtsapi32.dll | \
            shlwapi.dll | comctl32.dll | d3d9.dll | d3d11.dll | d3d12.dll | dxgi.dll | dwrite.dll | d2d1.dll | \
            authz.dll | bcrypt.dll | crypt32.dll | secur32.dll | rpcrt4.dll | opengl32.dll | shcore.dll | \
            api-ms-win-*) return 0 ;;
    esac
    return 1
}
changed=1
while ((changed)); do
    changed=0
    while IFS= read -r dll; do
        system_dll "$dll" && continue
        [ -n "$(find "$stage" -maxdepth 1 -iname "$dll" -print -quit)" ] && continue
        found=""
        for folder in "${search[@]}"; do
            found=$(find "$folder" -maxdepth 1 -iname "$dll" -print -quit 2>/dev/null || true)
            [ -n "$found" ] && break
        done
        if [ -z "$found" ]; then
            log "no $dll for the programs"
            exit 1
        fi
        cp "$found" "$stage/"
        changed=1
    done < <(find "$stage" -iname '*.dll' -o -iname '*.exe' -o -iname '*.com' |
        xargs -r x86_64-w64-mingw32-objdump -p 2>/dev/null | sed -n 's/^\s*DLL Name: //p' | sort -u)
done

# What a new install folder is made from, the examples, the Mincho face and its licence.
cp -r data "$stage/data"
cp -r examples "$stage/examples"
mkdir -p "$stage/fonts"
cp /usr/share/fonts/opentype/ipaexfont-mincho/ipaexm.ttf "$stage/fonts/"
cp /usr/share/doc/fonts-ipaexfont-mincho/copyright "$stage/fonts/IPAexMincho-LICENSE.txt"
cp "$build/apps/ravelog.ico" "$build/apps/ravesect.ico" "$stage/"
sed 's/$/\r/' README.md > "$stage/README.txt"
x86_64-w64-mingw32-strip --strip-unneeded "$stage"/*.exe "$stage"/*.com

# The uninstaller removes exactly the files the installer laid down, folders last.
(
    cd "$stage"
    find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|^|    Delete "$INSTDIR\\|; s|$|"|'
    find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|^|    RMDir "$INSTDIR\\|; s|$|"|'
) > "$build/package/uninstall-files.nsh"

rm -f "$out/$name-windows.zip" "$out/$name-setup.exe"
(cd "$build/package" && zip -qr "$out/$name-windows.zip" Ravelog)
makensis -V2 -DSOURCE="$stage" -DVERSION="$version" -DOUTFILE="$out/$name-setup.exe" \
    "$root/tools/windows/installer.nsi"
log "$(du -h "$out/$name-setup.exe" | cut -f1) $out/$name-setup.exe"
log "$(du -h "$out/$name-windows.zip" | cut -f1) $out/$name-windows.zip"
