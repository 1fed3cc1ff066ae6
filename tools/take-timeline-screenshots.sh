#!/usr/bin/env bash
# Takes pictures of the Timeline tab after the whole recall of the bundled
# sample volume (started with --volume, which reads every table of both
# users): the whole timeline with its histogram, the table narrowed to a
# span dragged across the histogram, and every event again after a click.
# Runs the window under Xvfb with openbox, drives it with xdotool and takes
# the screen with ImageMagick's import.
#
#     tools/take-timeline-screenshots.sh [OUTPUT_FOLDER]
#
# OUTPUT_FOLDER defaults to docs/screenshots (timeline.png and
# timeline-span.png; timeline-all-again.png is for a look only). Needs a
# built program in build/ and xvfb-run, openbox, xdotool and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)

if [[ -z ${VC_TIMELINE_SHOTS_INNER:-} ]]; then
  export VC_TIMELINE_SHOTS_INNER=1
  exec xvfb-run -a -s '-screen 0 1500x1000x24' "$0" "$out"
fi

# Settings of this run only: no remembered size or columns of the user's.
config=$(mktemp -d)
export XDG_CONFIG_HOME=$config
export TZ=UTC
volume=$(mktemp -d /tmp/vellacord-volume.XXXX)
cp -aL samples/volumes/pc/. "$volume"
program=
trap 'kill $program $(jobs -p) 2>/dev/null || true; rm -rf "$config" "$volume"' EXIT

openbox >/dev/null 2>&1 &
sleep 1

build/vellacord --volume "$volume" --date-format 'yyyy-MM-dd HH:mm:ss' >/dev/null 2>&1 &
program=$!
main=
for _ in $(seq 1 100); do
  main=$(xdotool search --all --onlyvisible --pid "$program" --name '"Vellacord"' 2>/dev/null |
    head -1 || true)
  [[ -n $main ]] && break
  sleep 0.1
done
[[ -n $main ]] || { echo "the main window did not show" >&2; exit 1; }
xdotool windowsize "$main" 1400 900
xdotool windowmove "$main" 0 0
# The recall runs by itself; its summary ends it.
sleep 6
xdotool key Return
sleep 1
xdotool windowactivate --sync "$main"

shot() {
  sleep 1
  xdotool mousemove 1490 990
  import -window root png:- | convert png:- -trim +repage "$out/$1.png"
  echo "$out/$1.png"
}

# The outer tab bar: the wheel over it goes to the next tab, the Timeline
# tab is the last.
xdotool mousemove --window "$main" 60 72 click 1
for _ in 1 2 3 4 5 6; do
  xdotool mousemove --window "$main" 60 72 click 5
  sleep 0.3
done
shot timeline

# A drag across the middle of the histogram (it lies under the filter box,
# above the table).
xdotool mousemove --window "$main" 500 175 mousedown 1
xdotool mousemove --window "$main" 600 175
xdotool mousemove --window "$main" 700 175 mouseup 1
shot timeline-span

# Every event again (a click).
xdotool mousemove --window "$main" 700 175 click 1
sleep 0.5
shot timeline-all-again
