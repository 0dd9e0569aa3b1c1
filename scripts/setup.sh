#!/usr/bin/env bash
# Installs what COCKPIX needs to build (Debian 12 packages) and builds it into build/. The
# Debian package (scripts/package.sh) also needs file (for cpack) and desktop-file-utils.
# Usage: scripts/setup.sh [--sanitize]   (--sanitize also builds the core under ASan/UBSan)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
          xvfb xauth xdotool imagemagick fonts-dejavu-core desktop-file-utils file)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"

if [ "${1:-}" = "--sanitize" ]; then
  cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCOCKPIX_GUI=OFF -DCOCKPIX_BENCH=OFF \
        -DCOCKPIX_SANITIZE=ON >/dev/null
  cmake --build build-asan -j "$jobs"
  # The whole program under the sanitizers, for the monkey test of every window.
  cmake -S . -B build-asan-gui -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOCKPIX_BENCH=OFF \
        -DCOCKPIX_SANITIZE=ON >/dev/null
  cmake --build build-asan-gui -j "$jobs" --target tst_monkey cockpix-demo
fi
