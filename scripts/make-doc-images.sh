#!/usr/bin/env bash
# Regenerates the pictures in docs/images/ from the scripts in examples/, with the
# ewo-preview and plug-in of a build tree:  scripts/make-doc-images.sh build
# Each panel is as large as the example's "// size: WxH" line says.
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 <build-dir>" >&2
    exit 1
fi
preview="$1/bin/ewo-preview"
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ ! -x "$preview" ]; then
    echo "$0: no $preview; build the project first" >&2
    exit 1
fi
. "$root/scripts/common.sh"
use_private_runtime_dir "$1"
mkdir -p "$root/docs/images"

for example in "$root"/examples/*.ctl; do
    name=$(basename "$example" .ctl)
    size=$(example_size "$example")
    "$preview" --script "$example" ${size:+--size "$size"} \
        --png "$root/docs/images/$name.png" > /dev/null
    echo "docs/images/$name.png"
done
