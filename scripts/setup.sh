#!/usr/bin/env bash
# Installs the Debian 12 packages this project builds, tests and benchmarks with,
# skipping those already present. Needs root (or sudo) only when something is missing.
#
#   cmake, ninja-build, g++          build tools
#   qtbase5-dev, qtbase5-dev-tools   Qt 5 Core/Gui/Widgets/Test and moc
#   qt6-base-dev, qt6-base-dev-tools Qt 6 Core/Gui/Widgets/Test and moc
#   fonts-dejavu-core                fixed fonts, so text metrics in tests match everywhere
#   clang, libclang-rt-14-dev        second compiler, sanitizers and libFuzzer
#   libbenchmark-dev, libqwt-qt5-dev benchmarks and the peer they compare against
#   xvfb, xdotool                    the real-window mouse test of the preview host
#   g++-mingw-w64-x86-64-posix       Windows x64 syntax check of the plug-in sources (the
#                                    Windows build under Wine: scripts/setup-windows.sh)
set -euo pipefail

packages=(
    cmake ninja-build g++ make
    qtbase5-dev qtbase5-dev-tools
    qt6-base-dev qt6-base-dev-tools
    fonts-dejavu-core
    clang libclang-rt-14-dev
    libbenchmark-dev libqwt-qt5-dev
    xvfb xdotool
    g++-mingw-w64-x86-64-posix
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
