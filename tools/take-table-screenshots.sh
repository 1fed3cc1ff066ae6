#!/usr/bin/env bash
# Takes a picture of every table tab of the main window after the whole
# recall of the bundled sample profile (started with --profile, which reads
# every table at once), at two window sizes: 1000 x 700 and 1400 x 900. Runs
# the window under Xvfb with openbox, drives it with xdotool and takes the
# screen with ImageMagick's import; checks after each picture that the
# window kept its size.
#
#     tools/take-table-screenshots.sh [OUTPUT_FOLDER]
#
# OUTPUT_FOLDER defaults to docs/screenshots; the pictures are named
# TAB-WIDTHxHEIGHT.png (activity-1000x700.png, ...). Needs a built program in
# build/ and xvfb-run, openbox, xdotool and ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)

if [[ -z ${VC_TABLE_SHOTS_INNER:-} ]]; then
  export VC_TABLE_SHOTS_INNER=1
  exec xvfb-run -a -s '-screen 0 1500x1000x24' "$0" "$out"
fi

# Settings of this run only: no remembered size or columns of the user's.
config=$(mktemp -d)
export XDG_CONFIG_HOME=$config
export TZ=UTC
# The sample profile behind a path of about 100 characters, as a copied
# case often is: the labels above the tables and the status bar must
# shorten it, not widen the window.
cases=$(mktemp -d /tmp/vellacord-evidence.XXXX)
profile="$cases/case-2026-0815-workstation-of-the-accounts-department/Documents and Settings/joe"
mkdir -p "$(dirname "$profile")"
mkdir -p "$profile" && cp -aL samples/profiles/xp/. "$profile"
program=
trap 'kill $program $(jobs -p) 2>/dev/null || true; rm -rf "$config" "$cases"' EXIT

openbox >/dev/null 2>&1 &
sleep 1

# The tab bars, in the window's coordinates: the outer one (Internet
# Explorer, Documents, Chrome/Edge/Firefox) and the inner one of the page in
# front. A click selects a bar's first tab; the mouse wheel over a bar goes
# to its next tab.
outer_x=60 outer_y=72 inner_x=45 inner_y=107

failed=0
for size in 1000x700 1400x900; do
  width=${size%x*} height=${size#*x}
  rm -rf "${config:?}"/*
  build/vellacord --profile "$profile" --date-format 'yyyy-MM-dd HH:mm:ss' \
    >/dev/null 2>&1 &
  program=$!
  main=
  for _ in $(seq 1 100); do
    main=$(xdotool search --all --onlyvisible --pid "$program" --name '"Vellacord"' 2>/dev/null |
      head -1 || true)
    [[ -n $main ]] && break
    sleep 0.1
  done
  [[ -n $main ]] || { echo "the main window did not show" >&2; exit 1; }
  xdotool windowsize "$main" "$width" "$height"
  xdotool windowmove "$main" 0 0
  # The recall runs by itself; its summary ends it.
  sleep 4
  xdotool key Return
  sleep 1
  xdotool windowactivate --sync "$main"

  shot() {
    sleep 0.8
    xdotool mousemove 1490 990
    import -window root png:- | convert png:- -trim +repage "$out/$1-$size.png"
    local geometry
    geometry=$(xdotool getwindowgeometry "$main" | sed -n 's/ *Geometry: //p')
    echo "$out/$1-$size.png (window $geometry)"
    if [[ $geometry != "$size" ]]; then
      echo "  the window is $geometry, not $size" >&2
      failed=1
    fi
  }
  click() { xdotool mousemove --window "$main" "$1" "$2" click 1; sleep 0.4; }
  next_tab() { xdotool mousemove --window "$main" "$1" "$2" click 5; sleep 0.4; }

  click $outer_x $outer_y
  click $inner_x $inner_y
  shot activity
  for tab in history cookie links; do
    click $outer_x $outer_y
    next_tab $inner_x $inner_y
    shot $tab
  done
  click $outer_x $outer_y
  next_tab $outer_x $outer_y
  click $inner_x $inner_y
  shot recent
  next_tab $inner_x $inner_y
  shot temp
  next_tab $outer_x $outer_y
  click $inner_x $inner_y
  shot web-history
  next_tab $inner_x $inner_y
  shot web-downloads
  next_tab $inner_x $inner_y
  shot web-cookies

  kill "$program"
  wait "$program" 2>/dev/null || true
  program=
done
exit $failed
