#!/usr/bin/env bash
# Runs every sub-command on the sample profile and the real test files with
# two builds of the program and compares their outputs byte for byte, so a
# change that should leave behaviour alone can show that it did.
#   scripts/compare-outputs.sh OLD_BINARY NEW_BINARY
# Times are in UTC unless COMPARE_TZ names another zone. With
# COMPARE_NEW_COLUMN=1 the new build's tables have one trailing column more,
# which is dropped before the comparison.
# Exit status 0 when every output (standard output, standard error, exit
# status and written files) is identical.
set -uo pipefail
cd "$(dirname "$0")/.."
old=$(realpath "$1")
new=$(realpath "$2")
work=$(mktemp -d)
trap '[ -n "${KEEP_WORK:-}" ] || rm -rf "$work"' EXIT

profile=samples/profiles/xp
cache="$profile/Local Settings/Temporary Internet Files/Content.IE5/index.dat"
big="$work/big-index.dat"
python3 tests/tools/make-big-index.py "$big" 4 >/dev/null

# One command per line; OUT stands for a folder private to the run.
commands=(
  "activity '$cache'"
  "activity '$cache' --hash-walk"
  "activity '$cache' --xml OUT/a.xml"
  "activity '$cache' --tsv OUT/a.tsv"
  "activity tests/data/content-ie5-index.dat"
  "activity tests/data/content-ie5-index.dat --hash-walk"
  "activity tests/data/history-ie5-index.dat"
  "activity tests/data/history-ie5-index.dat --hash-walk --xml OUT/h.xml"
  "activity '$big'"
  "activity '$big' --hash-walk"
  "activity tests/data/ntuser-xp.dat"
  "activity /nonexistent/index.dat"
  "history '$profile/Local Settings/History'"
  "history '$profile/Local Settings/History' --full"
  "history '$profile/Local Settings/History' --full --hash-walk --xml OUT/hi.xml"
  "cookies '$profile/Cookies'"
  "cookies '$profile/Cookies' --text-files"
  "cookies '$profile/Cookies' --text-files --xml OUT/c.xml"
  "favorites --profile $profile"
  "favorites --profile $profile --xml OUT/f.xml"
  "recent --profile $profile"
  "temp --profile $profile"
  "web-history --profile $profile"
  "web-downloads --profile $profile --xml OUT/wd.xml"
  "web-cookies --profile $profile --tsv OUT/wc.tsv --utc"
  "recall --profile $profile --out OUT/r1"
  "recall --profile $profile --out OUT/r2 --xml"
  "recall --profile $profile --out OUT/r3 --sections a,h,c --contains google"
  "recall --profile $profile --out OUT/r6 --sections w,d,k --contains google --xml"
  "recall --profile $profile --out OUT/r4 --date-from 2015-08-01 --date-to 2015-08-31"
  "recall --profile $profile --out OUT/r5 --not-contains .txt --or --date-from 2000-01-01 --date-to 2015-01-01 --outside"
  "activity '$cache' --utc --date-format 'yyyy-MM-dd HH:mm:ss'"
  "cookies '$profile/Cookies' --text-files --codepage windows-1251"
  "--version"
  "--help"
)

run_all() {
  local bin=$1 dir=$2 i=0
  mkdir -p "$dir"
  for c in "${commands[@]}"; do
    i=$((i + 1))
    local out="$dir/$i"
    mkdir -p "$out"
    local line=${c//OUT/$out}
    (cd "$PWD" && eval "TZ=${COMPARE_TZ:-UTC} QT_QPA_PLATFORM=offscreen '$bin' $line" >"$out/stdout" 2>"$out/stderr"; echo $? >"$out/status")
    # The program's own path differs between the builds.
    sed -i "s#$bin#BINARY#g" "$out/stderr"
  done
}

run_all "$old" "$work/old"
run_all "$new" "$work/new"
if [ -n "${COMPARE_NEW_COLUMN:-}" ] && [ -f scripts/drop-last-column.py ]; then
  python3 scripts/drop-last-column.py "$work/new"
fi
if diff -r "$work/old" "$work/new" >"$work/diff"; then
  echo "identical: ${#commands[@]} commands"
  exit 0
fi
echo "outputs differ:"
head -50 "$work/diff"
i=0
for c in "${commands[@]}"; do
  i=$((i + 1))
  diff -rq "$work/old/$i" "$work/new/$i" >/dev/null || echo "  command $i: $c"
done
exit 1
