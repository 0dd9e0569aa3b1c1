#!/usr/bin/env bash
# Installs, builds and runs every test: the whole suite, the core tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the monkey test of every window under them
# too (COCKPIX_MONKEY_EVENTS events), the Debian package (built, unpacked into a scratch root
# and run from there: scripts/package.sh), then every fuzz target for COCKPIX_FUZZ_SECONDS
# seconds (default 30; 0 skips fuzzing).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --sanitize

export QT_QPA_PLATFORM=offscreen
status=0
ctest --test-dir build --output-on-failure -j "$(nproc)" || status=1
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)" || status=1
# Every window under random events, on the sanitizer build (Qt's own allocations at exit are
# not ours to report, so leaks are left to the core run above).
# The seed is printed, so that a failure can be replayed with COCKPIX_MONKEY_SEED.
monkey_seed="${COCKPIX_MONKEY_SEED:-$(date +%s)}"
echo "Monkey test under AddressSanitizer (seed $monkey_seed):"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  COCKPIX_MONKEY_SEED="$monkey_seed" COCKPIX_SCREEN=1024x768 build-asan-gui/bin/tst_monkey -silent ||
  status=1
scripts/package.sh || status=1
fuzz_seconds="${COCKPIX_FUZZ_SECONDS:-30}"
if [ "$fuzz_seconds" -gt 0 ]; then
  bash scripts/fuzz.sh "$fuzz_seconds" || status=1
fi
exit $status
