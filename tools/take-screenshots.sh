#!/usr/bin/env bash
# Takes the screenshots of the manual: the main window on the bundled sample
# profile after the whole-computer recall, the recall conditions window and
# the find window, plus the Language menu, the locale list and the about
# window, on a virtual screen (Xvfb) with a window manager (openbox), in one
# language.
#
#     tools/take-screenshots.sh [LANGUAGE [OUTPUT_FOLDER]]
#
# LANGUAGE is "en" (default) or the base name of a language file (DEU, RUS,
# CSY); OUTPUT_FOLDER defaults to docs/screenshots for English and
# /tmp/vellacord-screenshots-LANGUAGE otherwise. Needs a built program in
# build/ and xvfb-run, openbox, xdotool and ImageMagick's import.
set -euo pipefail
cd "$(dirname "$0")/.."
language=${1:-en}
if [[ $language == en ]]; then
  out=${2:-docs/screenshots}
else
  out=${2:-/tmp/vellacord-screenshots-$language}
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)

if [[ -z ${VC_SCREENSHOT_INNER:-} ]]; then
  export VC_SCREENSHOT_INNER=1
  exec xvfb-run -a -s '-screen 0 1280x800x24' "$0" "$language" "$out"
fi

# Settings of this run only: the language chosen, nothing of the user's.
config=$(mktemp -d)
mkdir -p "$config/Ostravane"
printf '[Sys]\nLanguage=%s\nVersion=ver. 1.1\n' "$language" > "$config/Ostravane/Vellacord.conf"
export XDG_CONFIG_HOME=$config
export TZ=UTC

# The sample profile where a Windows XP disk keeps it, so the paths in the
# pictures read as they would on a case.
sample=/tmp/vellacord-sample
rm -rf "$sample"
mkdir -p "$sample/Documents and Settings"
mkdir -p "$sample/Documents and Settings/joe" && cp -aL samples/profiles/xp/. "$sample/Documents and Settings/joe"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$config" "$sample"' EXIT

openbox &
sleep 1

build/vellacord --profile "$sample/Documents and Settings/joe" --date-format 'yyyy-MM-dd HH:mm' &
program=$!

# The screen, cut to what is not background: the program's windows with
# their frames and any open menu.
shot() {
  sleep "${2:-1}"
  import -window root png:- | convert png:- -trim +repage "$out/$1.png"
  echo "$out/$1.png"
}

# The window in front (a dialog) with its frame.
shot_front() {
  sleep "${2:-1}"
  import -frame -window "$(xdotool getactivewindow)" "$out/$1.png"
  echo "$out/$1.png"
}

# The splash window while the program starts: its first window.
for _ in $(seq 1 100); do
  [[ -n $(xdotool search --onlyvisible --pid "$program" 2>/dev/null || true) ]] && break
  sleep 0.05
done
shot splash 0.1

# The main window: its caption ends in the maker's web address.
main=
for _ in $(seq 1 100); do
  main=$(xdotool search --all --onlyvisible --pid "$program" --name 'https://' 2>/dev/null | head -1 || true)
  [[ -n $main ]] && break
  sleep 0.1
done
[[ -n $main ]] || { echo "the main window did not show" >&2; exit 1; }
xdotool windowmove "$main" 20 20
xdotool windowactivate --sync "$main"
sleep 1

# Commands are reached by the tool bar and by walking the menu bar from the
# keyboard, which work alike in every language (the menus' access keys do
# not). The tool bar's buttons, in the window's coordinates.
toolbar() {
  xdotool windowactivate --sync "$main"
  xdotool mousemove --window "$main" "$1" 38 click 1
  xdotool mousemove 1270 790
}
# Opens the menu that is the given number of steps left of the first one
# (1: the last menu, Help; 2: the one before it).
menu_from_right() {
  xdotool windowactivate --sync "$main"
  xdotool key --clearmodifiers alt
  sleep 0.3
  for _ in $(seq 1 "$1"); do xdotool key Left; done
  xdotool key Down
}

# The whole-computer recall runs by itself on a profile named at start;
# the summary at its end.
shot recall-summary 4
xdotool key Return

# The Activity tab: the first outer tab, then its first inner tab.
xdotool mousemove --window "$main" 60 72 click 1
sleep 0.3
xdotool mousemove --window "$main" 45 107 click 1
sleep 0.3
xdotool mousemove 1200 780
shot main-window

# The Help menu and the Language menu left of it.
menu_from_right 1
shot help-menu 0.6
xdotool key Left
shot language-menu 0.6
xdotool key Escape Escape
sleep 0.5

# The recall conditions window (the third button).
toolbar 93
shot_front conditions-window
xdotool key Escape
sleep 0.5

# The find window on the current table.
xdotool windowactivate --sync "$main"
xdotool key --clearmodifiers ctrl+f
shot_front find-window
xdotool key Escape
sleep 0.5

# The locale list: the last entry of the Help menu.
menu_from_right 1
sleep 0.5
xdotool key Up Return
shot_front locale-list 1.5
xdotool key Escape
sleep 0.5

# The about window: the fourth entry of the Help menu.
menu_from_right 1
sleep 0.5
xdotool key Down Down Down Return
shot_front about-window
xdotool key Return
sleep 0.5

kill "$program"

# In the source tree only the pictures that the documents name (the
# manual's, and those of the other screenshot scripts) are kept.
if [[ $out == "$(pwd)/docs/screenshots" ]]; then
  for picture in "$out"/*.png; do
    name=$(basename "$picture")
    grep -rqF "$name" docs || rm "$picture"
  done
fi
