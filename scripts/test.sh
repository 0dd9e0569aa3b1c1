#!/usr/bin/env bash
# Installs, builds and runs every test: the whole suite, then the core tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the Debian package: built, unpacked
# into a scratch root and run from there (scripts/package.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --sanitize

export QT_QPA_PLATFORM=offscreen
status=0
ctest --test-dir build --output-on-failure -j "$(nproc)" || status=1
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)" || status=1
scripts/package.sh || status=1
exit $status
