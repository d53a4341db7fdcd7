#!/usr/bin/env bash
# Pictures of the widget over a fixed grid (both orientations, both modes, labels on and off,
# 24 ranges, lengths 40 to 1000 pixels, two thicknesses, device pixel ratios 1, 1.25, 1.5
# and 2, written directly and through the painter), as a digest per case: proof that a
# refactoring changed no pixel. Works on the build of any commit, since it drives the plug-in
# only as the host does.
#   scripts/pixelgrid.sh record BUILD_DIR DIGESTS.txt
#       renders the plug-in of BUILD_DIR (Qt 5 or 6, as it was configured) into DIGESTS.txt
#   scripts/pixelgrid.sh compare DIGESTS.txt BUILD_DIR
#       renders BUILD_DIR and prints every case whose pixels differ from DIGESTS.txt
#   scripts/pixelgrid.sh png BUILD_DIR DIR NAME_PART
#       also writes the cases whose name holds NAME_PART to DIR as PNG files
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/common.sh"

# builds the renderer for the Qt of BUILD_DIR into BUILD_DIR/pixelgrid
renderer() {
    local build=$1 qt
    qt=$(sed -n 's/^QT_MAJOR_VERSION:STRING=//p' "$build/CMakeCache.txt")
    cmake -S "$root/scripts/pixelgrid" -B "$build/pixelgrid" -DQT_MAJOR_VERSION="${qt:-5}" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build/pixelgrid" -j "${BUILD_JOBS:-2}" >/dev/null
}

# render BUILD_DIR OUTPUT [PNG_DIR NAME_PART]
render() {
    local build=$1 output=$2
    shift 2
    renderer "$build" >/dev/null
    local tool=$build/pixelgrid/pixelgrid-render
    use_private_runtime_dir "$build"
    QT_QPA_PLATFORM=offscreen "$tool" "$build/bin/widgets/MirelValueColorConverter.ewo" \
        "$output" "$@"
}

case "${1:-}" in
record)
    render "$2" "$3"
    ;;
compare)
    fresh=$(mktemp)
    trap 'rm -f "$fresh"' EXIT
    render "$3" "$fresh"
    total=$(wc -l <"$fresh")
    differing=$(diff <(sort "$2") <(sort "$fresh") | sed -n 's/^> \([^ ]*\) .*/\1/p' || true)
    count=$(printf '%s' "$differing" | grep -c . || true)
    [ -z "$differing" ] || printf '%s\n' "$differing"
    echo "$count of $total cases differ"
    [ "$count" = 0 ]
    ;;
png)
    mkdir -p "$3"
    render "$2" /dev/null "$3" "$4"
    ;;
*)
    sed -n '2,15s/^# \{0,1\}//p' "$0" >&2
    exit 2
    ;;
esac
