#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan, UBSan) into build-fuzz/ and runs each for
# SECONDS (default 60) from its seed corpus in fuzz/corpus/<target>/, printing the executions
# and findings of each. Exits 1 when any target found a crash, a leak, a hang or an
# undefined behaviour; its input is left in build-fuzz/findings/<target>/.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

packages=(clang libclang-rt-14-dev cmake make)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOCKPIX_FUZZ=ON \
      -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "$(nproc)" >/dev/null

status=0
total=0
printf '%-20s %14s %9s\n' target executions findings
for source in fuzz/fuzz_*.cpp; do
  target=$(basename "$source" .cpp)
  corpus=build-fuzz/corpus/$target
  findings=build-fuzz/findings/$target
  mkdir -p "$corpus" "$findings"
  cp -n fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
  log=build-fuzz/$target.log
  set +e
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    build-fuzz/bin/"$target" "$corpus" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
    -artifact_prefix="$findings/" >"$log" 2>&1
  result=$?
  set -e
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  found=$(find "$findings" -type f | wc -l)
  total=$((total + ${runs:-0}))
  printf '%-20s %14s %9s\n' "$target" "${runs:-0}" "$found"
  if [ "$result" -ne 0 ] || [ "$found" -ne 0 ]; then
    status=1
    echo "  $target: see $log and $findings/" >&2
    grep -m 20 -E 'ERROR|SUMMARY|runtime error' "$log" >&2 || true
  fi
done
printf '%-20s %14s\n' total "$total"
exit $status
