#!/usr/bin/env bash
# Writes the expected rows of the browser-database tests into
# tests/data/expected/, straight from the sqlite3 program (read-only), so
# that the tests compare the program's reading with SQLite's own. Times are
# turned into texts by SQLite's datetime() (UTC, "YYYY-MM-DD HH:MM:SS"),
# independent of the program's conversion. Fields are separated by tabs.
# Each database is queried in a copy: even "sqlite3 -readonly" creates a
# "-wal" and a "-shm" file beside a database in WAL mode (as
# firefox-10-cookies.sqlite is).
set -euo pipefail
cd "$(dirname "$0")/../data"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
q() {
  cp "$1" "$work/db"
  rm -f "$work/db-wal" "$work/db-shm"
  sqlite3 -readonly -separator $'\t' "$work/db" "$2"
}
chrome='/1000000-11644473600'

q chrome-History "SELECT u.url, u.title, datetime(v.visit_time$chrome, 'unixepoch'),
  u.visit_count, u.typed_count, v.transition
  FROM visits v LEFT JOIN urls u ON u.id = v.url ORDER BY v.id" > expected/chrome-History.visits.tsv

q chrome-History "SELECT url, full_path, datetime(start_time, 'unixepoch'), received_bytes,
  total_bytes, state FROM downloads ORDER BY id" > expected/chrome-History.downloads.tsv

q chrome-cookies.db "SELECT host_key, name, value, path,
  datetime(creation_utc$chrome, 'unixepoch'),
  CASE expires_utc WHEN 0 THEN '' ELSE datetime(expires_utc$chrome, 'unixepoch') END,
  datetime(last_access_utc$chrome, 'unixepoch'), secure, httponly
  FROM cookies" > expected/chrome-cookies.tsv

q firefox-places.sqlite "SELECT p.url, p.title, datetime(v.visit_date/1000000, 'unixepoch'),
  p.visit_count, p.typed, v.visit_type
  FROM moz_historyvisits v LEFT JOIN moz_places p ON p.id = v.place_id ORDER BY v.id" \
  > expected/firefox-places.visits.tsv

q firefox-10-cookies.sqlite "SELECT host, name, value, path,
  datetime(creationTime/1000000, 'unixepoch'), datetime(expiry, 'unixepoch'),
  datetime(lastAccessed/1000000, 'unixepoch'), isSecure, isHttpOnly
  FROM moz_cookies" > expected/firefox-10-cookies.tsv

# The target is a file: address; this one has no escapes, so cutting
# "file:///" and turning the slashes gives the Windows path.
q firefox-downloads.sqlite "SELECT source, replace(substr(target, 9), '/', '\\'),
  datetime(startTime/1000000, 'unixepoch'), datetime(endTime/1000000, 'unixepoch'),
  currBytes, maxBytes, state FROM moz_downloads ORDER BY id" \
  > expected/firefox-downloads.tsv
