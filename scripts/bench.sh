#!/usr/bin/env bash
# Sets up the machine, builds the benchmarks into build-bench (Release) and runs them.
# Arguments go to the benchmark program, e.g.
#   scripts/bench.sh --benchmark_repetitions=3 --benchmark_filter=repaint
# Qt's CPU paths can be narrowed for comparison: QT_NO_CPU_FEATURE=avx2 scripts/bench.sh
# QT_MAJOR_VERSION=6 builds against Qt 6 instead, into build-bench-qt6 (without the peer).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
. "$root/scripts/common.sh"

qt=${QT_MAJOR_VERSION:-5}
suffix=""
[ "$qt" = 5 ] || suffix="-qt$qt"
build=${BENCH_BUILD_DIR:-$root/build-bench$suffix}
BUILD_JOBS=${BENCH_JOBS:-2} "$root/scripts/build.sh" --target mvc_bench "$build" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_BENCHMARKS=ON -DBUILD_TESTING=OFF -DQT_MAJOR_VERSION="$qt"
use_private_runtime_dir "$build"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/bin/mvc_bench" "$@"
