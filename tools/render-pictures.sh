#!/usr/bin/env bash
# Renders the drawn pictures (SVG, in src/extras/ui/pictures) into the PNG
# files that the program compiles in, and copies the emblem to the desktop
# icon. The PNG files are kept in the repository, so building needs no SVG
# renderer; run this after changing a picture. Needs rsvg-convert (Debian
# package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=src/extras/ui/pictures
# About and splash pictures are shown stretched: drawn at twice their size
# so that they stay sharp on a high-density screen.
rsvg-convert -w 466 -h 480 "$dir/about1.svg" -o "$dir/about1.png"
rsvg-convert -w 442 -h 472 "$dir/splash.svg" -o "$dir/splash.png"
# The second about picture is shown at its own size.
rsvg-convert "$dir/about2.svg" -o "$dir/about2.png"
# The window icon.
rsvg-convert -w 256 -h 256 "$dir/emblem.svg" -o "$dir/emblem.png"
cp "$dir/emblem.svg" packaging/vellacord.svg
