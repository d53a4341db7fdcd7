#!/usr/bin/env bash
# Sets up the machine, then builds and runs the whole test suite against Qt 5 and against
# Qt 6, each in two builds: a normal build (GCC, benchmarks built too) and a clang build with
# AddressSanitizer and UndefinedBehaviorSanitizer that adds the fuzz smoke run (a fixed
# seed). Then, for each Qt version whose Qt for MinGW-w64 is at hand
# (scripts/setup-windows.sh --qt 5|6), the Windows x64 build with its tests under Wine; for
# a version without it, that version's normal build compiles the sources for Windows in
# syntax-only mode instead. Every normal
# build also compiles the sources as against a Qt built inside a namespace, and builds the
# plug-in against a host API folder laid out as the host lays it out. Warnings are errors.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
jobs=$(nproc)

# The Qt versions whose Qt for MinGW-w64 is at hand.
windows=()
for qt in 5 6; do
    if "$root/scripts/setup-windows.sh" --qt $qt --check >/dev/null 2>&1; then
        windows+=($qt)
    fi
done

run_suite() {
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
}

for qt in 5 6; do
    suffix=""
    [ $qt = 5 ] || suffix="-qt$qt"

    build=${BUILD_DIR:-$root/build}$suffix
    source_check=ON
    case " ${windows[*]} " in *" $qt "*) source_check=OFF ;; esac
    echo "== Qt $qt, normal build: $build"
    "$root/scripts/build.sh" "$build" -DQT_MAJOR_VERSION=$qt -DBUILD_BENCHMARKS=ON \
        -DWINDOWS_SOURCE_CHECK=$source_check
    run_suite "$build"
    "$root/scripts/check-api-root.sh" "$build"

    sanitize=${SANITIZE_BUILD_DIR:-$root/build-sanitize}$suffix
    echo "== Qt $qt, sanitizer build: $sanitize"
    CXX=clang++ "$root/scripts/build.sh" "$sanitize" -DQT_MAJOR_VERSION=$qt \
        -DCMAKE_CXX_COMPILER=clang++ -DSANITIZE=ON -DBUILD_FUZZERS=ON
    run_suite "$sanitize"
done

for qt in 5 6; do
    case " ${windows[*]} " in
        *" $qt "*) "$root/scripts/test-windows.sh" --qt $qt ;;
        *) echo "Windows suite on Qt $qt not run: no Qt $qt for MinGW-w64;" \
                "run scripts/setup-windows.sh --qt $qt" ;;
    esac
done
