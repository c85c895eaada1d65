#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Quiet and without touching the package lists when everything is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev fonts-dejavu-core fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
)
case "${1:-}" in
  --fuzz) packages+=(clang libclang-rt-dev) ;;
  # An X server for the benchmarks, and what Qt's xcb platform plugin needs at run time.
  --bench) packages+=(xvfb xauth libxcb-cursor0) ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
