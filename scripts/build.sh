#!/usr/bin/env bash
# Configures and builds one build tree:
#   scripts/build.sh [--target TARGET] BUILD_DIR [cmake options...]
# A new tree is configured RelWithDebInfo with warnings as errors; the cmake options come
# after these, so -DCMAKE_BUILD_TYPE=Release and the like override them. Builds every target
# or only TARGET, with BUILD_JOBS jobs (default: one per processor).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=()
if [ "${1:-}" = --target ]; then
    target=(--target "$2")
    shift 2
fi
build=$1
shift
generator=()
if command -v ninja >/dev/null 2>&1; then
    generator=(-G Ninja)
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DWARNINGS_AS_ERRORS=ON "$@"
else
    cmake -S "$root" -B "$build" "$@" >/dev/null
fi
cmake --build "$build" "${target[@]}" -j "${BUILD_JOBS:-$(nproc)}"
