#!/usr/bin/env bash
# Regenerates the pictures in docs/images/ from the scripts in examples/, with the
# ewo-preview and plug-in of a build tree:  scripts/make-doc-images.sh build
# Each panel is as large as the example's "// size: WxH" line says. An example with a
# "// sizes: WxH WxH ..." line is also drawn at each of those sizes, one below the other, in
# docs/images/NAME-lengths.png (stacked by scripts/stack-png.py, which needs Python 3).
# The temperature scale is also drawn upright as screens scaled to 100, 150 and 200 % show
# it, side by side, each at its device size, in docs/images/temperature-ratios.png.
# The pressure scale is also drawn upright in two fonts a panel may set, side by side, in
# docs/images/pressure-fonts.png.
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

parts=$(mktemp -d)
trap 'rm -rf "$parts"' EXIT

# The sizes an example's "// sizes: WxH WxH ..." line lists; nothing when it has none.
example_sizes() {
    sed -n 's|^// sizes: \([0-9x ]*\)$|\1|p' "$1"
}

for example in "$root"/examples/*.ctl; do
    name=$(basename "$example" .ctl)
    size=$(example_size "$example")
    "$preview" --script "$example" ${size:+--size "$size"} \
        --png "$root/docs/images/$name.png" > /dev/null
    echo "docs/images/$name.png"
    pictures=()
    for s in $(example_sizes "$example"); do
        "$preview" --script "$example" --size "$s" --png "$parts/$name-$s.png" > /dev/null
        pictures+=("$parts/$name-$s.png")
    done
    if [ ${#pictures[@]} -gt 0 ]; then
        python3 "$root/scripts/stack-png.py" "$root/docs/images/$name-lengths.png" 8 \
            "${pictures[@]}"
        echo "docs/images/$name-lengths.png"
    fi
done

# Each picture at its device size, so that a reader sees the device pixels of every tick; an
# upright panel keeps the three narrow enough to be shown unscaled.
pictures=()
for ratio in 1 1.5 2; do
    "$preview" --script "$root/examples/temperature.ctl" --set orientation=Vertical \
        --size 100x200 --ratio "$ratio" --png "$parts/temperature-$ratio.png" > /dev/null
    pictures+=("$parts/temperature-$ratio.png")
done
python3 "$root/scripts/stack-png.py" --side-by-side "$root/docs/images/temperature-ratios.png" 8 \
    "${pictures[@]}"
echo "docs/images/temperature-ratios.png"

# The font is written first, as a panel sets it; the example's scale is then laid out in it.
pictures=()
for font in "DejaVu Serif,12" "DejaVu Sans,16"; do
    "$preview" --set "font=\"$font\"" --script "$root/examples/pressure-log.ctl" \
        --set orientation=Vertical --size 80x240 --png "$parts/pressure-${#pictures[@]}.png" \
        > /dev/null
    pictures+=("$parts/pressure-${#pictures[@]}.png")
done
python3 "$root/scripts/stack-png.py" --side-by-side "$root/docs/images/pressure-fonts.png" 8 \
    "${pictures[@]}"
echo "docs/images/pressure-fonts.png"
