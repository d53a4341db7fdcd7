#!/usr/bin/env bash
# Runs a Windows x64 program under Wine; CMake's cross-compiling emulator for the MinGW-w64
# build, so CTest runs the Windows test programs as it runs the Linux ones.
#   wine-run.sh WINEPREFIX DLL_DIRS PROGRAM [ARGUMENTS...]
# WINEPREFIX is created on first use. DLL_DIRS (Linux folders, separated by ':') go on the
# program's search path for DLLs. The exit code is the program's.
set -euo pipefail
if [ $# -lt 3 ]; then
    echo "usage: $0 WINEPREFIX DLL_DIRS PROGRAM [ARGUMENTS...]" >&2
    exit 125
fi
export WINEPREFIX=$1
dll_dirs=$2
shift 2

wine=$(command -v wine64 || true)
if [ -z "$wine" ] && [ -x /usr/lib/wine/wine64 ]; then
    wine=/usr/lib/wine/wine64 # Debian's wine64 package without the wine wrapper
fi
if [ -z "$wine" ]; then
    echo "wine-run: wine64 is missing; run scripts/setup-windows.sh" >&2
    exit 125
fi

export WINEDEBUG=${WINEDEBUG:--all}
# no downloads of Mono and Gecko, which nothing here needs
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Drive Z: is the Linux root in every prefix.
winepath=
IFS=: read -r -a dirs <<< "$dll_dirs"
for d in "${dirs[@]}"; do
    winepath+="Z:${d//\//\\};"
done
export WINEPATH=$winepath${WINEPATH:-}

# Text output of Qt and QTest goes to the standard streams even without a console (else it
# goes to the debugger output).
export QT_FORCE_STDERR_LOGGING=${QT_FORCE_STDERR_LOGGING:-1}
# The offscreen platform takes its fonts from one folder: Debian's DejaVu faces, without
# DejaVu Math TeX Gyre. The platform's default family (Helvetica) is not among them, and
# Qt 5 then falls back to the first font file of the folder; with the math face left out
# that is DejaVu Sans, the face fontconfig gives Linux for it.
if [ -z "${QT_QPA_FONTDIR:-}" ]; then
    fonts=$WINEPREFIX-fonts
    if [ ! -d "$fonts" ]; then
        mkdir -p "$fonts.new.$$"
        for f in /usr/share/fonts/truetype/dejavu/DejaVu*.ttf; do
            case $f in */DejaVuMath*) continue ;; esac
            ln -s "$f" "$fonts.new.$$/"
        done
        # a folder made by another run at the same time is as good
        mv -T "$fonts.new.$$" "$fonts" 2>/dev/null || rm -rf "$fonts.new.$$"
    fi
    export QT_QPA_FONTDIR=Z:$fonts
fi
# Wine keeps variables named QT_* from Windows programs, and hands WINEQT_* on as QT_*.
for name in $(compgen -e); do
    case $name in
        QT_*) export "WINE$name=${!name}" ;;
    esac
done

# Wine's services for the prefix are started here, apart from the program: started by the
# program they would inherit its error stream and hold it open until they end, 3 s after the
# last program of the prefix, and CTest would wait for that. wineboot makes the prefix on
# first use (about 10 s), else starts its services (about 1 s); one at a time, also when
# CTest starts several programs together. The services run while the prefix's server does,
# which works in a folder named after the prefix folder's device and inode. (A server still
# ending after an earlier program may have them restarted by the next one; only CTest's time
# for that test shows it. scripts/test-windows.sh keeps one server up for its whole run.)
server_running() {
    local folder device inode p
    read -r device inode < <(stat -c '%d %i' "$WINEPREFIX" 2>/dev/null || echo 0 0)
    folder=$(printf 'server-%x-%x' "$device" "$inode")
    for p in $(pgrep -u "$(id -u)" '^wineserver' || true); do
        if [ "$(basename "$(readlink "/proc/$p/cwd" 2>/dev/null)")" = "$folder" ]; then
            return 0
        fi
    done
    return 1
}
if ! server_running; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if ! server_running; then
            # without the lock's descriptor, which the services would otherwise keep
            "$wine" wineboot </dev/null >/dev/null 2>&1 9>&- || true
        fi
    ) 9>"$WINEPREFIX.lock"
fi

exec "$wine" "$@"
