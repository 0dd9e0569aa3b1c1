#!/usr/bin/env bash
# Runs every libFuzzer target of the sanitized build (build-san/, made by
# `scripts/setup.sh --sanitize` when it is missing) for SECONDS (default 60) from its seed
# corpus in fuzz/corpus/<target>/, with its dictionary fuzz/<target>.dict when it has one, as
# many at a time as there are cores, printing the executions and findings of each. Exits 1
# when any target found a crash, a leak, a hang or an undefined behaviour; its input is left
# in build-san/findings/<target>/.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

targets=()
for source in fuzz/fuzz_*.cpp; do targets+=("$(basename "$source" .cpp)"); done
for target in "${targets[@]}"; do
  [ -x "build-san/bin/$target" ] || { scripts/setup.sh --sanitize >/dev/null; break; }
done

run_one() {
  local target=$1 corpus=build-san/corpus/$1 findings=build-san/findings/$1
  mkdir -p "$corpus" "$findings"
  cp -n fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
  # A target's dictionary (fuzz/<target>.dict) names the words its format is made of.
  local dict=()
  [ -f "fuzz/$target.dict" ] && dict=(-dict="fuzz/$target.dict")
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    build-san/bin/"$target" "$corpus" "${dict[@]}" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -max_len=65536 -print_final_stats=1 \
    -artifact_prefix="$findings/" >"build-san/$target.log" 2>&1
  echo $? >"build-san/$target.status"
}

pids=()
for target in "${targets[@]}"; do
  run_one "$target" &
  pids+=($!)
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do sleep 1; done
done
wait "${pids[@]}" 2>/dev/null || true

status=0
total=0
printf '%-20s %14s %9s\n' target executions findings
for target in "${targets[@]}"; do
  log=build-san/$target.log
  findings=build-san/findings/$target
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
  found=$(find "$findings" -type f | wc -l)
  total=$((total + ${runs:-0}))
  printf '%-20s %14s %9s\n' "$target" "${runs:-0}" "$found"
  if [ "$(cat "build-san/$target.status")" -ne 0 ] || [ "$found" -ne 0 ]; then
    status=1
    echo "  $target: see $log and $findings/" >&2
    grep -m 20 -E 'ERROR|SUMMARY|runtime error' "$log" >&2 || true
  fi
done
printf '%-20s %14s\n' total "$total"
exit $status
