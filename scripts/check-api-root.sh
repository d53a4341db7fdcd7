#!/usr/bin/env bash
# Builds the plug-in against a host API folder laid out the way a host installation lays it
# out, made here from the stand-in's header and the library of BUILD_DIR:
#   INSTALL/api/include/EWO/BaseExternWidget.hxx, INSTALL/api/CMakeDefines.txt,
#   INSTALL/bin/libewo.so
# and checks that the host's build definitions are read, that the plug-in needs the host's
# library, that installing puts the plug-in into PROJECT/bin/widgets/ and nothing else into
# PROJECT, and that a folder without the header is refused when configuring.
#   check-api-root.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
qt=$(sed -n 's/^QT_MAJOR_VERSION:STRING=//p' "$build/CMakeCache.txt")
work=$build/api-root-check
host=$work/host-installation

fail() {
    echo "check-api-root: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$host/api/include/EWO" "$host/bin" "$work/empty-api"
cp "$root/host/ewo/BaseExternWidget.hxx" "$host/api/include/EWO/"
cp "$build/lib/libewo.so" "$host/bin/"
cat > "$host/api/CMakeDefines.txt" <<'DEFINES'
# the host's definitions for every extern widget (its Linux ones also name the Qt namespace)
set(CMAKE_CXX_STANDARD 17)
add_definitions(-DHOST_DEFINITIONS_READ)
DEFINES

generator=()
if command -v ninja >/dev/null 2>&1; then
    generator=(-G Ninja)
fi
echo "== plug-in against the host API folder $host/api"
API_ROOT=$host/api cmake -S "$root" -B "$work/build" "${generator[@]}" \
    -DQT_MAJOR_VERSION="$qt" -DBUILD_TESTING=OFF -DWARNINGS_AS_ERRORS=ON >/dev/null
grep -q HOST_DEFINITIONS_READ "$work/build/compile_commands.json" ||
    fail "CMakeDefines.txt was not read"
cmake --build "$work/build" --target MirelValueColorConverter -j "${BUILD_JOBS:-$(nproc)}" \
    >/dev/null
module=$work/build/bin/widgets/MirelValueColorConverter.ewo
readelf -d "$module" | grep -q 'NEEDED.*\[libewo\.so\]' || fail "$module does not need libewo.so"

cmake --install "$work/build" --prefix "$work/project" >/dev/null
installed=$(cd "$work/project" && find . -type f -o -type l)
[ "$installed" = ./bin/widgets/MirelValueColorConverter.ewo ] ||
    fail "install put these files into the project: $installed"

if cmake -S "$root" -B "$work/refused" -DAPI_ROOT="$work/empty-api" >"$work/refused.log" 2>&1; then
    fail "a folder without the header was accepted"
fi
grep -q "API_ROOT=$work/empty-api .*$work/empty-api/include/EWO/BaseExternWidget.hxx" \
    <(tr -d '\n' <"$work/refused.log" | tr -s ' ') ||
    fail "the refusal does not name API_ROOT and the header: $(cat "$work/refused.log")"
echo "check-api-root: built, linked and installed as for a host installation"
