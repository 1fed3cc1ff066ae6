#!/usr/bin/env bash
# Configures and builds Vellacord into build/ (program, window library and
# tests). VELLACORD_WERROR=ON turns compiler warnings into errors.
set -euo pipefail
cd "$(dirname "$0")/.."
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELLACORD_WERROR="${VELLACORD_WERROR:-OFF}")
if command -v ccache >/dev/null 2>&1; then
  options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -G Ninja "${options[@]}"
cmake --build build -j"$(nproc)"
