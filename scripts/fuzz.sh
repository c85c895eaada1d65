#!/usr/bin/env bash
# Fuzzes with libFuzzer (AddressSanitizer and UndefinedBehaviorSanitizer): one
# target after another, each with several worker processes sharing its corpus.
# Usage: scripts/fuzz.sh [--seconds N] [--runs N] [--workers N] [TARGET...]
#   --seconds N  how long each target runs (default 300)
#   --runs N     stop a target after about N executions in all (default: no limit)
#   --workers N  worker processes per target (default: the number of processors)
#   TARGET       names from the table below (default: every one)
# Installs clang when missing, builds into build-fuzz/, writes fresh seed
# corpora (sample sessions, hostile files, settings written through the
# store, what the program saves at close), keeps the growing corpora in
# build-fuzz/fuzz-corpus/<target>/ and each worker's log in
# build-fuzz/fuzz-logs/<target>/, and prints executions and findings per
# target. Findings (crash-*, leak-*, timeout-*, oom-*, slow-unit-*) land in
# build-fuzz/fuzz-findings/<target>/; the exit status is 1 when there is one.
# Replay a finding with: build-fuzz/fuzz/orvelo_fuzz_<target> <finding>
set -euo pipefail
cd "$(dirname "$0")/.."

# The targets, one a line: the name (binary fuzz/orvelo_fuzz_<name>), the
# largest input in bytes, the seed folders it starts from (comma-separated;
# orvelo-fuzz-seeds writes folder F with --F), and how many stack frames the
# sanitizer records for each allocation. Targets that run Qt make many small
# allocations inside it, and Qt is built without frame pointers: every stack
# recorded deep into Qt is a new one, and the sanitizer's stack store then
# grows and slows the target down run after run; three frames stay few.
readonly target_table='
log       1048576  log               10
map       1048576  map               10
files     1048576  log,map           10
roundtrip 1048576  log               10
settings  1048576  settings          3
startup   65536    settings,startup  3
segments  65536    segments          10
windows   65536    windows           3
'
# Log and course-map seeds are cut to this size. Files of every hostile shape
# join them at 64 KB: large enough that a cost growing faster than the file
# passes the targets' heap bound, small enough to keep executions fast (seeds
# of 1 MB slow every worker down to a few dozen a second); mutation takes
# inputs on up to the largest size.
readonly seed_bytes=8192
readonly hostile_bytes=65536

declare -a names=()
declare -A max_len=() seeds_of=() malloc_context=()
while read -r name len seeds context; do
  [ -n "$name" ] || continue
  names+=("$name")
  max_len[$name]=$len
  seeds_of[$name]=$seeds
  malloc_context[$name]=$context
done <<<"$target_table"

usage() {
  echo "usage: scripts/fuzz.sh [--seconds N] [--runs N] [--workers N] [TARGET...]; targets: ${names[*]}" >&2
  exit 2
}
number() { [[ "${1:-}" =~ ^[0-9]+$ ]] || usage; echo "$1"; }

seconds=300
runs=-1
workers=$(nproc)
chosen=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$(number "${2:-}"); shift 2 ;;
    --runs) runs=$(number "${2:-}"); shift 2 ;;
    --workers) workers=$(number "${2:-}"); shift 2 ;;
    -*) usage ;;
    *) [ -n "${max_len[$1]:-}" ] || usage; chosen+=("$1"); shift ;;
  esac
done
[ ${#chosen[@]} -gt 0 ] || chosen=("${names[@]}")
[ "$workers" -gt 0 ] || usage

scripts/install-deps.sh --fuzz

dir=$PWD/build-fuzz
build_targets=(orvelo-fuzz-seeds)
for t in "${chosen[@]}"; do build_targets+=("orvelo_fuzz_$t"); done
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVELO_FUZZ=ON -DORVELO_TESTS=OFF -DORVELO_BENCH=OFF >/dev/null
cmake --build "$dir" --parallel "$(nproc)" --target "${build_targets[@]}"

# Scratch files of the targets (inputs handed over as files, settings
# folders) live in a folder of this run, in memory where there is /dev/shm.
shm=/tmp
[ -d /dev/shm ] && shm=/dev/shm
scratch=$(mktemp -d "$shm/orvelo-fuzz.XXXXXX")
# Workers run in a process group of their own (job control), ended as one.
set -m
fuzzer=
cleanup() {
  [ -z "$fuzzer" ] || kill -- "-$fuzzer" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
# Nothing of the user's own: settings, runtime and temporary files all in it.
mkdir -p "$scratch/home" "$scratch/config"
mkdir -m 700 "$scratch/runtime"
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/runtime
export TMPDIR=$scratch QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan-suppressions.txt

seeds="$dir/fuzz-seeds"
rm -rf "$seeds"
seed_args=(--max-bytes "$seed_bytes" --hostile-bytes "$hostile_bytes")
declare -A seed_folders=()
for t in "${chosen[@]}"; do
  for s in ${seeds_of[$t]//,/ }; do seed_folders[$s]=1; done
done
for s in "${!seed_folders[@]}"; do
  mkdir -p "$seeds/$s"
  seed_args+=("--$s" "$seeds/$s")
done
"$dir/fuzz/orvelo-fuzz-seeds" "${seed_args[@]}"

# Executions of all the workers in a log folder: each worker's final count, or
# for one that stopped at a finding, the last count it printed.
executions() {
  local total=0 log n
  for log in "$1"/fuzz-*.log; do
    [ -e "$log" ] || continue
    n=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    [ -n "$n" ] || n=$(grep -o '^#[0-9]*' "$log" | tail -n 1 | tr -d '#')
    total=$(( total + ${n:-0} ))
  done
  echo "$total"
}

status=0
summary=()
for t in "${chosen[@]}"; do
  logs="$dir/fuzz-logs/$t"
  rm -rf "$logs"
  mkdir -p "$logs" "$dir/fuzz-corpus/$t" "$dir/fuzz-findings/$t"
  corpora=("$dir/fuzz-corpus/$t")
  for s in ${seeds_of[$t]//,/ }; do corpora+=("$seeds/$s"); done
  per_worker=-1
  [ "$runs" -lt 0 ] || per_worker=$(( (runs + workers - 1) / workers ))
  echo "fuzzing $t: $workers workers, ${seconds}s"
  start=$(date +%s)
  # Each worker writes fuzz-<n>.log in the folder it starts in.
  (cd "$logs" && ASAN_OPTIONS="detect_leaks=1:malloc_context_size=${malloc_context[$t]}:quarantine_size_mb=64" \
    exec "$dir/fuzz/orvelo_fuzz_$t" -jobs="$workers" -workers="$workers" "${corpora[@]}" \
    -max_len="${max_len[$t]}" -max_total_time="$seconds" -runs="$per_worker" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/fuzz-findings/$t/" >"$logs/main.log" 2>&1) &
  fuzzer=$!
  wait "$fuzzer" || true
  fuzzer=
  elapsed=$(( $(date +%s) - start ))
  execs=$(executions "$logs")
  found=$(cat "$logs"/fuzz-*.log 2>/dev/null | grep -c 'Test unit written to' || true)
  summary+=("$(printf '%-10s %8s %14s %8s %9s %9s  %s' "$t" "$workers" "$execs" "$elapsed" \
    "$(( execs / (elapsed > 0 ? elapsed : 1) ))" "$found" "$logs")")
  if [ "$found" -ne 0 ]; then
    status=1
    grep -hE 'ERROR: |SUMMARY: |Test unit written to' "$logs"/fuzz-*.log | sed 's/^/    /' || true
  fi
done

echo
printf '%-10s %8s %14s %8s %9s %9s  %s\n' target workers executions seconds exec/s findings logs
printf '%s\n' "${summary[@]}"
exit $status
