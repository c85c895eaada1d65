#!/usr/bin/env bash
# Configures and builds into build/ (or build-asan/ with --sanitize).
# Usage: scripts/build.sh [--sanitize] [--release] [extra cmake -D options]
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build
type=RelWithDebInfo
extra=()
for arg in "$@"; do
  case "$arg" in
    --sanitize) dir=build-asan; extra+=(-DORVELO_SANITIZE=ON) ;;
    --release) dir=build-release; type=Release ;;
    *) extra+=("$arg") ;;
  esac
done

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${extra[@]}" >&2
cmake --build "$dir" --parallel "$(nproc)" >&2
echo "$dir"
