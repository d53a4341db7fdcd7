#!/usr/bin/env bash
# Sets up the machine, then builds and runs the whole test suite against Qt 5 and against
# Qt 6, each in two builds: a normal build (GCC, benchmarks built too) and a clang build with
# AddressSanitizer and UndefinedBehaviorSanitizer that adds the fuzz smoke run (a fixed
# seed). Then, for each Qt version whose Qt for MinGW-w64 is at hand
# (scripts/setup-windows.sh --qt 5|6), the Windows x64 build with its tests under Wine; for
# a version without it, that version's normal build compiles the sources for Windows in
# syntax-only mode instead. Every normal build also compiles the sources as against a Qt
# built inside a namespace, and builds the plug-in against a host API folder laid out as the
# host lays it out. Warnings are errors.
#   scripts/test.sh [--quick]
# --quick builds and runs the Qt 5 normal build and its suite only, for the inner loop.
# The script says at its start which builds it runs and which it leaves out, and ends with a
# table of every build's tests and time, also when a build fails (the run then fails).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

quick=0
case ${1:-} in
    "") ;;
    --quick) quick=1 ;;
    *) echo "usage: $0 [--quick]" >&2; exit 1 ;;
esac

"$root/scripts/setup.sh"
jobs=$(nproc)

# The Qt versions whose Qt for MinGW-w64 is at hand; also in a quick run, so that the Qt 5
# build is configured alike in both and a full run after a quick one rebuilds nothing.
windows=()
for qt in 5 6; do
    if "$root/scripts/setup-windows.sh" --qt $qt --check >/dev/null 2>&1; then
        windows+=("$qt")
    fi
done
has_windows() {
    case " ${windows[*]} " in *" $1 "*) return 0 ;; esac
    return 1
}

build_dir() { # QT: the normal build's folder
    echo "${BUILD_DIR:-$root/build}$([ "$1" = 5 ] || echo "-qt$1")"
}
sanitize_dir() { # QT: the sanitizer build's folder
    echo "${SANITIZE_BUILD_DIR:-$root/build-sanitize}$([ "$1" = 5 ] || echo "-qt$1")"
}

# The plan: the builds in the order they run, then what is left out and why; each entry is
# its words joined by spaces.
plan=()
left_out=()
to_plan() { plan+=("$*"); }
to_leave_out() { left_out+=("$*"); }
if [ $quick = 1 ]; then
    to_plan "Qt 5, normal build in $(build_dir 5): every suite"
    to_leave_out "the sanitizer builds and the fuzz smoke run, Qt 6, the Windows builds" \
        "and the check against a host API folder (scripts/test.sh without --quick runs them)"
else
    for qt in 5 6; do
        to_plan "Qt $qt, normal build (GCC) in $(build_dir $qt): every suite, then the plug-in" \
            "built against a host API folder"
        to_plan "Qt $qt, sanitizer build (clang) in $(sanitize_dir $qt): every suite under" \
            "ASan and UBSan, and the fuzz smoke run"
    done
    for qt in 5 6; do
        if has_windows $qt; then
            to_plan "Windows x64 on Qt $qt (MinGW-w64): every suite under Wine"
        else
            to_leave_out "Windows on Qt $qt: no Qt $qt for MinGW-w64 (scripts/setup-windows.sh" \
                "--qt $qt); the Qt $qt normal build checks the sources for Windows instead"
        fi
    done
fi
if [ $quick = 1 ]; then
    echo "== scripts/test.sh --quick: the inner loop, one build with its tests"
else
    echo "== scripts/test.sh: ${#plan[@]} builds with their tests, 12 to 14 minutes on an idle" \
        "2-core machine (their output scrolls meanwhile; a summary follows at the end)"
fi
step=0
for line in "${plan[@]}"; do
    step=$((step + 1))
    echo "   $step. $line"
done
for line in "${left_out[@]}"; do
    echo "   left out: $line"
done

logs=$(mktemp -d)
rows=()
started=$SECONDS

minutes() { # SECONDS
    printf '%d min %02d s' $(($1 / 60)) $(($1 % 60))
}

# "P of T" from the last CTest summary in LOG, "-" when there is none.
tests_passed() { # LOG
    local line
    line=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$1" | tail -n 1) || true
    if [ -z "$line" ]; then
        echo "-"
        return
    fi
    local failed=${line%% *} total=${line##* }
    echo "$((total - failed)) of $total"
}

# The summary table and the closing line, after the last build or the first that failed.
finish() {
    local status=$?
    echo
    echo "== Summary"
    printf '%-48s %-14s %-12s %s\n' Build "Tests passed" Time Result
    local row name tests time result
    for row in "${rows[@]}"; do
        IFS='|' read -r name tests time result <<<"$row"
        printf '%-48s %-14s %-12s %s\n' "$name" "$tests" "$time" "$result"
    done
    rm -rf "$logs"
    if [ $status = 0 ]; then
        echo "== scripts/test.sh: every build passed in $(minutes $((SECONDS - started)))"
    else
        echo "== scripts/test.sh: FAILED after $(minutes $((SECONDS - started))) (see above)"
    fi
    exit $status
}
trap finish EXIT

# Runs one build with its output shown and kept, and adds its row to the summary.
#   stage NAME COMMAND...
stage() {
    local name=$1
    shift
    local log=$logs/${#rows[@]}.log start=$SECONDS rc=0
    echo "== $name"
    "$@" 2>&1 | tee "$log" || rc=$?
    local result=passed
    [ $rc = 0 ] || result=FAILED
    rows+=("$name|$(tests_passed "$log")|$(minutes $((SECONDS - start)))|$result")
    return $rc
}

run_suite() { # BUILD
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
}

# The commands of one build are chained with &&: set -e does not act inside a function whose
# status is tested.
normal_build() { # QT BUILD
    local source_check=ON
    if has_windows "$1"; then
        source_check=OFF
    fi
    "$root/scripts/build.sh" "$2" -DQT_MAJOR_VERSION="$1" -DBUILD_BENCHMARKS=ON \
        -DWINDOWS_SOURCE_CHECK=$source_check &&
        run_suite "$2" &&
        if [ $quick = 0 ]; then "$root/scripts/check-api-root.sh" "$2"; fi
}

sanitizer_build() { # QT BUILD
    CXX=clang++ "$root/scripts/build.sh" "$2" -DQT_MAJOR_VERSION="$1" \
        -DCMAKE_CXX_COMPILER=clang++ -DSANITIZE=ON -DBUILD_FUZZERS=ON &&
        run_suite "$2"
}

if [ $quick = 1 ]; then
    stage "Qt 5, normal" normal_build 5 "$(build_dir 5)"
    exit 0
fi
for qt in 5 6; do
    stage "Qt $qt, normal" normal_build $qt "$(build_dir $qt)"
    stage "Qt $qt, sanitizers and fuzz smoke run" sanitizer_build $qt "$(sanitize_dir $qt)"
done
for qt in 5 6; do
    if has_windows $qt; then
        stage "Windows on Qt $qt, under Wine" "$root/scripts/test-windows.sh" --qt $qt
    else
        rows+=("Windows on Qt $qt|-|-|not run: no Qt $qt for MinGW-w64")
    fi
done
