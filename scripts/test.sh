#!/usr/bin/env bash
# Sets up the machine, then builds and runs the whole test suite in up to three builds: a
# normal build (GCC, benchmarks built too), a clang build with AddressSanitizer and
# UndefinedBehaviorSanitizer that adds the 60-second fuzz smoke run, and, when a Qt for
# MinGW-w64 is at hand (scripts/setup-windows.sh), the Windows x64 build with its tests
# under Wine. Without that Qt the normal build compiles the sources for Windows in
# syntax-only mode instead. Warnings are errors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
jobs=$(nproc)

windows=0
if "$root/scripts/setup-windows.sh" --check >/dev/null 2>&1; then
    windows=1
fi
source_check=ON
if [ $windows -eq 1 ]; then
    source_check=OFF
fi

build=${BUILD_DIR:-$root/build}
echo "== normal build: $build"
"$root/scripts/build.sh" "$build" -DBUILD_BENCHMARKS=ON -DWINDOWS_SOURCE_CHECK=$source_check
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

sanitize=${SANITIZE_BUILD_DIR:-$root/build-sanitize}
echo "== sanitizer build: $sanitize"
CXX=clang++ "$root/scripts/build.sh" "$sanitize" -DCMAKE_CXX_COMPILER=clang++ -DSANITIZE=ON \
    -DBUILD_FUZZERS=ON
(cd "$sanitize" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

if [ $windows -eq 1 ]; then
    "$root/scripts/test-windows.sh"
else
    echo "Windows suite not run: no Qt for MinGW-w64; run scripts/setup-windows.sh"
fi
