#!/usr/bin/env bash
# Installs what is missing, builds, writes a sample session into samples/ when
# none is there, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh >/dev/null
if ! ls samples/*.dat >/dev/null 2>&1; then
  mkdir -p samples
  build/tools/orvelo-samplegen --out samples
fi
exec build/app/orvelo "$@"
