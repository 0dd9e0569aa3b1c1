#!/usr/bin/env bash
# Installs what COCKPIX needs to build (Debian 12 packages) and builds it into build/. The
# Debian package (scripts/package.sh) also needs file (for cpack) and desktop-file-utils.
# Usage: scripts/setup.sh [--sanitize]
#   --sanitize also builds everything but the benchmarks with clang under AddressSanitizer and
#   UndefinedBehaviorSanitizer into build-san/, with the libFuzzer targets (scripts/fuzz.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build lld qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
          xvfb xauth xdotool imagemagick fonts-dejavu-core desktop-file-utils file lintian help2man appstream
          pkg-config libmspack-dev gcab libpugixml-dev libsimdjson-dev)
[ "${1:-}" = "--sanitize" ] && packages+=(clang libclang-rt-14-dev)
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
# Ninja for a new build folder (it keeps both cores busy); a folder made before keeps the
# generator it was made with.
generator_for() {
  if [ ! -f "$1/CMakeCache.txt" ] && command -v ninja >/dev/null; then echo "-G Ninja"; fi
}
# With --sanitize the windows' tests and the fuzz corpora's replays are built and run once,
# in the sanitized build, where they also catch memory faults; the plain build then holds
# the program, the tools, the core tests and the benchmarks. Optimised without debug information: a third quicker to
# build than RelWithDebInfo.
gui_tests=ON
[ "${1:-}" = "--sanitize" ] && gui_tests=OFF
cmake -S . -B build $(generator_for build) -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCOCKPIX_GUI_TESTS=$gui_tests \
      -DCOCKPIX_REPLAY_TESTS=$gui_tests >/dev/null
cmake --build build -j "$jobs"

if [ "${1:-}" = "--sanitize" ]; then
  # One sanitized build serves the core tests, the windows' tests, the monkey and the
  # fuzzers; line tables are enough for the sanitizers' stack traces.
  cmake -S . -B build-san $(generator_for build-san) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" -DCOCKPIX_BENCH=OFF \
        -DCOCKPIX_SANITIZE=ON -DCOCKPIX_FUZZ=ON >/dev/null
  cmake --build build-san -j "$jobs"
fi
