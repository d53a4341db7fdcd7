#!/usr/bin/env bash
# Runs the host-interface fuzzer: fuzz.sh FUZZER SECONDS [WORK_CORPUS]
# Starts from the committed seeds in fuzz/corpus; new inputs go to WORK_CORPUS. A crash,
# a sanitizer report, a leak or an input running over 10 seconds fails the run and leaves
# the input as crash-*, leak-* or timeout-* in the current folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fuzzer=$1
seconds=$2
work=${3:-$root/build-fuzz/corpus-run}
mkdir -p "$work"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -max_len=4096 \
    -print_final_stats=1 "$work" "$root/fuzz/corpus"
