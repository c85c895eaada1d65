#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (headless, in parallel,
# with throw-away HOME and XDG folders). --sanitize builds and tests with
# AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
dir=$(scripts/build.sh "$@" | tail -n 1)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/config" "$scratch/runtime" "$scratch/tmp"
chmod 700 "$scratch/runtime"
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
export TMPDIR="$scratch/tmp" QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

cd "$dir"
ctest --output-on-failure --parallel "$(nproc)" --timeout 600
