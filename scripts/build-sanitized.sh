#!/usr/bin/env bash
# Builds Vellacord with clang, AddressSanitizer and UndefinedBehaviorSanitizer
# into build-sanitize/: the program, both test suites and the fuzz targets,
# all against the sanitized core. Any sanitizer report aborts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
# -O1 with line tables only: the sanitizers' usual choice, and it compiles in
# about half the time of -O2 with full debug information.
options=(-DCMAKE_BUILD_TYPE=None "-DCMAKE_CXX_FLAGS=-O1 -gline-tables-only"
         -DVELLACORD_SANITIZE=ON -DVELLACORD_FUZZ=ON
         -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
if command -v ccache >/dev/null 2>&1; then
  options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-sanitize -G Ninja "${options[@]}"
cmake --build build-sanitize -j"$(nproc)"
