#!/usr/bin/env bash
# Runs one fuzz target for a bounded time over its corpus (new inputs go to the build
# folder, never into the repository) and prints its figures.
#   run_fuzzer.sh FUZZER_BINARY CORPUS_DIR WORK_DIR SECONDS
set -euo pipefail
fuzzer=$1 corpus=$2 work=$3 seconds=$4
mkdir -p "$work"
log="$work/fuzz.log"
"$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 "$work" "$corpus" >"$log" 2>&1 || {
  tail -n 60 "$log"
  exit 1
}
runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
echo "fuzz $(basename "$fuzzer"): $runs executions in $seconds s ($((runs / seconds)) per second)" | tee "$work/figures.txt"
