#!/usr/bin/env bash
# Takes the screenshots of the picture previews for the manual
# (docs/screenshots): the main window at 1000 x 700 on the sample profile
# with a picture in the Activity pane, two frames of an animation, and the
# zoom window opened by a click on the preview. Runs the window under Xvfb
# with openbox, drives it with xdotool and takes the screen with ImageMagick.
#   scripts/preview-screenshots.sh [OUTPUT_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath "${1:-docs/screenshots}")
if [ -z "${PREVIEW_SCREENSHOTS_INSIDE:-}" ]; then
  PREVIEW_SCREENSHOTS_INSIDE=1 exec xvfb-run -a -s '-screen 0 1000x700x24' "$0" "$out"
fi
openbox >/dev/null 2>&1 &
sleep 2
TZ=UTC build/vellacord --profile samples/profiles/xp >/dev/null 2>&1 &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT
win=
for _ in $(seq 1 40); do
  win=$(xdotool search --name '"Vellacord"' 2>/dev/null | head -1 || true)
  [ -n "$win" ] && break
  sleep 0.5
done
[ -n "$win" ] || { echo "the window did not come up" >&2; exit 1; }
sleep 1
xdotool windowactivate --sync "$win"
xdotool windowsize "$win" 1000 700
xdotool windowmove "$win" 0 0
# The profile is read whole at start; its summary ends that.
sleep 4
xdotool key Return
sleep 1
# Internet Explorer > IE Activity, the dialog's preset index.dat.
xdotool key alt+i; sleep 1; xdotool key Return; sleep 2; xdotool key Return; sleep 3
# The sample's pictures are the last rows: the JPEG is the fifth from the end.
xdotool key ctrl+End; sleep 0.5; xdotool key Home; sleep 0.5
for _ in 1 2 3 4; do xdotool key Up; sleep 0.7; done
import -window root "$out/main-picture-preview.png"
# The animated GIF above it: two shots some frames apart.
xdotool key Up; sleep 0.35
import -window root "$out/main-animation-1.png"
sleep 0.45
import -window root "$out/main-animation-2.png"
# Back to the JPEG; a click on its preview opens the zoom window.
xdotool key Down; sleep 1
xdotool mousemove 940 590 click 1
sleep 2
import -window root "$out/zoom-window.png"
xdotool key Escape
sleep 1
