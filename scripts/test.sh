#!/usr/bin/env bash
# Installs, builds and runs every test: the core and tool tests on the gcc build, then the
# whole suite (the windows' tests and the monkey test of every window on a fixed list of seeds
# among them) on the clang build under AddressSanitizer and UndefinedBehaviorSanitizer, the Debian package (built, checked, unpacked
# into a scratch root and run from there: scripts/package.sh), then every fuzz target for
# COCKPIX_FUZZ_SECONDS seconds (default 10; 0 skips fuzzing; scripts/fuzz.sh runs longer). Prints the time of each stage.
set -uo pipefail
cd "$(dirname "$0")/.."

status=0
report=()
stage() {
  local name=$1 started result
  shift
  started=$(date +%s)
  echo "=== $name"
  "$@"
  result=$?
  report+=("$(printf '%-34s %5d s  %s' "$name" $(($(date +%s) - started)) \
    "$([ $result -eq 0 ] && echo ok || echo FAILED)")")
  [ $result -eq 0 ] || status=1
  return $result
}

export QT_QPA_PLATFORM=offscreen
stage "install and build (plain, sanitized)" scripts/setup.sh --sanitize || {
  printf '%s\n' "${report[@]}"
  exit 1
}
stage "tests" ctest --test-dir build --output-on-failure -j "$(nproc)"
# Leaks are reported for the core and the command-line tool; the windows' tests leave Qt's own
# allocations at exit, which are not ours to report (they turn leak detection off themselves).
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  stage "tests under ASan and UBSan" ctest --test-dir build-san --output-on-failure -j "$(nproc)"
stage "package" scripts/package.sh
fuzz_seconds="${COCKPIX_FUZZ_SECONDS:-10}"
if [ "$fuzz_seconds" -gt 0 ]; then
  stage "fuzzing (${fuzz_seconds} s a target)" bash scripts/fuzz.sh "$fuzz_seconds"
fi

echo
echo "=== stages"
printf '%s\n' "${report[@]}"
exit $status
