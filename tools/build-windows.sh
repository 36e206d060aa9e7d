#!/usr/bin/env bash
# Builds the Windows release on Debian 12: Qt and the libraries the programs link are built once from
# Debian's source packages for x86_64-w64-mingw32 into a cache outside the repository, then both
# programs, their command lines and their tests are cross-built and packed into an NSIS installer and
# a zip in out/windows/.
#
#   tools/build-windows.sh            everything (the first run builds Qt: most of an hour on 2 cores)
#   tools/build-windows.sh deps       only the cached libraries (Qt, pugixml, dxflib, qpdf, GoogleTest)
#   tools/build-windows.sh core       only the Qt-free core and its tests (no Qt needed; used by CI)
#
# RAVE_WINDOWS_CACHE chooses the cache (default ~/.cache/rave-windows). Run as root or with sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
stage=${1:-all}
cache=${RAVE_WINDOWS_CACHE:-$HOME/.cache/rave-windows}
jobs=$(nproc)
triple=x86_64-w64-mingw32
toolchain=$root/tools/windows/mingw.cmake
src=$cache/src
prefix=$cache/prefix   # pugixml, dxflib, libjpeg, qpdf, GoogleTest
qt=$cache/qt-6.4.2     # Qt for Windows
export RAVE_WINDOWS_PREFIX=$prefix
mkdir -p "$src" "$prefix" "$cache/build"

log() { echo "build-windows: $*" >&2; }
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

install_packages() {
    local packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
        libz-mingw-w64-dev wine wine64 nsis dpkg-dev cmake ninja-build xz-utils zip
        qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libcli11-dev nlohmann-json3-dev fonts-ipaexfont-mincho)
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    ((${#missing[@]})) || return 0
    log "installing ${missing[*]}"
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# apt-get source needs deb-src entries for the suites the machine already uses.
enable_sources() {
    local list=/etc/apt/sources.list.d/debian.sources
    if [ -f "$list" ] && ! grep -q '^Types:.*deb-src' "$list"; then
        log "adding deb-src to $list"
        "${sudo_cmd[@]}" sed -i 's/^Types: deb$/Types: deb deb-src/' "$list"
        "${sudo_cmd[@]}" apt-get update -qq
    fi
}

# Unpacks Debian's source package $1 under $src and prints the folder it made.
source_of() {
    local package=$1 folder
    folder=$(find "$src" -maxdepth 1 -type d -name "$package-[0-9]*" | head -n 1)
    if [ -z "$folder" ]; then
        enable_sources
        (cd "$src" && apt-get source -qq "$package" > "$src/$package.log" 2>&1) ||
            { cat "$src/$package.log" >&2; log "could not get the source of $package"; exit 1; }
        folder=$(find "$src" -maxdepth 1 -type d -name "$package-[0-9]*" | head -n 1)
    fi
    echo "$folder"
}

# Configures, builds and installs a CMake project once; a stamp file marks it done.
cmake_once() {
    local name=$1 source=$2 install=$3
    shift 3
    [ -f "$cache/build/$name.done" ] && return 0
    log "building $name (log: $cache/build/$name.log)"
    {
        cmake -S "$source" -B "$cache/build/$name" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$install" "$@" &&
            nice -n 10 cmake --build "$cache/build/$name" -j"$jobs" &&
            cmake --install "$cache/build/$name"
    } > "$cache/build/$name.log" 2>&1 || { tail -n 40 "$cache/build/$name.log" >&2; exit 1; }
    touch "$cache/build/$name.done"
}

build_qt() {
    local source
    source=$(source_of qt6-base)
    # The dfsg tarball has no wintab, iaccessible2 or sqlite; nothing here needs network, SQL, XML or OpenGL.
    cmake_once qt "$source" "$qt" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON -DFEATURE_sql=OFF \
        -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF \
        -DFEATURE_xml=OFF -DFEATURE_testlib=ON -DFEATURE_tabletevent=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
        -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_doubleconversion=OFF
}

case "$stage" in
    qt)
        install_packages
        build_qt
        ;;
    *)
        log "unknown stage $stage (all, deps, core, qt)"
        exit 2
        ;;
esac
