#!/usr/bin/env bash
# Runs the monkey test of every window with new random seeds, one after another, for SECONDS
# (default 600), on BUILD (default build; build-san for the sanitized program). Each seed's
# line tells how it went; a failure ends the run and prints how to replay it.
# Usage: scripts/monkey.sh [SECONDS] [BUILD]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
build="${2:-build}"
program="$build/bin/tst_monkey"
[ -x "$program" ] || { echo "monkey.sh: no $program (run scripts/setup.sh first)" >&2; exit 2; }
export QT_QPA_PLATFORM=offscreen COCKPIX_SCREEN="${COCKPIX_SCREEN:-1024x768}"
# The test names an event that never returns itself; a starved machine may take longer than
# Qt Test's five minutes for one seed.
export QTEST_FUNCTION_TIMEOUT="${QTEST_FUNCTION_TIMEOUT:-3600000}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
end=$(( $(date +%s) + seconds ))
runs=0
while [ "$(date +%s)" -lt "$end" ]; do
  seed=$(( (RANDOM << 15 | RANDOM) + 1000 ))
  log=$(mktemp)
  if COCKPIX_MONKEY_SEEDS=$seed "$program" >"$log" 2>&1; then
    runs=$((runs + 1))
    grep -oE 'seed [0-9]*: .*events.*' "$log" || echo "seed $seed: passed"
  else
    cat "$log"
    echo "seed $seed FAILED; replay: COCKPIX_MONKEY_SEEDS=$seed $program" >&2
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
done
echo "$runs seeds passed in $seconds s"
