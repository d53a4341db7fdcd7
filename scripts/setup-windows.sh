#!/usr/bin/env bash
# Provides what the Windows x64 build under Wine needs: Debian's MinGW-w64 compilers
# (posix threads), Wine and the DejaVu fonts, and a Qt 5 for MinGW-w64 in a cache folder
# outside the source tree.
#
#   scripts/setup-windows.sh [--qt-tarball FILE] [--no-build | --check] [--print-prefix]
#
# The Qt comes from a prebuilt tarball when there is one: --qt-tarball FILE, else
# $QT_MINGW_TARBALL, else ../shared/toolchains/qt5.15.8-mingw-w64-x86_64.tar.xz beside the
# repository. It is unpacked once into ${XDG_CACHE_HOME:-~/.cache}/mirel-vcc/, in a folder
# named after the tarball's checksum, so later runs reuse it. Without a tarball the Qt this
# script provided last is used; without one either, qtbase is cross-built from Debian's own
# source package (about an hour on a 2-core machine) and installed into the same cache.
#
#   --no-build      when that build would be needed, install nothing and exit 3
#   --check         install and unpack nothing; exit 0 when a Qt is at hand, else 3
#   --print-prefix  print the Qt folder on stdout (everything else goes to stderr)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

tarball=${QT_MINGW_TARBALL:-}
build_allowed=1
check_only=0
print_prefix=0
while [ $# -gt 0 ]; do
    case $1 in
        --qt-tarball) tarball=${2:?--qt-tarball needs a file}; shift ;;
        --no-build) build_allowed=0 ;;
        --check) check_only=1; build_allowed=0 ;;
        --print-prefix) print_prefix=1 ;;
        *) echo "usage: $0 [--qt-tarball FILE] [--no-build | --check] [--print-prefix]" >&2
           exit 1 ;;
    esac
    shift
done
# With --print-prefix only the prefix goes to the caller's stdout.
exec 3>&1
if [ $print_prefix -eq 1 ]; then
    exec 1>&2
fi

default_tarball=$root/../shared/toolchains/qt5.15.8-mingw-w64-x86_64.tar.xz
if [ -z "$tarball" ] && [ -f "$default_tarball" ]; then
    tarball=$default_tarball
fi
if [ -n "$tarball" ] && [ ! -f "$tarball" ]; then
    echo "setup-windows: $tarball: no such file" >&2
    exit 1
fi

cache=${XDG_CACHE_HOME:-$HOME/.cache}/mirel-vcc
qt_version=5.15.8
# the Qt folder this script provided last, whatever its origin
last=$cache/last-prefix
if [ -n "$tarball" ]; then
    tarball=$(cd "$(dirname "$tarball")" && pwd)/$(basename "$tarball")
    name=$(basename "$tarball")
    name=${name%.tar.*}
    sum=$(sha256sum "$tarball" | cut -c1-16)
    prefix=$cache/$name-$sum
elif [ -f "$last" ] && [ -f "$(cat "$last")/.complete" ]; then
    prefix=$(cat "$last")
else
    prefix=$cache/qt$qt_version-mingw-w64-x86_64-debian-source
fi

if [ -z "$tarball" ] && [ ! -f "$prefix/.complete" ] && [ $build_allowed -eq 0 ]; then
    echo "setup-windows: no Qt for MinGW-w64 tarball and no earlier Qt in $cache" >&2
    exit 3
fi
if [ $check_only -eq 1 ]; then
    echo "setup-windows: Qt for MinGW-w64 at hand (${tarball:-$prefix})"
    exit 0
fi

# --- packages ---------------------------------------------------------------------------
packages=(g++-mingw-w64-x86-64-posix wine64 fonts-dejavu-core xz-utils procps)
if [ -z "$tarball" ] && [ ! -f "$prefix/.complete" ]; then
    packages+=(dpkg-dev make g++ perl)
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
    if [ "$(printf '%s\n' "$top" | wc -l)" -ne 1 ] || [ ! -f "$top/lib/cmake/Qt5/Qt5Config.cmake" ]; then
        echo "setup-windows: $tarball does not hold one Qt 5 folder with lib/cmake/Qt5" >&2
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

build_from_source() {
    if [ -f "$prefix/.complete" ]; then
        echo "setup-windows: Qt for MinGW-w64 already in $prefix"
        return
    fi
    echo "setup-windows: no Qt for MinGW-w64 tarball; cross-building qtbase $qt_version from"
    echo "setup-windows: Debian's source package. This takes about an hour on a 2-core machine."
    local work=$cache/qtbase-source-build
    rm -rf "$work"
    mkdir -p "$work/lists/partial" "$work/archives/partial" "$work/tc" "$work/build"
    debian_source_list > "$work/sources.list"
    if [ ! -s "$work/sources.list" ]; then
        echo "setup-windows: no Debian 12 (bookworm) entry in the machine's package sources" >&2
        exit 1
    fi
    # A private package list, so that the machine's own apt state is left as it is.
    local apt_options=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=-
                       -o Dir::State::Lists="$work/lists" -o Dir::Cache::Archives="$work/archives")
    if [ "$(id -u)" -eq 0 ]; then
        apt_options+=(-o APT::Sandbox::User=root)
    fi
    apt-get "${apt_options[@]}" update -q
    (cd "$work" && apt-get "${apt_options[@]}" source --download-only qtbase-opensource-src)
    (cd "$work" && dpkg-source -x qtbase-opensource-src_*.dsc qtbase)

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
