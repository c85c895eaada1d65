#!/usr/bin/env bash
# Installs what is missing, builds the program and the sample-session generator
# (not the tests or benchmarks), writes a sample session into samples/ when none
# is there, and starts the program. The build's own output is shown only when it
# fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
log=$(mktemp)
if [ ! -f build/build.ninja ]; then
  echo "Building Orvelo (the first time takes a few minutes)..." >&2
  if ! cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$log" 2>&1; then
    cat "$log" >&2; rm -f "$log"; exit 1
  fi
fi
if ! cmake --build build --target orvelo orvelo-samplegen >"$log" 2>&1; then
  cat "$log" >&2; rm -f "$log"; exit 1
fi
rm -f "$log"
if ! ls samples/*.dat >/dev/null 2>&1; then
  mkdir -p samples
  build/tools/orvelo-samplegen --out samples
fi
exec build/app/orvelo "$@"
