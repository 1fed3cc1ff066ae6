#!/usr/bin/env bash
# Builds the program and tests with clang's ThreadSanitizer into build-tsan/
# and runs the tests that start threads (by default the picture preview's
# animation, the picture thread of the detail panes and the picture
# service). Any data race fails the run.
#   scripts/tsan-tests.sh ['GTEST_FILTER' [TEST_PROGRAM]]
# TEST_PROGRAM is vellacord_ui_tests (the default) or vellacord_core_tests.
# Needs clang (Debian package clang; installed here when missing). The
# sanitizer's runtime is linked into the test program, which lends it to the
# libraries: their --no-undefined is lifted for this build ("-z undefs",
# placed after it on the link line). The shared runtime is no way out: it
# starts after other libraries' initialisers and crashes in them.
# scripts/tsan-qt.supp says what is left out and why.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null 2>&1; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends clang
fi
filter="${1:-GifAnimation*:PictureService*:ZoomWindow*:PreviewPane*}"
program="${2:-vellacord_ui_tests}"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
  -DCMAKE_CXX_STANDARD_LIBRARIES="-Wl,-z,undefs" "${launcher[@]}"
cmake --build build-tsan -j"$(nproc)" --target "$program"
QT_QPA_PLATFORM=offscreen TZ=UTC \
  TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/scripts/tsan-qt.supp ${TSAN_OPTIONS:-}" \
  "build-tsan/$program" --gtest_filter="$filter"
