#!/usr/bin/env bash
# Compiles every source of the plug-in, the host stand-in, the widget, the axis, the colour
# rules and the direct painting, meta-object compiler output included, in syntax-only mode
# against the Qt headers of the build, in one of two ways:
#   windows    with the MinGW-w64 cross compiler for Windows x64: code that cannot build
#              there (POSIX calls, missing export macros, compiler-specific constructs) fails;
#   namespace  with the native compiler and Qt's classes inside the namespace WinCC_OA, as
#              the host's Linux Qt is built: a bare forward declaration of a Qt class fails.
#   check-sources.sh windows|namespace SOURCE_DIR BUILD_DIR QT_INCLUDE_DIR
set -euo pipefail
mode=$1
src=$2
build=$3
qt=$4
case $mode in
windows)
    cxx=x86_64-w64-mingw32-g++-posix
    mode_flags=(-DUNICODE -D_UNICODE)
    ;;
namespace)
    cxx=${CXX:-g++}
    mode_flags=(-fPIC -DQT_NAMESPACE=WinCC_OA)
    ;;
*)
    echo "usage: $0 windows|namespace SOURCE_DIR BUILD_DIR QT_INCLUDE_DIR" >&2
    exit 2
    ;;
esac
if ! command -v "$cxx" >/dev/null 2>&1; then
    echo "check-sources: $cxx is missing; run scripts/setup.sh" >&2
    exit 1
fi

flags=(-fsyntax-only -std=c++17 -Wall -Wextra -Wpedantic -Werror "${mode_flags[@]}"
       -DQT_CORE_LIB -DQT_GUI_LIB -DQT_WIDGETS_LIB -DQT_NO_DEBUG
       -isystem "$qt" -isystem "$qt/QtCore" -isystem "$qt/QtGui" -isystem "$qt/QtWidgets"
       -I"$src/paint" -I"$src/rules" -I"$src/axis" -I"$src/widget" -I"$src/plugin" -I"$src/host/ewo")

check() {
    echo "$mode: $*"
    "$cxx" "${flags[@]}" "$@"
}

status=0
for f in "$src"/paint/*.cpp "$src"/rules/*.cpp "$src"/axis/*.cpp "$src"/widget/*.cpp \
    "$src"/plugin/*.cpp; do
    check "$f" || status=1
done
check -DEWO_BUILD_LIBRARY "$src"/host/ewo/*.cpp || status=1

# The generated meta-object code of the widget, the adapter and the stand-in.
for target in widget/mvc_widget plugin/MirelValueColorConverter host/ewo/ewo; do
    autogen="$build/${target}_autogen"
    moc="$autogen/mocs_compilation.cpp"
    if [ ! -f "$moc" ]; then
        echo "check-sources: $moc not found; build first" >&2
        status=1
        continue
    fi
    define=()
    [ "$target" = host/ewo/ewo ] && define=(-DEWO_BUILD_LIBRARY)
    check "${define[@]}" -I"$autogen/include" "$moc" || status=1
done
exit $status
