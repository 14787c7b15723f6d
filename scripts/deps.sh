#!/usr/bin/env bash
# Installs the Debian packages Ormiza needs to build, run and test, if any are missing.
# Safe to run again: it installs nothing when everything is there.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config dpkg-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev
    # run: the font that stands in for the window's face
    fonts-liberation2
    # tests and benchmarks
    libgtest-dev libgmock-dev libbenchmark-dev libmpfr-dev libgmp-dev
    xvfb xauth x11-apps imagemagick
    desktop-file-utils appstream binutils-mingw-w64-x86-64
    clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "deps: all ${#packages[@]} Debian packages are installed"
    exit 0
fi

echo "deps: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
