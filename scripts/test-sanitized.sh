#!/usr/bin/env bash
# Builds the sanitized build (scripts/build-sanitized.sh) and runs every test
# in it. Fails on a failing test and on any sanitizer report, also one made
# by a program a test started and whose output the test did not read: every
# report is written to build-sanitize/sanitizer-reports/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-sanitized.sh
reports="$PWD/build-sanitize/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
common="log_path=$reports/report:print_stacktrace=1:print_suppressions=0"
export ASAN_OPTIONS="$common:detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="$common:halt_on_error=1"
export LSAN_OPTIONS="$common:suppressions=$PWD/scripts/lsan.supp"
export QT_QPA_PLATFORM=offscreen
cd build-sanitize
status=0
ctest --output-on-failure -j"$(nproc)" --timeout 900 || status=1
if [ -n "$(ls -A "$reports")" ]; then
  echo "sanitizer reports:" >&2
  for f in "$reports"/*; do
    echo "== $f" >&2
    head -40 "$f" >&2
  done
  status=1
fi
exit $status
