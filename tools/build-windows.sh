#!/usr/bin/env bash
# Builds the Windows release on Debian 12: Qt and the libraries the programs link are built once from
# Debian's source packages for x86_64-w64-mingw32 into a cache outside the repository, then both
# programs, their command lines and their tests are cross-built and packed into an NSIS installer and
# a zip in out/windows/.
#
#   tools/build-windows.sh            everything (the first run builds Qt: most of an hour on 2 cores)
#   tools/build-windows.sh deps       only the cached libraries (Qt, pugixml, dxflib, qpdf, GoogleTest)
#   tools/build-windows.sh core       only the Qt-free core and its tests (no Qt needed; used by CI)
#   tools/build-windows.sh libs       only the libraries beside Qt
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
# pkg-config answers for Windows libraries only, never with the host's /usr/include.
export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig:/usr/x86_64-w64-mingw32/lib/pkgconfig PKG_CONFIG_PATH=
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

# Configures, builds and installs a CMake project once; a stamp file marks it done. TARGETS and
# COMPONENTS, when set, limit what is built and installed.
cmake_once() {
    local name=$1 source=$2 install=$3
    shift 3
    [ -f "$cache/build/$name.done" ] && return 0
    log "building $name (log: $cache/build/$name.log)"
    local build=$cache/build/$name targets=() component
    for target in ${TARGETS:-}; do targets+=(--target "$target"); done
    {
        cmake -S "$source" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$install" "$@" &&
            nice -n 10 cmake --build "$build" -j"$jobs" "${targets[@]}" &&
            if [ -n "${COMPONENTS:-}" ]; then
                for component in $COMPONENTS; do cmake --install "$build" --component "$component" || exit 1; done
            else
                cmake --install "$build"
            fi
    } > "$cache/build/$name.log" 2>&1 || { tail -n 40 "$cache/build/$name.log" >&2; exit 1; }
    touch "$cache/build/$name.done"
}

build_qt() {
    local source
    source=$(source_of qt6-base)
    # Our own fixes to Qt, each applied once; a newly applied one rebuilds only what it touches.
    local patch
    for patch in "$root"/tools/windows/qt-patches/*.patch; do
        if patch -d "$source" -p1 -N -s --dry-run < "$patch" > /dev/null 2>&1; then
            log "patching Qt: $(basename "$patch")"
            patch -d "$source" -p1 -N -s < "$patch"
            rm -f "$cache/build/qt.done"
        fi
    done
    # The dfsg tarball has no wintab, iaccessible2 or sqlite; nothing here needs network, SQL, XML or OpenGL.
    cmake_once qt "$source" "$qt" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON -DFEATURE_sql=OFF \
        -DFEATURE_network=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF \
        -DFEATURE_xml=OFF -DFEATURE_testlib=ON -DFEATURE_tabletevent=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
        -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_doubleconversion=OFF
}

# What the Qt-free core and its tests link: pugixml and GoogleTest, and the header-only libraries.
build_core_deps() {
    cmake_once pugixml "$(source_of pugixml)" "$prefix" -DBUILD_SHARED_LIBS=OFF -DPUGIXML_BUILD_TESTS=OFF
    cmake_once googletest "$(source_of googletest)" "$prefix" -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=ON \
        -Dgtest_force_shared_crt=ON
    # CLI11 and nlohmann-json are header-only: their folders (never /usr/include as a whole) with a
    # package file each, so the programs find them as on Linux.
    if [ ! -f "$prefix/lib/cmake/CLI11/CLI11Config.cmake" ]; then
        mkdir -p "$prefix/include" "$prefix/lib/cmake/CLI11" "$prefix/lib/cmake/nlohmann_json"
        cp -r /usr/include/CLI /usr/include/nlohmann "$prefix/include/"
        printf '%s\n' 'add_library(CLI11::CLI11 INTERFACE IMPORTED)' \
            'set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${CMAKE_CURRENT_LIST_DIR}/../../../include")' \
            > "$prefix/lib/cmake/CLI11/CLI11Config.cmake"
        printf '%s\n' 'add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)' \
            'set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${CMAKE_CURRENT_LIST_DIR}/../../../include")' \
            > "$prefix/lib/cmake/nlohmann_json/nlohmann_jsonConfig.cmake"
        echo 'set(PACKAGE_VERSION 3.11.2)
set(PACKAGE_VERSION_COMPATIBLE TRUE)' > "$prefix/lib/cmake/nlohmann_json/nlohmann_jsonConfigVersion.cmake"
    fi
}

# What the programs link beside Qt: dxflib, and qpdf with libjpeg built into its DLL (zlib is
# Debian's MinGW zlib).
build_program_deps() {
    cmake_once dxflib "$root/tools/windows/dxflib" "$prefix" -DDXFLIB_SOURCE="$(source_of dxflib)"
    cmake_once libjpeg "$(source_of libjpeg-turbo)" "$prefix" -DENABLE_SHARED=OFF -DWITH_SIMD=OFF \
        -DWITH_TURBOJPEG=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=ON
    local qpdf_source
    qpdf_source=$(source_of qpdf)
    # qpdf 11.3's AES header includes <stdint.h> only under a configure check it no longer makes;
    # glibc's headers bring uint32_t along anyway, MinGW's do not.
    sed -i 's|^#ifdef HAVE_STDINT_H$|#if 1 /* stdint.h always */|' "$qpdf_source/libqpdf/qpdf/rijndael.h"
    # Its "lib" component also installs the DLLs of its own command line, from a folder only that
    # command line's build makes.
    mkdir -p "$cache/build/qpdf/qpdf/extra-dlls"
    TARGETS=libqpdf COMPONENTS="lib dev" cmake_once qpdf "$qpdf_source" "$prefix" -DBUILD_SHARED_LIBS=ON \
        -DBUILD_STATIC_LIBS=OFF -DBUILD_DOC=OFF -DINSTALL_EXAMPLES=OFF -DREQUIRE_CRYPTO_NATIVE=ON \
        -DUSE_IMPLICIT_CRYPTO=OFF
    # Its install rules leave out the DLL and its import library in a cross build: copied here.
    mkdir -p "$prefix/bin"
    cp "$cache/build/qpdf/libqpdf/"qpdf*.dll "$prefix/bin/"
    cp "$cache/build/qpdf/libqpdf/libqpdf.a" "$prefix/lib/libqpdf.a"  # the import library of qpdf29.dll
}

# Configures and builds this project for Windows in $1 with the CMake arguments that follow.
build_project() {
    local build=$1
    shift
    log "building the project in $build"
    local launcher=()
    if command -v ccache > /dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
        export CCACHE_BASEDIR=$root
    fi
    "$@" -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRAVE_WERROR=ON "${launcher[@]}" \
        -DCMAKE_PREFIX_PATH="$prefix" > "$build/configure.log" 2>&1 ||
        { tail -n 40 "$build/configure.log" >&2; exit 1; }
    nice -n 5 cmake --build "$build" -j"$jobs"
}

# The whole run is one function, read completely before it starts, so editing this file while a
# long build runs cannot change what the running build does next.
main() {
    case "$stage" in
        qt)
            install_packages
            build_qt
            ;;
        core)
            install_packages
            build_core_deps
            mkdir -p "$root/build-windows-core"
            build_project "$root/build-windows-core" cmake -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DRAVE_WITH_QT=OFF
            ;;
        libs)
            install_packages
            build_core_deps
            build_program_deps
            ;;
        deps)
            install_packages
            build_core_deps
            build_program_deps
            build_qt
            ;;
        all)
            install_packages
            build_core_deps
            build_program_deps
            build_qt
            mkdir -p "$root/build-windows"
            # pkg-config names qpdf's import library, which CMake's library search does not take here.
        build_project "$root/build-windows" "$qt/bin/qt-cmake" -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
            -Dpkgcfg_lib_QPDF_qpdf="$prefix/lib/libqpdf.a"
            "$root/tools/windows/package.sh" "$root/build-windows" "$qt" "$prefix"
            ;;
        *)
            log "unknown stage $stage (all, deps, libs, core, qt)"
            exit 2
            ;;
    esac
}

main "$@"; exit $?
