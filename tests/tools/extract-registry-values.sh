#!/usr/bin/env bash
# Writes single values of the real hives of tests/data as files, the seeds of
# the fuzz targets of UserAssist values and shell items (fuzz/run.sh):
#   tests/data/userassist/   UserAssist values of Windows XP (16 bytes, 8 bytes)
#                            and Windows 10 (72 bytes, 1612 bytes)
#   tests/data/shell-items/  BagMRU values of Windows XP and 10 (root folder,
#                            drive, file entries, Control Panel items)
# with hivexsh (Debian's libhivex-bin).
set -euo pipefail
cd "$(dirname "$0")/../.."
data=tests/data

# value HIVE KEY NAME OUT: the bytes of one value.
value() {
  printf 'cd %s\nlsval\n' "$2" | hivexsh "$data/$1" |
    NAME="\"$3\"=" awk 'index($0, ENVIRON["NAME"]) == 1' | sed 's/^.*=hex([0-9a-f]*)://' | tr -d ',\n' |
    xxd -r -p > "$4"
  [ -s "$4" ] || { echo "no value $3 in $2 of $1" >&2; exit 1; }
}

mkdir -p "$data/userassist" "$data/shell-items"
ua='Software\Microsoft\Windows\CurrentVersion\Explorer\UserAssist'
value ntuser-xp.dat "$ua\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count" \
  'HRZR_EHACVQY:%pfvqy2%\\ZFA.yax' "$data/userassist/xp-msn.bin"
value ntuser-xp.dat "$ua\\{75048700-EF1F-11D0-9888-006097DEACF9}\\Count" \
  'HRZR_PGYFRFFVBA' "$data/userassist/xp-session.bin"
value ntuser-win10.dat "$ua\\{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}\\Count" \
  'Zvpebfbsg.VagreargRkcybere.Qrsnhyg' "$data/userassist/win10-internet-explorer.bin"
value ntuser-win10.dat "$ua\\{CEBFF5CD-ACE2-4F4F-9178-9926F41749EA}\\Count" \
  'HRZR_PGYFRFFVBA' "$data/userassist/win10-session.bin"

xp='Software\Microsoft\Windows\ShellNoRoam\BagMRU'
value ntuser-xp.dat "$xp" 0 "$data/shell-items/xp-my-computer.bin"
value ntuser-xp.dat "$xp\\0" 0 "$data/shell-items/xp-drive.bin"
value ntuser-xp.dat "$xp\\0\\0\\0\\0" 0 "$data/shell-items/xp-folder.bin"
win10='Local Settings\Software\Microsoft\Windows\Shell\BagMRU'
value usrclass.dat "$win10\\0\\0" 0 "$data/shell-items/win10-control-panel-category.bin"
value usrclass.dat "$win10\\0\\0\\0" 0 "$data/shell-items/win10-property-view.bin"
value usrclass.dat "$win10\\1" 0 "$data/shell-items/win10-pictures.bin"
ls -l "$data/userassist" "$data/shell-items"
