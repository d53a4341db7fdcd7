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
# goes to the debugger output); the offscreen platform takes its fonts from Debian's DejaVu.
export QT_FORCE_STDERR_LOGGING=${QT_FORCE_STDERR_LOGGING:-1}
export QT_QPA_FONTDIR=${QT_QPA_FONTDIR:-Z:/usr/share/fonts/truetype/dejavu}
# Wine keeps variables named QT_* from Windows programs, and hands WINEQT_* on as QT_*.
for name in $(compgen -e); do
    case $name in
        QT_*) export "WINE$name=${!name}" ;;
    esac
done

# One prefix set-up at a time, also when CTest starts several programs at once.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            "$wine" wineboot -i >/dev/null 2>&1 || true
            # the registry is on disk once the prefix's server has ended
            for server in "$(dirname "$wine")"/wineserver64 "$(dirname "$wine")"/wineserver; do
                if [ -x "$server" ]; then
                    "$server" -w || true
                    break
                fi
            done
        fi
    ) 9>"$WINEPREFIX.lock"
fi

exec "$wine" "$@"
