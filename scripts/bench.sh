#!/usr/bin/env bash
# Builds a release build and runs every benchmark, printing its figures. Under an X server
# (Xvfb, 1920x1080) with Qt's xcb platform when one can be started, offscreen otherwise; each
# benchmark's figures are headed by the platform they came from.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --bench || echo "bench: the X server could not be installed" >&2
dir=$(scripts/build.sh --release -DORVELO_TESTS=OFF | tail -n 1)
cmake --build "$dir" --target all

platform=offscreen
if command -v xvfb-run >/dev/null &&
   xvfb-run -a -s "-screen 0 1920x1080x24" env QT_QPA_PLATFORM=xcb "$dir/bench/ProgramCursorBench" \
     --benchmark_list_tests >/dev/null 2>&1; then
  platform=xcb
fi
for bench in "$dir"/bench/*Bench; do
  echo "== $(basename "$bench") (platform: $platform, load: $(cut -d' ' -f1-3 /proc/loadavg))"
  if [ "$platform" = xcb ]; then
    xvfb-run -a -s "-screen 0 1920x1080x24" env QT_QPA_PLATFORM=xcb "$bench"
  else
    QT_QPA_PLATFORM=offscreen "$bench"
  fi
done
