#!/usr/bin/env bash
# Fuzzes the log-file reader, the course-map reader and the settings-file parser
# with libFuzzer (AddressSanitizer and UndefinedBehaviorSanitizer), the three
# targets side by side, one process each.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [MAX_RUNS_PER_TARGET]
#   SECONDS_PER_TARGET  how long each target runs (default 300)
#   MAX_RUNS_PER_TARGET stop a target earlier after that many executions (default: no limit)
# Installs clang when missing, builds into build-fuzz/, writes fresh seed corpora
# with the sample-session generator and the settings store, keeps the growing
# corpora in build-fuzz/fuzz-corpus/, and prints executions and findings per
# target. Findings (crash-*, leak-*, timeout-*, oom-*) land in
# build-fuzz/fuzz-findings/<target>/; the exit status is 1 when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-300}
runs=${2:--1}
case "$seconds$runs" in
  *[!0-9-]*) echo "usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [MAX_RUNS_PER_TARGET]" >&2; exit 2 ;;
esac

scripts/install-deps.sh --fuzz

dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVELO_FUZZ=ON -DORVELO_TESTS=OFF -DORVELO_BENCH=OFF >/dev/null
cmake --build "$dir" --parallel 3 \
  --target orvelo_fuzz_log orvelo_fuzz_map orvelo_fuzz_settings orvelo-fuzz-seeds

# Log records are 64 bytes: up to 64 records. Settings files are text.
targets=(log map settings)
declare -A maxLen=([log]=4096 [map]=4096 [settings]=8192)

seeds="$dir/fuzz-seeds"
rm -rf "$seeds"
mkdir -p "$seeds/log" "$seeds/map" "$seeds/settings"
QT_QPA_PLATFORM=offscreen "$dir/fuzz/orvelo-fuzz-seeds" --log "$seeds/log" --map "$seeds/map" \
  --settings "$seeds/settings" --max-bytes 8192

# The settings target makes many small allocations inside Qt, which is built
# without frame pointers: every allocation stack recorded deep into Qt is a new
# one, and the sanitizer's stack store then grows and slows the target down
# run after run. Three frames (the allocating call and its callers) stay few;
# a smaller quarantine than the default 256 MB keeps memory low as well.
declare -A mallocContext=([log]=10 [map]=10 [settings]=3)
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen

pids=()
for t in "${targets[@]}"; do
  mkdir -p "$dir/fuzz-corpus/$t" "$dir/fuzz-findings/$t" "$dir/fuzz-logs"
  ASAN_OPTIONS="detect_leaks=1:malloc_context_size=${mallocContext[$t]}:quarantine_size_mb=64" \
    "$dir/fuzz/orvelo_fuzz_$t" "$dir/fuzz-corpus/$t" "$seeds/$t" \
    -max_len="${maxLen[$t]}" -max_total_time="$seconds" -runs="$runs" -timeout=10 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="$dir/fuzz-findings/$t/" \
    >"$dir/fuzz-logs/$t.log" 2>&1 &
  pids+=($!)
done
trap 'kill "${pids[@]}" 2>/dev/null || true' INT TERM
start=$(date +%s)
for p in "${pids[@]}"; do
  wait "$p" || true
  rm -f "/dev/shm/orvelo-fuzz-log-$p" "/dev/shm/orvelo-fuzz-map-$p"
done
elapsed=$(( $(date +%s) - start ))

status=0
echo
printf '%-10s %14s %8s %8s %9s  %s\n' target executions seconds exec/s findings log
for t in "${targets[@]}"; do
  log="$dir/fuzz-logs/$t.log"
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  [ -n "$execs" ] || execs=$(grep -o '^#[0-9]*' "$log" | tail -n 1 | tr -d '#')
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
  found=$(grep -c 'Test unit written to' "$log" || true)
  printf '%-10s %14s %8s %8s %9s  %s\n' "$t" "${execs:-0}" "${took:--}" "${rate:--}" "$found" "$log"
  if [ "$found" -ne 0 ]; then
    status=1
    grep -E 'ERROR: |SUMMARY: |Test unit written to' "$log" | sed 's/^/    /' || true
  fi
done
echo "wall time: ${elapsed}s"
exit $status
