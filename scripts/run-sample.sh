#!/usr/bin/env bash
# Installs, builds and opens the main window on the bundled sample profile.
# Without a display it runs under a virtual one (xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/vellacord --profile samples/profiles/xp "$@"
else
  exec xvfb-run -a build/vellacord --profile samples/profiles/xp "$@"
fi
