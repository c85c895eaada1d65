#!/usr/bin/env bash
# Builds a release build and runs every benchmark, printing its figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
dir=$(scripts/build.sh --release -DORVELO_TESTS=OFF | tail -n 1)
cmake --build "$dir" --target bench
