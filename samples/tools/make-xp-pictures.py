#!/usr/bin/env python3
"""Puts made-up pictures into the sample XP profile (user joe), so that every
kind of preview can be seen on it.

    python3 samples/tools/make-xp-pictures.py samples/profiles/xp [REAL_INDEX]

REAL_INDEX is the unchanged real Content.IE5/index.dat of the sample
(default: tests/data/content-ie5-index.dat, the same file); the sample's
index.dat is written again from it each time, so the script can be run
again. Needs ImageMagick's `convert` (with WebP and TIFF support).

1. Cached copies in the cache sub-folders of Content.IE5, for new Activity
   rows: a still GIF, an animated GIF of eight frames, a JPEG, a PNG, a TIFF
   of two pages, a WebP, and a web page saved under a picture's name. The
   JPEG lies in the sub-folder "5f9c7hl9", which the index names
   "5F9C7HL9": NTFS ignores letter case, a profile copied to Linux keeps it.
   Two real rows get a cached copy too: favicon[1].ico of 5ZBG4UOD (an
   icon) and rss[2].xml of F4MAMNDH (not a picture).
2. Content.IE5/index.dat: the real file with one URL record per new row
   appended in its free blocks, each entered in the allocation bitmap and
   the hash table; the counts of allocated blocks, of files per cache
   sub-folder and the cache size follow. All real records stay as they are.
3. Local Settings/Temp/Temporary Directory 1 for photos.zip: the two
   DSC0041x.JPG files become real photographs (drawn, 640 x 480).
4. My Documents/My Pictures/Holiday photos: beach.jpg and harbour.png, the
   folder the Recent link "Holiday photos" points at; the hive's
   OpenSaveMRU list "jpg" (../tools/add-xp-picture-mru.hivexsh) names
   beach.jpg and a deleted sunset.jpg.
"""
import os
import struct
import subprocess
import tempfile
import sys
from datetime import datetime, timezone

EPOCH_DIFF = 11644473600
BLOCK = 128
RECORDS_FROM = 0x4000
BITMAP_AT = 0x250
CONTENT = os.path.join("Local Settings", "Temporary Internet Files", "Content.IE5")
USER_LINE = "~U:gold_administrator"  # the user the real records name

# Cache sub-folders by their index in the real file's directory table.
ENG3X4ZR, ZBG4UOD5, F9C7HL95, F4MAMNDH = 0, 1, 2, 3


def convert(args, out, kind=""):
    """Runs ImageMagick into out, in the format kind names (else the one of
    out's extension). The picture is written under a plain name first:
    ImageMagick reads "[1]" in a file name as a frame number."""
    with tempfile.TemporaryDirectory(dir=os.path.dirname(out) or ".") as tmp:
        plain = os.path.join(tmp, "picture" + os.path.splitext(out)[1])
        subprocess.run(["convert"] + args + ["-strip", (kind + ":" if kind else "") + plain],
                       check=True)
        os.replace(plain, out)


def sky(size, top, bottom):
    return ["-size", size, "gradient:%s-%s" % (top, bottom)]


def beach(size, out, quality="85"):
    w, h = (int(v) for v in size.split("x"))
    sea, sand = h * 54 // 100, h * 73 // 100
    convert(sky(size, "#4a90d9", "#cfe8ff") + [
        "-fill", "#1f5f8b", "-draw", "rectangle 0,%d %d,%d" % (sea, w, sand),
        "-fill", "#e8d28c", "-draw", "polygon 0,%d %d,%d %d,%d 0,%d" % (sand, w, sand - h // 16, w, h, h),
        "-fill", "#fff3a0", "-draw", "circle %d,%d %d,%d" % (w * 3 // 4, h // 4, w * 3 // 4, h // 4 - h // 10),
        "-fill", "white", "-draw", "ellipse %d,%d %d,%d 0,360" % (w // 4, h // 5, w // 10, h // 24),
        "-fill", "#d9503f", "-draw", "polygon %d,%d %d,%d %d,%d" % (w // 5, h * 9 // 10, w // 5 + w // 8,
                                                                  h * 9 // 10, w // 5 + w // 16, h * 3 // 4),
        "-quality", quality], out)


def harbour(size, out):
    w, h = (int(v) for v in size.split("x"))
    water = h * 62 // 100
    boats = []
    for i, x in enumerate(range(w // 8, w, w // 3)):
        y = water + h // 12
        boats += ["-fill", "#5a3a1a", "-draw", "polygon %d,%d %d,%d %d,%d %d,%d" % (
            x, y, x + w // 5, y, x + w // 6, y + h // 14, x + w // 30, y + h // 14)]
        boats += ["-fill", "#f4f1e8", "-draw", "polygon %d,%d %d,%d %d,%d" % (
            x + w // 10, y - h // 4 + i * h // 30, x + w // 10, y - 2, x + w // 5 - 4, y - 2)]
    convert(sky(size, "#ff9a5a", "#3b2a5a") + [
        "-fill", "#203a5a", "-draw", "rectangle 0,%d %d,%d" % (water, w, h)] + boats, out)


def road_map(out):
    lines = []
    for x in range(0, 300, 30):
        lines += ["-draw", "line %d,0 %d,200" % (x, x)]
    for y in range(0, 200, 30):
        lines += ["-draw", "line 0,%d 300,%d" % (y, y)]
    convert(["-size", "300x200", "xc:#eef3e2", "-stroke", "#c8d4b0"] + lines + [
        "-stroke", "#d04040", "-strokewidth", "3", "-fill", "none",
        "-draw", "polyline 20,180 80,120 150,140 220,60 280,30",
        "-stroke", "none", "-fill", "#d04040", "-draw", "circle 280,30 287,30"], out, "PNG24")


def fax(out):
    pages = []
    for page in range(2):
        bars = []
        for row in range(8 if page else 11):
            y = 40 + row * 16
            bars += ["-draw", "rectangle 20,%d %d,%d" % (y, 150 - (row * 37 + page * 50) % 60, y + 6)]
        pages += ["(", "-size", "170x220", "xc:white", "-fill", "black",
                  "-draw", "rectangle 20,14 %d,24" % (110 if page else 140)] + bars + [")"]
    convert(pages + ["-depth", "8", "-compress", "lzw"], out)


def spinner(out):
    """Eight frames of a ring of dots with one dark dot going round; the
    first frame waits 0.4 s, the others 0.08 s."""
    import math
    frames = []
    for k in range(8):
        dots = []
        for i in range(8):
            a = 2 * math.pi * i / 8
            x, y = 24 + 15 * math.cos(a), 24 + 15 * math.sin(a)
            colour = "#1e60c0" if i == k else "#c8d0dc"
            dots += ["-fill", colour, "-draw", "circle %.1f,%.1f %.1f,%.1f" % (x, y, x + 4, y)]
        frames += ["-delay", "40" if k == 0 else "8", "(", "-size", "48x48", "xc:white"] + dots + [")"]
    convert(frames + ["-loop", "0"], out)


def sun(out):
    convert(sky("120x90", "#87ceeb", "#fdf5e6") + [
        "-fill", "#ffd700", "-stroke", "#ff8c00", "-draw", "circle 60,45 60,22"], out, "GIF")


def favicon(out):
    convert(["-size", "16x16", "xc:#1e70c8", "-fill", "white", "-draw", "rectangle 4,4 11,11"],
            out, "ICO")


def landscape(out, seed):
    convert(["-seed", str(seed), "-size", "640x480", "plasma:#6fa84a-#c9d98a",
             "-fill", "#8fb9e8", "-draw", "rectangle 0,0 640,170",
             "-fill", "#6d7a8c", "-draw", "polygon 0,170 140,60 260,150 380,40 520,140 640,90 640,200 0,200",
             "-fill", "#ffffff", "-draw", "polygon 350,68 380,40 410,68 395,62 380,70 365,62",
             "-quality", "88"], out)


def text_file(path, text):
    with open(path, "wb") as f:
        f.write(text.encode("ascii").replace(b"\n", b"\r\n"))


NOT_FOUND_PAGE = """<html><head><title>404 Not Found</title></head>
<body><h1>Not Found</h1><p>The requested URL /2015/cover.jpg was not found on this server.</p></body></html>
"""

RSS_FEED = """<?xml version="1.0" encoding="utf-8"?>
<rss version="2.0"><channel><title>At work</title><link>http://www.microsoft.com/atwork</link>
<item><title>Five tips for shorter meetings</title><pubDate>Mon, 24 Aug 2015 15:31:14 GMT</pubDate></item>
</channel></rss>
"""


def filetime(text):
    dt = datetime.strptime(text, "%Y-%m-%d %H:%M:%S").replace(tzinfo=timezone.utc)
    return (int(dt.timestamp()) + EPOCH_DIFF) * 10000000


def fat_date_time(ft):
    dt = datetime.fromtimestamp(ft // 10000000 - EPOCH_DIFF, timezone.utc)
    return (((dt.year - 1980) << 9) | (dt.month << 5) | dt.day,
            (dt.hour << 11) | (dt.minute << 5) | (dt.second // 2))


# The new rows: address, cached file name, sub-folder, folder name on disk,
# content type, how the file is made, modification and access time.
NEW_ROWS = [
    ("http://www.weather.example/img/sun.gif", "sun[1].gif", ZBG4UOD5, "5ZBG4UOD",
     "image/gif", sun, "2015-08-20 06:12:40", "2015-08-25 11:10:02"),
    ("http://www.photos.example/static/loading.gif", "loading[1].gif", ENG3X4ZR, "ENG3X4ZR",
     "image/gif", spinner, "2014-11-03 17:45:10", "2015-08-25 11:10:15"),
    ("http://www.photos.example/2015/beach.jpg", "beach[1].jpg", F9C7HL95, "5f9c7hl9",
     "image/jpeg", lambda out: beach("320x240", out), "2015-08-24 19:02:33", "2015-08-25 11:10:21"),
    ("http://maps.example/tiles/route-417.png", "route-417[1].png", F4MAMNDH, "F4MAMNDH",
     "image/png", road_map, "2015-08-25 08:30:00", "2015-08-25 11:11:47"),
    ("http://www.fax.example/inbox/fax-0412.tif", "fax-0412[1].tif", ZBG4UOD5, "5ZBG4UOD",
     "image/tiff", fax, "2015-08-21 14:05:59", "2015-08-25 11:12:30"),
    ("http://www.photos.example/2015/harbour.webp", "harbour[1].webp", ENG3X4ZR, "ENG3X4ZR",
     "image/webp", lambda out: harbour("320x240", out), "2015-08-24 19:05:12", "2015-08-25 11:12:58"),
    ("http://www.photos.example/2015/cover.jpg", "cover[1].jpg", F4MAMNDH, "F4MAMNDH",
     "image/jpeg", lambda out: text_file(out, NOT_FOUND_PAGE), "2015-08-25 11:13:20",
     "2015-08-25 11:13:20"),
]

# Cached copies for rows of the real file: file name, folder on disk, how made.
REAL_ROW_FILES = [
    ("favicon[1].ico", "5ZBG4UOD", favicon),
    ("rss[2].xml", "F4MAMNDH", lambda out: text_file(out, RSS_FEED)),
]


def string_hash(text):
    # Any stable value will do for the sample; the low 6 bits stay clear
    # (they carry flags in real files, and 3 would mark a free entry).
    h = 0
    for b in text.encode("latin-1"):
        h = (h * 31 + b) & 0xFFFFFFFF
    return h & 0xFFFFFFC0 or 0x40


def url_record(url, name, folder_index, content_type, size, modified, accessed):
    header = ("HTTP/1.1 200 OK\r\nContent-Type: %s\r\nContent-Length: %d\r\n\r\n%s\r\n"
              % (content_type, size, USER_LINE)).encode("latin-1")
    url_b, name_b = url.encode("latin-1") + b"\0", name.encode("latin-1") + b"\0"
    name_at = 0x68 + len(url_b)
    header_at = name_at + len(name_b)
    total = header_at + len(header) + 1
    blocks = (total + BLOCK - 1) // BLOCK
    rec = bytearray(b"\xef\xbe\xad\xde" * (blocks * BLOCK // 4))  # the filler real files use
    rec[0:0x68] = bytes(0x68)
    rec[0:4] = b"URL "
    struct.pack_into("<IQQ", rec, 4, blocks, modified, accessed)
    struct.pack_into("<HH", rec, 0x18, *fat_date_time(accessed + 30 * 86400 * 10000000))  # expiry
    struct.pack_into("<Q", rec, 0x20, size)            # cached file size
    struct.pack_into("<I", rec, 0x30, 0x60)
    struct.pack_into("<I", rec, 0x34, 0x68)            # address offset
    rec[0x38] = folder_index                           # cache sub-folder
    rec[0x3A:0x3C] = b"\x10\x10"
    struct.pack_into("<I", rec, 0x3C, name_at)         # file name offset
    struct.pack_into("<I", rec, 0x40, 0x41)            # entry flags: normal cache entry
    struct.pack_into("<II", rec, 0x44, header_at, len(header))
    struct.pack_into("<HH", rec, 0x50, *fat_date_time(accessed))  # last checked
    struct.pack_into("<I", rec, 0x54, 1)               # hits
    struct.pack_into("<HH", rec, 0x5C, *fat_date_time(accessed))
    rec[0x68:0x68 + len(url_b)] = url_b
    rec[name_at:name_at + len(name_b)] = name_b
    rec[header_at:header_at + len(header) + 1] = header + b"\0"
    return bytes(rec)


def records_end(data):
    """Offset after the last allocated block, by the allocation bitmap."""
    blocks = struct.unpack_from("<I", data, 36)[0]
    last = -1
    for b in range(blocks):
        if data[BITMAP_AT + b // 8] >> (b % 8) & 1:
            last = b
    return RECORDS_FROM + (last + 1) * BLOCK


def add_records(data, rows):
    data = bytearray(data)
    size, hash_at, blocks = struct.unpack_from("<III", data, 28)
    pos = records_end(data)
    free_slots = [e for e in range(hash_at + 16, hash_at + struct.unpack_from("<I", data, hash_at + 4)[0] * BLOCK, 8)
                  if struct.unpack_from("<II", data, e) == (3, 3)]
    added = 0
    cache_bytes = 0
    for (url, name, folder_index, ctype, file_size, modified, accessed) in rows:
        rec = url_record(url, name, folder_index, ctype, file_size, filetime(modified), filetime(accessed))
        if pos + len(rec) > size:
            raise SystemExit("no room left in the index file for " + url)
        data[pos:pos + len(rec)] = rec
        first = (pos - RECORDS_FROM) // BLOCK
        for b in range(first, first + len(rec) // BLOCK):
            data[BITMAP_AT + b // 8] |= 1 << (b % 8)
        slot = free_slots.pop(0)
        struct.pack_into("<II", data, slot, string_hash(url), pos)
        count_at = 76 + 12 * folder_index
        struct.pack_into("<I", data, count_at, struct.unpack_from("<I", data, count_at)[0] + 1)
        added += len(rec) // BLOCK
        cache_bytes += file_size
        pos += len(rec)
    struct.pack_into("<I", data, 40, struct.unpack_from("<I", data, 40)[0] + added)
    struct.pack_into("<Q", data, 56, struct.unpack_from("<Q", data, 56)[0] + cache_bytes)
    return bytes(data)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    profile = sys.argv[1]
    here = os.path.dirname(os.path.abspath(__file__))
    real_index = (sys.argv[2] if len(sys.argv) > 2 else
                  os.path.join(here, "..", "..", "tests", "data", "content-ie5-index.dat"))
    content = os.path.join(profile, CONTENT)

    rows = []
    for (url, name, index, folder_name, ctype, make, modified, accessed) in NEW_ROWS:
        folder = os.path.join(content, folder_name)
        os.makedirs(folder, exist_ok=True)
        out = os.path.join(folder, name)
        make(out)
        rows.append((url, name, index, ctype, os.path.getsize(out), modified, accessed))
    for (name, folder, make) in REAL_ROW_FILES:
        os.makedirs(os.path.join(content, folder), exist_ok=True)
        make(os.path.join(content, folder, name))

    with open(real_index, "rb") as f:
        data = f.read()
    with open(os.path.join(content, "index.dat"), "wb") as f:
        f.write(add_records(data, rows))

    photos = os.path.join(profile, "Local Settings", "Temp", "Temporary Directory 1 for photos.zip")
    landscape(os.path.join(photos, "DSC00417.JPG"), 417)
    beach("640x480", os.path.join(photos, "DSC00418.JPG"), quality="88")

    holiday = os.path.join(profile, "My Documents", "My Pictures", "Holiday photos")
    os.makedirs(holiday, exist_ok=True)
    beach("640x480", os.path.join(holiday, "beach.jpg"))
    harbour("640x480", os.path.join(holiday, "harbour.png"))


if __name__ == "__main__":
    main()
