#!/usr/bin/env bash
# Builds the Windows x64 version with MinGW-w64 against Qt 5 in build-windows/ or against
# Qt 6 in build-windows-qt6/ (the plug-in MirelValueColorConverter.ewo, the stand-in host
# library, ewo-preview and every test program) and runs the whole CTest suite under Wine on
# the offscreen platform.
#   scripts/test-windows.sh [--qt 5|6] [--if-available] [--qt-tarball FILE]
# The Qt for MinGW-w64 comes from scripts/setup-windows.sh, which is never asked to build it
# here (that takes 12 minutes to an hour). Without one the script says so and fails, or with
# --if-available says so and succeeds. WINDOWS_BUILD_DIR names another build folder (the Qt 6
# build gets "-qt6" appended); BUILD_JOBS sets the build's jobs (default: one per processor).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if_available=0
qt_major=5
setup_args=()
while [ $# -gt 0 ]; do
    case $1 in
        --qt) qt_major=${2:?--qt needs 5 or 6}; shift ;;
        --if-available) if_available=1 ;;
        --qt-tarball) setup_args+=(--qt-tarball "${2:?--qt-tarball needs a file}"); shift ;;
        *) echo "usage: $0 [--qt 5|6] [--if-available] [--qt-tarball FILE]" >&2; exit 1 ;;
    esac
    shift
done
case $qt_major in
    5 | 6) ;;
    *) echo "test-windows: --qt $qt_major: the Qt major version is 5 or 6" >&2; exit 1 ;;
esac

# Wall time of one step, printed after it.
step() {
    local name=$1
    shift
    local start=$SECONDS
    local rc=0
    "$@" || rc=$?
    echo "windows (Qt $qt_major): $name took $((SECONDS - start)) s" >&2
    return $rc
}

status=0
qt=$(step "setup (packages, unpacking Qt)" \
    "$root/scripts/setup-windows.sh" --qt "$qt_major" --no-build --print-prefix \
    "${setup_args[@]}") || status=$?
if [ $status -eq 3 ]; then
    echo "Windows suite on Qt $qt_major not run: no Qt $qt_major for MinGW-w64;" \
         "run scripts/setup-windows.sh --qt $qt_major"
    if [ $if_available -eq 1 ]; then
        exit 0
    fi
    exit 1
elif [ $status -ne 0 ] || [ -z "$qt" ]; then
    exit 1
fi

build=${WINDOWS_BUILD_DIR:-$root/build-windows}
[ "$qt_major" = 5 ] || build+=-qt$qt_major
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
                -DQT_MAJOR_VERSION="$qt_major" -DQT_MINGW_PREFIX="$qt"
                -DCMAKE_BUILD_TYPE=RelWithDebInfo
                -DWARNINGS_AS_ERRORS=ON)
fi
echo "== Windows x64 build on Qt $qt_major (MinGW-w64, tests under Wine): $build"
step configure "${configure[@]}"
step build cmake --build "$build" -j "${BUILD_JOBS:-$(nproc)}"

# Pictures of the examples made by the Linux build on the same Qt (scripts/test.sh builds it
# first; its preview host and plug-in are brought up to date here), which tst_preview then
# compares the Windows pictures with as closely as two Linux builds compare; without that
# build it compares them with docs/images/.
#   render_linux_pictures LINUX_BUILD FOLDER
render_linux_pictures() (
    cmake --build "$1" --target ewo-preview MirelValueColorConverter \
        -j "${BUILD_JOBS:-$(nproc)}" >/dev/null
    # shellcheck source=common.sh
    source "$root/scripts/common.sh"
    use_private_runtime_dir "$1"
    mkdir -p "$2"
    for example in "$root"/examples/*.ctl; do
        size=$(example_size "$example")
        "$1/bin/ewo-preview" --script "$example" ${size:+--size "$size"} \
            --png "$2/$(basename "$example" .ctl).png" >/dev/null
    done
)
linux_build=${BUILD_DIR:-$root/build}
[ "$qt_major" = 5 ] || linux_build+=-qt$qt_major
test_env=()
if [ -f "$linux_build/CMakeCache.txt" ] &&
    grep -qxF "QT_MAJOR_VERSION:STRING=$qt_major" "$linux_build/CMakeCache.txt"; then
    step "Linux pictures ($linux_build)" \
        render_linux_pictures "$linux_build" "$build/linux-pictures"
    test_env+=(REFERENCE_PICTURES="$build/linux-pictures")
else
    echo "windows (Qt $qt_major): no Linux build on Qt $qt_major in $linux_build; the example" \
         "pictures are compared with docs/images/"
fi
echo "windows (Qt $qt_major): tst_previewwindow is skipped: it drives X11 windows through" \
     "Xvfb and xdotool by process id, which a Windows program under Wine does not share"
# Windows always has a display; under Wine an X server gives it one, so that a program that
# opens a window (tst_preview's windowWithoutDisplay) gets it, as on Windows. Without one,
# Wine cannot create the window. The tests run on an X server and a Wine server of their
# own, both up before the first test and ended after the last:
# - Xvfb picks a free display itself and writes its number once it accepts connections
#   (-displayfd): runs at the same time never take one display, and no test starts before
#   the server listens;
# - Wine's server for the build's prefix stays up for the whole run (-p), with the prefix
#   booted first: no test program meets a server still shutting down after the previous
#   program, nor starts Wine's services itself (cmake/wine-run.sh then finds them running).
prefix=$build/wineprefix
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver64 || true)
xvfb_pid=
end_servers() {
    if [ -n "$wineserver" ] && [ -d "$prefix" ]; then
        WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
    fi
}
trap end_servers EXIT

if command -v Xvfb >/dev/null 2>&1; then
    coproc XVFB { exec Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null; }
    xvfb_pid=$XVFB_PID # set by coproc
    if ! read -r -t 60 display_number <&"${XVFB[0]}"; then
        echo "windows (Qt $qt_major): Xvfb did not start" >&2
        exit 1
    fi
    export DISPLAY=:$display_number
else
    echo "windows (Qt $qt_major): no Xvfb (scripts/setup-windows.sh installs it); Wine gets" \
         "no display and cannot open windows"
fi
# the first time, making the prefix takes about 10 s
boot_prefix() {
    mkdir -p "$prefix"
    WINEPREFIX=$prefix "$wineserver" -p
    "$root/cmake/wine-run.sh" "$prefix" "" wineboot </dev/null >/dev/null 2>&1
}
if [ -n "$wineserver" ]; then
    step "Wine prefix" boot_prefix
fi
cd "$build"
step test env QT_QPA_PLATFORM=offscreen "${test_env[@]}" ctest --output-on-failure -j "$(nproc)"
