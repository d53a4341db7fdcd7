#!/usr/bin/env bash
# Sets up the machine, builds the benchmarks into build-bench (Release) and runs them.
# Arguments go to the benchmark program, e.g.
#   scripts/bench.sh --benchmark_repetitions=3 --benchmark_filter=repaint
# Qt's CPU paths can be narrowed for comparison: QT_NO_CPU_FEATURE=avx2 scripts/bench.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

build=${BENCH_BUILD_DIR:-$root/build-bench}
generator=()
if command -v ninja >/dev/null 2>&1; then
    generator=(-G Ninja)
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_BENCHMARKS=ON -DBUILD_TESTING=OFF -DWARNINGS_AS_ERRORS=ON
else
    cmake -S "$root" -B "$build" -DBUILD_BENCHMARKS=ON >/dev/null
fi
cmake --build "$build" --target mvc_bench -j "${BENCH_JOBS:-2}"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bin/mvc_bench" "$@"
