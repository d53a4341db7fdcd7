#!/usr/bin/env bash
# Regenerates the pictures in docs/images/ from the scripts in examples/, with the
# ewo-preview and plug-in of a build tree:  scripts/make-doc-images.sh build
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
mkdir -p "$root/docs/images"

# example name and panel size, as named in each script's header comment
while read -r name size; do
    "$preview" --script "$root/examples/$name.ctl" --size "$size" \
        --png "$root/docs/images/$name.png" > /dev/null
    echo "docs/images/$name.png"
done <<'LIST'
temperature 300x60
tank-level 90x240
pressure-log 400x60
translucent 300x60
flow-rate 300x60
LIST
