#!/usr/bin/env python3
"""Writes the made-up cookies of the sample XP profile (user joe).

    python3 samples/tools/make-xp-cookies.py samples/profiles/xp

1. Cookie text files in Cookies/, in the browser's nine-line format: name,
   value, host/path, flags, expiry time low and high, creation time low and
   high (FILETIME halves in decimal), "*"; every line ends in a line feed.
   Files already in the folder are kept as they are.
2. Cookies/index.dat: a cache index file, format 5.2, with one URL record
   "Cookie:joe@<host/path>" per cookie text file of the folder, pointing at
   that file (no cache sub-folder: directory index 0xFE, as the browser marks
   cookie entries). Modification time: the newest creation time in the file;
   access time: one hour later; expiry (a FAT date and time, as 5.2 keeps it): the latest expiry. The header, the
   allocation bitmap and the hash table are laid out as in a real 5.2 file
   (compare the real History.IE5/index.dat of this profile).
"""
import os
import struct
import sys
from datetime import datetime, timezone

EPOCH_DIFF = 11644473600


def filetime(text):
    dt = datetime.strptime(text, "%Y-%m-%d %H:%M:%S").replace(tzinfo=timezone.utc)
    return (int(dt.timestamp()) + EPOCH_DIFF) * 10000000


# host/path -> records (name, value, flags, created, expires)
NEW_FILES = {
    "joe@google[1].txt": [
        ("PREF", "ID=4be1e2a8c7d1f00a:TM=1205487612:LM=1205487612:S=Xn3u0Kq5d1Fh7ZcA",
         "google.com/", 1536, "2008-03-14 09:40:12", "2010-03-14 09:40:12"),
        ("NID", "9=kQ2x7bTq1sY0mZlq3WfA8vHcU5nR", "google.com/", 9216,
         "2008-03-14 09:40:12", "2008-09-13 09:40:12"),
        ("SS", "Q0=aG9saWRheSBmbGlnaHRz", "google.com/search", 1024,
         "2008-04-02 18:01:44", "2008-04-02 18:31:44"),
    ],
    "joe@doubleclick[1].txt": [
        ("id", "800000c1a2b3c4d5||t=1205488015|et=730|cs=7aepmsks", "doubleclick.net/", 1536,
         "2008-03-14 09:46:55", "2010-03-14 09:46:55"),
    ],
    "joe@bbc.co[2].txt": [
        ("BBC-UID", "d4a7c1f2e0b3950c8a1e2f3b4c5d6e7f0a1b2c3d4e5f6a7b", "bbc.co.uk/", 1536,
         "2008-03-20 07:15:03", "2012-03-19 07:15:03"),
        ("BGUID", "a4e7d1c2f0b36509", "bbc.co.uk/", 1024, "2008-03-20 07:15:03",
         "2009-03-20 07:15:03"),
        ("ckns_policy", "111", "bbc.co.uk/news/", 0, "2008-04-11 12:00:31",
         "2009-04-11 12:00:31"),
    ],
    "joe@weather[1].txt": [
        ("locid", "UKXX0085", "weather.example/", 1536, "2008-04-05 06:55:10",
         "2009-04-05 06:55:10"),
        ("unit", "c", "weather.example/", 1536, "2008-04-05 06:55:10", "2009-04-05 06:55:10"),
    ],
    "joe@bank.example[1].txt": [
        ("JSESSIONID", "0000Qx7r1Ha9Ljj2KcA3vUeB2nT:12h4kq9c1", "bank.example/online/", 8704,
         "2008-04-18 20:02:45", "2008-04-18 20:32:45"),
        ("lastlogin", "joe.miller", "bank.example/", 1536, "2008-04-18 20:02:45",
         "2008-10-15 20:02:45"),
    ],
}


def write_text_files(folder):
    for name, records in NEW_FILES.items():
        out = b""
        for (cname, value, host, flags, created, expires) in records:
            e, c = filetime(expires), filetime(created)
            for line in (cname, value, host, str(flags), str(e & 0xFFFFFFFF), str(e >> 32),
                         str(c & 0xFFFFFFFF), str(c >> 32), "*"):
                out += line.encode("ascii") + b"\n"
        with open(os.path.join(folder, name), "wb") as f:
            f.write(out)


def read_cookie_file(path):
    lines = open(path, "rb").read().split(b"\n")
    records = []
    for i in range(0, len(lines) - 8, 9):
        r = lines[i:i + 9]
        records.append({
            "host": r[2].decode("latin-1"),
            "expires": (int(r[5]) << 32) | int(r[4]),
            "created": (int(r[7]) << 32) | int(r[6]),
        })
    return records


def fat_date_time(ft):
    dt = datetime.fromtimestamp(ft // 10000000 - EPOCH_DIFF, timezone.utc)
    date = ((dt.year - 1980) << 9) | (dt.month << 5) | dt.day
    time = (dt.hour << 11) | (dt.minute << 5) | (dt.second // 2)
    return date, time


BLOCK = 128
HASH_AT = 0x4000
HASH_BLOCKS = 32
RECORDS_AT = HASH_AT + HASH_BLOCKS * BLOCK
BITMAP_AT = 0x250


def string_hash(text):
    # Any stable value will do for the sample; the low 6 bits stay clear
    # (they carry flags in real files, and 3 would mark a free entry).
    h = 0
    for b in text.encode("latin-1"):
        h = (h * 31 + b) & 0xFFFFFFFF
    return h & 0xFFFFFFC0 or 0x40


def write_index(folder):
    names = sorted((n for n in os.listdir(folder) if n.lower().endswith(".txt")),
                   key=lambda n: n.lower())
    records = []
    for name in names:
        cookies = read_cookie_file(os.path.join(folder, name))
        if not cookies:
            continue
        url = "Cookie:joe@" + cookies[0]["host"]
        modified = max(c["created"] for c in cookies)
        records.append((url, name, modified, modified + 3600 * 10000000,
                        max(c["expires"] for c in cookies)))

    body = bytearray()
    offsets = []
    for (url, name, modified, accessed, expires) in records:
        text = url.encode("latin-1") + b"\0"
        name_at = 0x68 + len(text)
        text += name.encode("latin-1") + b"\0"
        size = 0x68 + len(text)
        blocks = (size + BLOCK - 1) // BLOCK
        rec = bytearray(blocks * BLOCK)
        rec[0:4] = b"URL "
        struct.pack_into("<IQQ", rec, 4, blocks, modified, accessed)
        struct.pack_into("<HH", rec, 0x18, *fat_date_time(expires))  # expiry
        struct.pack_into("<HH", rec, 0x50, *fat_date_time(accessed))  # last checked
        struct.pack_into("<I", rec, 0x34, 0x68)      # URL offset
        rec[0x38] = 0xFE                             # no cache sub-folder
        struct.pack_into("<I", rec, 0x3C, name_at)   # file name offset
        struct.pack_into("<I", rec, 0x40, 0x00100000)  # entry flags: cookie
        struct.pack_into("<I", rec, 0x54, 1)         # hits
        rec[0x68:0x68 + len(text)] = text
        offsets.append((string_hash(url), RECORDS_AT + len(body)))
        body += rec

    size = RECORDS_AT + len(body)
    size = (size + 0x3FFF) // 0x4000 * 0x4000
    data = bytearray(size)
    data[0:28] = b"Client UrlCache MMF Ver 5.2\0"
    struct.pack_into("<III", data, 28, size, HASH_AT, (size - HASH_AT) // BLOCK)
    used = (RECORDS_AT + len(body) - HASH_AT + BLOCK - 1) // BLOCK
    struct.pack_into("<I", data, 40, used)           # allocated blocks
    for blk in range(used):                          # allocation bitmap
        data[BITMAP_AT + blk // 8] |= 1 << (blk % 8)
    data[HASH_AT:HASH_AT + 4] = b"HASH"
    struct.pack_into("<II", data, HASH_AT + 4, HASH_BLOCKS, 0)
    for e in range(HASH_AT + 16, HASH_AT + HASH_BLOCKS * BLOCK, 8):
        struct.pack_into("<II", data, e, 3, 3)       # free entries
    for i, (h, at) in enumerate(offsets):
        struct.pack_into("<II", data, HASH_AT + 16 + 8 * (1 + 3 * i), h, at)
    data[RECORDS_AT:RECORDS_AT + len(body)] = body
    with open(os.path.join(folder, "index.dat"), "wb") as f:
        f.write(data)


def main():
    profile = sys.argv[1] if len(sys.argv) > 1 else "samples/profiles/xp"
    folder = os.path.join(profile, "Cookies")
    write_text_files(folder)
    write_index(folder)


if __name__ == "__main__":
    main()
