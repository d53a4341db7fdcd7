#!/usr/bin/env bash
# Sets up the machine, then builds and runs the whole test suite twice: a normal build
# (GCC, benchmarks built too) and a clang build with AddressSanitizer and
# UndefinedBehaviorSanitizer that adds the 60-second fuzz smoke run. Warnings are errors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
jobs=$(nproc)

build=${BUILD_DIR:-$root/build}
echo "== normal build: $build"
"$root/scripts/build.sh" "$build" -DBUILD_BENCHMARKS=ON
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

sanitize=${SANITIZE_BUILD_DIR:-$root/build-sanitize}
echo "== sanitizer build: $sanitize"
CXX=clang++ "$root/scripts/build.sh" "$sanitize" -DCMAKE_CXX_COMPILER=clang++ -DSANITIZE=ON \
    -DBUILD_FUZZERS=ON
cd "$sanitize"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs"
