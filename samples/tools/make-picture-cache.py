#!/usr/bin/env python3
"""Writes a small Firefox cache2 folder holding a picture of every kind the
preview shows (GIF, an animated GIF, PNG, JPEG, BMP, ICO, WebP, TIFF) and
one gzip-compressed page, laid out as docs/formats/firefox-cache2.md
describes: one file per entry in entries/, named by the SHA-1 of its key,
holding the body, then the metadata (version 3), then the metadata's
offset. The pictures are drawn by ImageMagick's convert, without the
comments and times it would otherwise write into them.

    samples/tools/make-picture-cache.py CACHE2_FOLDER
"""
import gzip
import hashlib
import os
import struct
import subprocess
import sys

CHUNK = 256 * 1024
# 2021-05-28 09:00:00 UTC, and a day later for the last fetch.
WRITTEN = 1622192400
FETCHED = WRITTEN + 86400


def picture(spec, out_format):
    """The bytes convert writes for spec (its arguments) in out_format."""
    return subprocess.run(["convert", *spec, "-strip", out_format + ":-"],
                          check=True, stdout=subprocess.PIPE).stdout


def circle(size, back, fore):
    r = size // 2
    return ["-size", f"{size}x{size}", f"xc:{back}", "-fill", fore,
            "-draw", f"circle {r},{r} {r},{r // 3}"]


def animated():
    frames = []
    for i, colour in enumerate(["red", "green", "blue"]):
        frames += ["(", "-size", "16x16", "xc:white", "-fill", colour,
                   "-draw", f"rectangle {i * 5},4 {i * 5 + 5},12", ")"]
    return ["-delay", "40", "-loop", "0", *frames]


def entries():
    base = "https://pictures.example/"
    page = (b"<!DOCTYPE html><html><head><title>Pictures</title></head><body>\n"
            + b"".join(b'<img src="img/%s">\n' % n.encode() for n in
                       ["dot.gif", "spinner.gif", "logo.png", "photo.jpg",
                        "bitmap.bmp", "webp-sample", "scan.tif"])
            + b"</body></html>\n")
    return [
        (base + "img/dot.gif", "image/gif", picture(circle(16, "white", "orange"), "gif")),
        (base + "img/spinner.gif", "image/gif", picture(animated(), "gif")),
        (base + "img/logo.png", "image/png",
         picture(["-size", "24x24", "gradient:red-blue"], "png")),
        (base + "img/photo.jpg?w=32", "image/jpeg",
         picture(["-size", "32x24", "gradient:yellow-green", "-quality", "80"], "jpeg")),
        (base + "img/bitmap.bmp", "image/bmp",
         picture(["-size", "12x10", "gradient:white-black"], "bmp3")),
        (base + "favicon.ico", "image/x-icon", picture(circle(16, "navy", "gold"), "ico")),
        # An address without an extension, as image servers give them.
        (base + "img/webp-sample", "image/webp",
         picture(circle(20, "teal", "pink") + ["-quality", "80"], "webp")),
        (base + "img/scan.tif", "image/tiff",
         picture(["-size", "14x14", "gradient:gray-purple", "-compress", "none"], "tiff")),
        # The page that shows them, sent gzip-compressed.
        (base, "text/html; charset=utf-8", gzip.compress(page, mtime=0), "gzip"),
    ]


def metadata(key, body, content_type, encoding):
    head = ["HTTP/1.1 200 OK", "Content-Type: " + content_type,
            "Content-Length: %d" % len(body),
            "Last-Modified: Mon, 24 May 2021 10:00:00 GMT",
            "Date: Fri, 28 May 2021 09:00:00 GMT",
            "Cache-Control: max-age=604800"]
    if encoding:
        head.insert(2, "Content-Encoding: " + encoding)
    elements = [(b"request-method", b"GET"),
                (b"response-head", ("\r\n".join(head) + "\r\n").encode())]
    chunks = (len(body) + CHUNK - 1) // CHUNK
    meta = struct.pack(">I", 0)  # the metadata's hash: not checked
    meta += b"\0\0" * chunks     # each chunk's hash: not checked
    meta += struct.pack(">IIIIIIII", 3, 1, FETCHED, WRITTEN, 0,
                        WRITTEN + 604800, len(key), 0)
    meta += key + b"\0"
    for name, value in elements:
        meta += name + b"\0" + value + b"\0"
    return meta


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = os.path.join(sys.argv[1], "entries")
    os.makedirs(folder, exist_ok=True)
    for url, content_type, body, *encoding in entries():
        key = b"a,:" + url.encode()
        name = hashlib.sha1(key).hexdigest().upper()
        data = body + metadata(key, body, content_type, encoding[0] if encoding else None)
        data += struct.pack(">I", len(body))
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
