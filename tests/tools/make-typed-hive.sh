#!/usr/bin/env bash
# Makes tests/data/ntuser-win10-typed.dat: ntuser-win10.dat (which has
# TypedURLs and TypedURLsTime but no TypedPaths, WordWheelQuery entries or
# RunMRU values) with those three lists added through hivex's own writer
# (hivexsh from Debian's libhivex-bin):
#   TypedPaths      url1..url3, REG_SZ
#   WordWheelQuery  "0".."3" as UTF-16 REG_BINARY, MRUListEx 2, 0, 1 (3 left out)
#   RunMRU          a..c, REG_SZ ending in "\1", MRUList "cab"
#   tests/tools/make-typed-hive.sh [OUT]
set -euo pipefail
cd "$(dirname "$0")/../.."
out=${1:-tests/data/ntuser-win10-typed.dat}
cp tests/data/ntuser-win10.dat "$out"
chmod u+w "$out"

# A UTF-16LE text with its closing NUL as hivexsh's hex bytes.
utf16() { printf '%s' "$1" | iconv -f utf-8 -t utf-16le | od -An -tx1 -v | tr -s ' \n' ',,' |
          sed 's/^,//; s/,$//'; printf ',00,00'; }

hivexsh -w "$out" <<HIVEX
cd \\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer
add TypedPaths
cd TypedPaths
setval 3
url1
string:C:\\Users\\bperry\\Documents\\Tax
url2
string:\\\\fileserver\\share
url3
string:Control Panel
cd ..
add WordWheelQuery
cd WordWheelQuery
setval 5
MRUListEx
hex:3:02,00,00,00,00,00,00,00,01,00,00,00,ff,ff,ff,ff
0
hex:3:$(utf16 "invoice")
1
hex:3:$(utf16 "holiday photos")
2
hex:3:$(utf16 "tax 2016")
3
hex:3:$(utf16 "forgotten")
cd ..
cd RunMRU
setval 4
a
string:cmd\\1
b
string:regedit\\1
c
string:\\\\fileserver\\c\$\\1
MRUList
string:cab
commit
HIVEX
echo "wrote $out"
