#!/usr/bin/env bash
# Sets up the machine, builds, and runs the preview host on an example script: it prints
# the script's results and writes the picture of the colour scale.
#   scripts/run.sh [example.ctl] [picture.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

build=${BUILD_DIR:-$root/build}
"$root/scripts/build.sh" "$build"
