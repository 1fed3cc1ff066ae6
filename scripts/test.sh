#!/usr/bin/env bash
# Installs, checks formatting, builds with warnings as errors and runs every
# test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-format.sh
VELLACORD_WERROR=ON scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 600
