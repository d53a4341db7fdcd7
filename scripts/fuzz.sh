#!/usr/bin/env bash
# Runs the host-interface fuzzer, either long with a random seed or a repeatable smoke run:
#   fuzz.sh FUZZER SECONDS [WORK_CORPUS]
#   fuzz.sh --repeat SEED RUNS FUZZER WORK_CORPUS
# First every input of the committed corpus (fuzz/corpus) runs once, each in a process of its
# own, so that a crash or a leak names its input. Then libFuzzer mutates from that corpus and
# WORK_CORPUS, where new inputs go: for SECONDS seconds with a random seed, which is printed;
# or, with --repeat, for RUNS inputs from seed SEED and an emptied WORK_CORPUS, the same
# inputs in the same order on every run. For that, addresses are not randomised (the
# sanitizers' checks of dynamic types hash them, which changes the coverage) and mutations
# are not guided by the comparisons the program makes (Qt and fontconfig compare data that
# differs from run to run).
# A crash, a sanitizer report, a leak or an input running over 30 seconds fails the run (a
# hang, not a slow input: under the sanitizers an input that paints 20000-pixel translucent
# bars takes 5 s on an idle 2-core machine with Qt 6, and 12 s on a loaded one);
# libFuzzer leaves the input as crash-*, leak-*, timeout-* or oom-* in the current folder and
# the script prints its path and bytes. The sanitizers' options come from the environment,
# where CTest puts the suites' own; run by hand, the leak check gets the suites' suppressions
# (tests/lsan.supp) and the full stacks they match on.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
usage="usage: $0 FUZZER SECONDS [WORK_CORPUS] | $0 --repeat SEED RUNS FUZZER WORK_CORPUS"
repeat=0
if [ "${1:-}" = --repeat ]; then
    if [ $# -ne 5 ]; then
        echo "$usage" >&2
        exit 2
    fi
    repeat=1
    seed=$2
    runs=$3
    fuzzer=$4
    work=$5
    shift 5
else
    if [ $# -lt 2 ] || [ $# -gt 3 ]; then
        echo "$usage" >&2
        exit 2
    fi
    fuzzer=$1
    seconds=$2
    work=${3:-$root/build-fuzz/corpus-run}
    # libFuzzer takes a seed of 0 for "pick one"; ours are 1 and up.
    seed=$(( $(od -An -N4 -tu4 /dev/urandom) % 4294967295 + 1 ))
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export ASAN_OPTIONS=${ASAN_OPTIONS:-fast_unwind_on_malloc=0:detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
limits=(-timeout=30 -rss_limit_mb=4096 -max_len=4096)

# Prints a failing input: its path, its size and its bytes in hexadecimal.
#   show_input FILE
show_input() {
    echo "fuzz: failing input $1 ($(wc -c < "$1") bytes); run it alone with: $fuzzer $1"
    od -An -tx1 -v "$1"
}

echo "fuzz: replaying the committed corpus, $root/fuzz/corpus"
for input in "$root"/fuzz/corpus/*; do
    if ! output=$("$fuzzer" "${limits[@]}" "$input" 2>&1); then
        echo "$output"
        show_input "$input"
        exit 1
    fi
done

options=(-seed="$seed" "${limits[@]}" -print_final_stats=1 -artifact_prefix="$PWD/")
launcher=()
if [ $repeat -eq 1 ]; then
    rm -rf "$work"
    options+=(-runs="$runs" -use_cmp=0)
    if setarch "$(uname -m)" -R true 2>/dev/null; then
        launcher=(setarch "$(uname -m)" -R)
    else
        echo "fuzz: address randomisation cannot be turned off here; runs may differ"
    fi
    echo "fuzz: seed $seed, $runs inputs"
else
    options+=(-max_total_time="$seconds")
    echo "fuzz: seed $seed (random), $seconds seconds"
fi
mkdir -p "$work"
log=$work.log
status=0
"${launcher[@]}" "$fuzzer" "${options[@]}" "$work" "$root/fuzz/corpus" 2>&1 | tee "$log" ||
    status=$?
if [ $status -ne 0 ]; then
    sed -n 's/^.*Test unit written to //p' "$log" | while read -r input; do
        show_input "$input"
    done
    echo "fuzz: failed; seed $seed"
fi
exit $status
