#!/usr/bin/env bash
# Sets up the machine, builds, and runs the preview host on an example script: it prints
# the script's results and writes the picture of the colour scale.
#   scripts/run.sh [EXAMPLE.ctl] [PICTURE.png] [WxH]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

build=${BUILD_DIR:-$root/build}
"$root/scripts/build.sh" "$build"

example=${1:-$root/examples/temperature.ctl}
picture=${2:-$build/temperature.png}
size=${3:-300x60}
QT_QPA_PLATFORM=offscreen "$build/bin/ewo-preview" --script "$example" --size "$size" \
    --png "$picture"
echo "picture written to $picture"
