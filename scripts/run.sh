#!/usr/bin/env bash
# Sets up the machine, builds, and runs the preview host on an example script: it prints
# the script's results and writes the picture of the colour scale.
#   scripts/run.sh [EXAMPLE.ctl] [PICTURE.png] [WxH]
# The panel is as large as the example's "// size: WxH" line says, unless WxH is given.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
. "$root/scripts/common.sh"

build=${BUILD_DIR:-$root/build}
# The build's own progress goes to a log, so that the script's results come first; a failed
# build shows its log.
mkdir -p "$build"
if ! "$root/scripts/build.sh" "$build" > "$build/run-build.log" 2>&1; then
    cat "$build/run-build.log" >&2
    exit 1
fi
use_private_runtime_dir "$build"

example=${1:-$root/examples/temperature.ctl}
picture=${2:-$build/temperature.png}
size=${3:-$(example_size "$example")}
QT_QPA_PLATFORM=offscreen "$build/bin/ewo-preview" --script "$example" \
    ${size:+--size "$size"} --png "$picture"
echo "picture written to $picture"
