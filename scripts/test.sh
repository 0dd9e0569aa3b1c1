#!/usr/bin/env bash
# Installs, builds and runs every test: the whole suite, the core tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then every fuzz target for
# COCKPIX_FUZZ_SECONDS seconds (default 30; 0 skips fuzzing).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --sanitize

export QT_QPA_PLATFORM=offscreen
status=0
ctest --test-dir build --output-on-failure -j "$(nproc)" || status=1
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)" || status=1
fuzz_seconds="${COCKPIX_FUZZ_SECONDS:-30}"
if [ "$fuzz_seconds" -gt 0 ]; then
  bash scripts/fuzz.sh "$fuzz_seconds" || status=1
fi
exit $status
