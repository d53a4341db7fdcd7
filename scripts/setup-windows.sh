#!/usr/bin/env bash
# Provides what the Windows x64 build under Wine needs: Debian's MinGW-w64 compilers
# (posix threads), Wine, an X server for its windows (Xvfb) and the DejaVu fonts, and a Qt 5
# or Qt 6 for MinGW-w64 in a cache folder outside the source tree.
#
#   scripts/setup-windows.sh [--qt 5|6] [--qt-tarball FILE | --from-source]
#                            [--no-build | --check] [--print-prefix]
#
# --qt picks the Qt major version (default 5). The Qt comes from a prebuilt tarball when there
# is one: --qt-tarball FILE, else $QT_MINGW_TARBALL, else
# ../shared/toolchains/qt5.15.8-mingw-w64-x86_64.tar.xz (Qt 5) or
# ../shared/toolchains/qt6.4.2-mingw-w64-x86_64.tar.xz (Qt 6) beside the repository. It is
# unpacked once into ${XDG_CACHE_HOME:-~/.cache}/mirel-vcc/, in a folder named after the
# tarball's checksum, so later runs reuse it. Without a tarball the Qt of that version this
# script provided last is used; without one either, qtbase is cross-built from Debian's own
# source package and installed into the same cache: Qt 5 takes about an hour on a 2-core
# machine, Qt 6 about 12 minutes (its moc, rcc and uic come from Debian's qt6-base-dev-tools).
#
#   --from-source   build it from Debian's source whatever tarball there is (once: a Qt this
#                   script built before is used again)
#   --no-build      when that build would be needed, install nothing and exit 3
#   --check         install and unpack nothing; exit 0 when a Qt is at hand, else 3
#   --print-prefix  print the Qt folder on stdout (everything else goes to stderr)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

tarball=${QT_MINGW_TARBALL:-}
from_source=0
qt_major=5
build_allowed=1
check_only=0
print_prefix=0
while [ $# -gt 0 ]; do
    case $1 in
        --qt) qt_major=${2:?--qt needs 5 or 6}; shift ;;
        --qt-tarball) tarball=${2:?--qt-tarball needs a file}; shift ;;
        --from-source) from_source=1 ;;
        --no-build) build_allowed=0 ;;
        --check) check_only=1; build_allowed=0 ;;
        --print-prefix) print_prefix=1 ;;
        *) echo "usage: $0 [--qt 5|6] [--qt-tarball FILE | --from-source]" \
                "[--no-build | --check] [--print-prefix]" >&2
           exit 1 ;;
    esac
    shift
done
case $qt_major in
    5) qt_version=5.15.8 ;;
    6) qt_version=6.4.2 ;;
    *) echo "setup-windows: --qt $qt_major: the Qt major version is 5 or 6" >&2; exit 1 ;;
esac
# With --print-prefix only the prefix goes to the caller's stdout.
exec 3>&1
if [ $print_prefix -eq 1 ]; then
    exec 1>&2
fi

default_tarball=$root/../shared/toolchains/qt$qt_version-mingw-w64-x86_64.tar.xz
if [ $from_source -eq 1 ]; then
    tarball=""
elif [ -z "$tarball" ] && [ -f "$default_tarball" ]; then
    tarball=$default_tarball
fi
if [ -n "$tarball" ] && [ ! -f "$tarball" ]; then
    echo "setup-windows: $tarball: no such file" >&2
    exit 1
fi

cache=${XDG_CACHE_HOME:-$HOME/.cache}/mirel-vcc
# the Qt folder of this major version that this script provided last, whatever its origin
last=$cache/last-prefix-qt$qt_major
last_read=$last
if [ "$qt_major" = 5 ] && [ ! -f "$last" ] && [ -f "$cache/last-prefix" ]; then
    last_read=$cache/last-prefix # written when this script knew Qt 5 only
fi
if [ -n "$tarball" ]; then
    tarball=$(cd "$(dirname "$tarball")" && pwd)/$(basename "$tarball")
    name=$(basename "$tarball")
    name=${name%.tar.*}
    sum=$(sha256sum "$tarball" | cut -c1-16)
    prefix=$cache/$name-$sum
elif [ $from_source -eq 0 ] && [ -f "$last_read" ] &&
    [ -f "$(cat "$last_read")/.complete" ]; then
    prefix=$(cat "$last_read")
else
    prefix=$cache/qt$qt_version-mingw-w64-x86_64-debian-source
fi

if [ -z "$tarball" ] && [ ! -f "$prefix/.complete" ] && [ $build_allowed -eq 0 ]; then
    echo "setup-windows: no Qt $qt_major for MinGW-w64 tarball and no earlier one in $cache" >&2
    exit 3
fi
if [ $check_only -eq 1 ]; then
    echo "setup-windows: Qt $qt_major for MinGW-w64 at hand (${tarball:-$prefix})"
    exit 0
fi

# --- packages ---------------------------------------------------------------------------
packages=(g++-mingw-w64-x86-64-posix wine64 fonts-dejavu-core xz-utils procps xvfb xauth)
if [ "$qt_major" = 6 ]; then
    # A Qt 6 cross build takes moc, rcc, uic and their CMake packages from the host's Qt of
    # the same version, Debian's 6.4.2.
    packages+=(qt6-base-dev qt6-base-dev-tools cmake)
fi
if [ -z "$tarball" ] && [ ! -f "$prefix/.complete" ]; then
    if [ "$qt_major" = 5 ]; then
        packages+=(dpkg-dev make g++ perl)
    else
        packages+=(dpkg-dev ninja-build perl)
    fi
fi
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup-windows: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# --- Qt from the tarball ----------------------------------------------------------------
unpack() {
    if [ -f "$prefix/.complete" ]; then
        echo "setup-windows: Qt for MinGW-w64 already unpacked in $prefix"
        return
    fi
    echo "setup-windows: unpacking $tarball into $prefix"
    mkdir -p "$cache"
    local work
    work=$(mktemp -d "$cache/unpack.XXXXXX")
    tar -xJf "$tarball" -C "$work"
    local top
    top=$(find "$work" -mindepth 1 -maxdepth 1 -type d)
    local config=lib/cmake/Qt$qt_major/Qt${qt_major}Config.cmake
    if [ "$(printf '%s\n' "$top" | wc -l)" -ne 1 ] || [ ! -f "$top/$config" ]; then
        echo "setup-windows: $tarball does not hold one Qt $qt_major folder with $config" >&2
        rm -rf "$work"
        exit 1
    fi
    rm -rf "$prefix"
    mv "$top" "$prefix"
    rm -rf "$work"
    touch "$prefix/.complete"
}

# --- Qt from Debian's source package ----------------------------------------------------
# deb-src lines for the Debian 12 entries of the machine's own package sources, in both the
# one-line and the deb822 format.
debian_source_list() {
    local f
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        sed -n 's/^[[:space:]]*deb[[:space:]]\(.*bookworm.*\)$/deb-src \1/p' "$f"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk '
            function flush(  u, s, nu, ns, us, ss, opt) {
                if (types ~ /(^| )deb( |$)/ && uris != "" && suites ~ /bookworm/) {
                    opt = signed != "" ? "[signed-by=" signed "] " : ""
                    nu = split(uris, us, " "); ns = split(suites, ss, " ")
                    for (u = 1; u <= nu; u++)
                        for (s = 1; s <= ns; s++)
                            print "deb-src " opt us[u] " " ss[s] " " comps
                }
                types = uris = suites = comps = signed = ""
            }
            /^[[:space:]]*#/ { next }
            /^[[:space:]]*$/ { flush(); next }
            { key = $1; sub(/:$/, "", key); $1 = ""; sub(/^ +/, "") }
            key == "Types" { types = $0 } key == "URIs" { uris = $0 }
            key == "Suites" { suites = $0 } key == "Components" { comps = $0 }
            key == "Signed-By" { signed = $0 }
            END { flush() }' "$f"
    done
}

# The source package of qtbase $qt_version, fetched and unpacked into $work/qtbase with a
# private package list, so that the machine's own apt state is left as it is.
fetch_source() {
    local package=$1
    mkdir -p "$work/lists/partial" "$work/archives/partial"
    debian_source_list > "$work/sources.list"
    if [ ! -s "$work/sources.list" ]; then
        echo "setup-windows: no Debian 12 (bookworm) entry in the machine's package sources" >&2
        exit 1
    fi
    local apt_options=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=-
                       -o Dir::State::Lists="$work/lists" -o Dir::Cache::Archives="$work/archives")
    if [ "$(id -u)" -eq 0 ]; then
        apt_options+=(-o APT::Sandbox::User=root)
    fi
    apt-get "${apt_options[@]}" update -q
    (cd "$work" && apt-get "${apt_options[@]}" source --download-only "$package")
    (cd "$work" && dpkg-source -x "${package}"_*.dsc qtbase)
}

build_qt5() {
    mkdir -p "$work/tc" "$work/build"
    fetch_source qtbase-opensource-src
    # The posix-thread compilers under the plain tool names Qt's win32-g++ platform calls.
    local tool
    for tool in gcc g++ c++; do
        ln -s "/usr/bin/x86_64-w64-mingw32-$tool-posix" "$work/tc/x86_64-w64-mingw32-$tool"
    done
    for tool in /usr/bin/x86_64-w64-mingw32-*; do
        case $tool in *-posix | *-win32 | *-gcc | *-g++ | *-c++) continue ;; esac
        ln -sf "$tool" "$work/tc/$(basename "$tool")"
    done

    (cd "$work/build" && ../qtbase/configure -prefix "$prefix" \
        -xplatform win32-g++ -device-option CROSS_COMPILE="$work/tc/x86_64-w64-mingw32-" \
        -opensource -confirm-license -release -shared -nomake examples -nomake tests \
        -no-opengl -no-dbus -no-pkg-config -no-icu -no-openssl -no-direct2d -no-vulkan \
        -no-feature-network -no-feature-sql -no-feature-xml -no-feature-concurrent \
        -no-feature-printer -no-feature-tabletevent \
        -qt-zlib -qt-libpng -no-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre)
    make -C "$work/build" -j "${QT_BUILD_JOBS:-2}"
    rm -rf "$prefix"
    make -C "$work/build" install
}

# Qt 6 builds with CMake for the MinGW-w64 target and takes its moc, rcc, uic (and the other
# build tools) from the host's Qt 6.4.2 in /usr, whose CMake packages are in the multiarch
# folder. The options are those of the prebuilt tarball; why each is there:
#   -no-feature-directwrite3  mingw-w64 has dwrite_3.h, but Qt compiles the DirectWrite 3
#                             font database only with Direct2D, so qwindows.dll would not link
#   -no-feature-tabletevent   Debian's source drops wintab.h, which tablet support includes
#   -qt-freetype (and the other bundled libraries)
#                             the offscreen platform needs FreeType; nothing is taken from the
#                             MinGW-w64 sysroot (it may hold a zlib)
#   -no-feature-androiddeployqt  Debian's cross-build patch would build it here
build_qt6() {
    mkdir -p "$work/build"
    fetch_source qt6-base
    # The toolchain file of the Qt build, shipped with the Qt as the tarball does, for Qt's
    # own lib/cmake/Qt6/qt.toolchain.cmake.
    cat > "$work/mingw-w64-x86_64-posix.cmake" <<'TOOLCHAIN'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   /usr/bin/${TOOLCHAIN_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER /usr/bin/${TOOLCHAIN_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  /usr/bin/${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_AR           /usr/bin/${TOOLCHAIN_PREFIX}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/${TOOLCHAIN_PREFIX}-ranlib CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN

    (cd "$work/build" && ../qtbase/configure -prefix "$prefix" \
        -qt-host-path /usr -xplatform win32-g++ \
        -opensource -confirm-license -release -shared -nomake examples -nomake tests \
        -no-opengl -no-dbus -no-pkg-config -no-icu -no-openssl \
        -no-direct2d -no-feature-directwrite3 -no-vulkan \
        -no-feature-network -no-feature-sql -no-feature-xml -no-feature-concurrent \
        -no-feature-printsupport -no-feature-tabletevent \
        -no-feature-androiddeployqt -no-feature-zstd \
        -qt-zlib -qt-libpng -no-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre \
        -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/mingw-w64-x86_64-posix.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
    ninja -C "$work/build" -j "${QT_BUILD_JOBS:-2}"
    rm -rf "$prefix"
    cmake --install "$work/build"
    # Qt's toolchain wrapper names the build's toolchain file, which goes with $work: it
    # names the copy beside the Qt instead.
    cp "$work/mingw-w64-x86_64-posix.cmake" "$prefix/"
    local variable=__qt_initially_configured_toolchain_file
    local copy='${CMAKE_CURRENT_LIST_DIR}/../../../mingw-w64-x86_64-posix.cmake'
    sed -i "s|^set($variable \".*\")\$|set($variable \"$copy\")|" \
        "$prefix/lib/cmake/Qt6/qt.toolchain.cmake"
    grep -qF "set($variable \"$copy\")" "$prefix/lib/cmake/Qt6/qt.toolchain.cmake"
}

build_from_source() {
    if [ -f "$prefix/.complete" ]; then
        echo "setup-windows: Qt for MinGW-w64 already in $prefix"
        return
    fi
    local duration="about an hour"
    [ "$qt_major" = 5 ] || duration="about 12 minutes"
    echo "setup-windows: no Qt for MinGW-w64 tarball; cross-building qtbase $qt_version from"
    echo "setup-windows: Debian's source package. This takes $duration on a 2-core machine."
    work=$cache/qtbase$qt_major-source-build
    rm -rf "$work"
    "build_qt$qt_major"
    rm -rf "$work"
    touch "$prefix/.complete"
}

if [ -n "$tarball" ]; then
    unpack
else
    build_from_source
fi
printf '%s\n' "$prefix" > "$last"
echo "setup-windows: Qt for MinGW-w64 in $prefix"
if [ $print_prefix -eq 1 ]; then
    echo "$prefix" >&3
fi
