#!/usr/bin/env bash
# Builds the Windows x64 version with MinGW-w64 in build-windows/ (the plug-in
# MirelValueColorConverter.ewo, the stand-in host library, ewo-preview and every test
# program) and runs the whole CTest suite under Wine on the offscreen platform.
#   scripts/test-windows.sh [--if-available] [--qt-tarball FILE]
# The Qt for MinGW-w64 comes from scripts/setup-windows.sh, which is never asked to build it
# here (that takes an hour). Without one the script says so and fails, or with
# --if-available says so and succeeds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if_available=0
setup_args=()
while [ $# -gt 0 ]; do
    case $1 in
        --if-available) if_available=1 ;;
        --qt-tarball) setup_args+=(--qt-tarball "${2:?--qt-tarball needs a file}"); shift ;;
        *) echo "usage: $0 [--if-available] [--qt-tarball FILE]" >&2; exit 1 ;;
    esac
    shift
done

# Wall time of one step, printed after it.
step() {
    local name=$1
    shift
    local start=$SECONDS
    local rc=0
    "$@" || rc=$?
    echo "windows: $name took $((SECONDS - start)) s" >&2
    return $rc
}

status=0
qt=$(step "setup (packages, unpacking Qt)" \
    "$root/scripts/setup-windows.sh" --no-build --print-prefix "${setup_args[@]}") || status=$?
if [ $status -eq 3 ]; then
    echo "Windows suite not run: no Qt for MinGW-w64; run scripts/setup-windows.sh"
    if [ $if_available -eq 1 ]; then
        exit 0
    fi
    exit 1
elif [ $status -ne 0 ] || [ -z "$qt" ]; then
    exit 1
fi

build=${WINDOWS_BUILD_DIR:-$root/build-windows}
# A build folder made with another Qt starts afresh: the Qt's paths are cached throughout.
if [ -f "$build/CMakeCache.txt" ] &&
    ! grep -qxF "QT_MINGW_PREFIX:PATH=$qt" "$build/CMakeCache.txt"; then
    rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
generator=()
if command -v ninja >/dev/null 2>&1; then
    generator=(-G Ninja)
fi
configure=(cmake -S "$root" -B "$build")
if [ ! -f "$build/CMakeCache.txt" ]; then
    configure+=("${generator[@]}" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
                -DQT_MINGW_PREFIX="$qt" -DCMAKE_BUILD_TYPE=RelWithDebInfo
                -DWARNINGS_AS_ERRORS=ON)
fi
echo "== Windows x64 build (MinGW-w64, tests under Wine): $build"
step configure "${configure[@]}"
step build cmake --build "$build" -j "$(nproc)"
echo "windows: tst_previewwindow is skipped: it drives X11 windows through Xvfb and xdotool" \
     "by process id, which a Windows program under Wine does not share"
cd "$build"
step test env QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
