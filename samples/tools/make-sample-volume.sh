#!/usr/bin/env bash
# Makes the sample Windows volume samples/volumes/pc again: the XP user joe
# (Documents and Settings/joe, the sample profile, kept as it is), a Windows
# 10 user bperry (Users/bperry) laid out from real files of the project's
# test data, and the machine's own hives Windows/System32/config/SOFTWARE
# and SYSTEM, written from the registry texts beside this script with
# hivex's own writer (hivexsh, Debian's libhivex-bin) into empty hives.
#   samples/tools/make-sample-volume.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
volume=samples/volumes/pc
data=tests/data
real=../shared/data/real
tools=samples/tools

# A real file: from the project's test data, else from the shared data.
real_file() {
  if [ -f "$data/$1" ]; then echo "$data/$1"; else echo "$real/$1"; fi
}

user="$volume/Users/bperry"
rm -rf "$volume/Users" "$volume/Windows" "$volume/\$Recycle.Bin" "$volume/RECYCLER"
local_app="$user/AppData/Local"
roaming="$user/AppData/Roaming"
mkdir -p "$local_app/Microsoft/Windows/Temporary Internet Files/Content.IE5" \
         "$local_app/Microsoft/Windows/History/History.IE5" \
         "$local_app/Google/Chrome/User Data/Default" \
         "$local_app/Temp" \
         "$roaming/Mozilla/Firefox/Profiles/d4nbk2xm.default" \
         "$roaming/Microsoft/Windows/Recent/AutomaticDestinations" \
         "$user/Favorites" "$user/Documents"

cp "$(real_file ntuser-win10.dat)" "$user/NTUSER.DAT"
cp "$(real_file usrclass.dat)" "$local_app/Microsoft/Windows/UsrClass.dat"
cp "$(real_file content-ie5-index.dat)" \
   "$local_app/Microsoft/Windows/Temporary Internet Files/Content.IE5/index.dat"
cp "$(real_file history-ie5-index.dat)" "$local_app/Microsoft/Windows/History/History.IE5/index.dat"
cp "$(real_file chrome-History)" "$local_app/Google/Chrome/User Data/Default/History"
cp "$(real_file chrome-cookies.db)" "$local_app/Google/Chrome/User Data/Default/Cookies"
cp "$(real_file firefox-places.sqlite)" \
   "$roaming/Mozilla/Firefox/Profiles/d4nbk2xm.default/places.sqlite"
cp "$(real_file firefox-10-cookies.sqlite)" \
   "$roaming/Mozilla/Firefox/Profiles/d4nbk2xm.default/cookies.sqlite"
cp "$(real_file 1b4dd67f29cb1962.automaticDestinations-ms)" \
   "$roaming/Microsoft/Windows/Recent/AutomaticDestinations/"
cp "$(real_file example.lnk)" "$roaming/Microsoft/Windows/Recent/example.lnk"
cp "$(real_file NeroInfoTool.lnk)" "$roaming/Microsoft/Windows/Recent/Nero InfoTool.lnk"
# The Windows tab's and the Cache table's sources, from the project's test
# data (tests/data/README.md names their origins).
tests="$tools/../../tests/data"
mkdir -p "$local_app/Google/Chrome/User Data/Default/Cache/Cache_Data" \
  "$local_app/ConnectedDevicesPlatform/L.bperry" "$volume/Windows/Prefetch" \
  "$volume/\$Recycle.Bin/S-1-5-21-2036804247-3058324640-2116585241-1001" \
  "$volume/RECYCLER/S-1-5-21-2036804247-3058324640-2116585241-1003"
cp "$tests"/chrome-cache/* "$local_app/Google/Chrome/User Data/Default/Cache/Cache_Data/"
cp "$tests/ActivitiesCache.db" "$local_app/ConnectedDevicesPlatform/L.bperry/"
cp "$tests"/prefetch/*.pf "$volume/Windows/Prefetch/"
cp "$tests/recycle-bin/\$I103S5F.jpg" \
  "$volume/\$Recycle.Bin/S-1-5-21-2036804247-3058324640-2116585241-1001/"
cp "$tests/recycle-bin/INFO2" "$volume/RECYCLER/S-1-5-21-2036804247-3058324640-2116585241-1003/"
# A Firefox cache with a picture of every kind the preview shows, made for
# this project.
python3 "$tools/make-picture-cache.py" "$local_app/Mozilla/Firefox/Profiles/d4nbk2xm.default/cache2"
printf 'setup log of an installer that never cleaned up\n' >"$local_app/Temp/setup.log"
printf '[InternetShortcut]\r\nURL=https://www.example.org/\r\n' >"$user/Favorites/Example.url"

config="$volume/Windows/System32/config"
mkdir -p "$config"
python3 "$tools/make-empty-hive.py" "$config/SOFTWARE" SOFTWARE
python3 "$tools/make-empty-hive.py" "$config/SYSTEM" SYSTEM
hivexsh -w -f "$tools/sample-software.hivexsh" "$config/SOFTWARE"
hivexsh -w -f "$tools/sample-system.hivexsh" "$config/SYSTEM"

# Fixed times, so that a remade volume lists as the committed one does.
find "$volume/Users" "$volume/Windows" "$volume/\$Recycle.Bin" "$volume/RECYCLER" -exec touch -h -d '2021-06-01 12:00:00 UTC' {} +
echo "made $volume"
