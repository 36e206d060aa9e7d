#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the examples need. Safe to run again:
# it only calls apt-get when something is missing. Run as root (or with sudo available).
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git ccache dpkg-dev file
    clang libclang-rt-14-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-translations-l10n
    libcli11-dev nlohmann-json3-dev libqpdf-dev libdxflib-dev libpugixml-dev
    fonts-ipaexfont-mincho fontconfig
    xvfb xauth poppler-utils qpdf librsvg2-bin imagemagick python3-ezdxf
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev wine wine64
    nsis zip unzip x11-utils
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
