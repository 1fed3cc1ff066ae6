#!/usr/bin/env bash
# Installs, builds and opens the main window on the bundled sample Windows
# volume, every user on it.
# Without a display it runs under a virtual one (xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/vellacord --volume samples/volumes/pc "$@"
else
  exec xvfb-run -a build/vellacord --volume samples/volumes/pc "$@"
fi
