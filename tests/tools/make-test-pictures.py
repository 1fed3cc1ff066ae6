#!/usr/bin/env python3
"""Writes the pictures the picture-service tests read, into tests/data/pictures.

    python3 tests/tools/make-test-pictures.py tests/data/pictures

GIF and TIFF files are written byte by byte here (Python's standard library
only), so that their frames, delays and pages are exactly what the tests
expect; the truncated PNG, JPEG, GIF and TIFF start as ImageMagick pictures
(`convert` must be on the PATH) cut short. Every file is made up.

Ordinary pictures:
  still.gif          one frame, 30 x 20
  animated.gif       three frames 30 x 20 (red, green, blue); delays 7, none, 20
  three-pages.tif    three grey pages: 40 x 20 (grey 50), 30 x 50 (150), 10 x 10 (250)
Hostile pictures (hostile/):
  huge-claim.png     a PNG header claiming 100000 x 100000 pixels, almost no data
  huge-claim.jpg     a JPEG whose frame header claims 65000 x 65000 pixels
  huge-screen.gif    two frames on a logical screen of 65535 x 65535
  truncated.png/.jpg/.gif/.tif   pictures cut after 60 % of their bytes
  truncated-animated.gif          four frames, cut inside the third
  10000-frames.gif   10,000 frames of 1 x 1 without pause
  5000-pages.tif     5,000 pages of 1 x 1 sharing one pixel
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

PALETTE = [(255, 0, 0), (0, 128, 0), (0, 0, 255), (255, 255, 255)]


def lzw_literals(pixels):
    """Image data of a 4-colour GIF frame: minimum code size 2 and a clear
    code after every two pixels, so the code width stays at 3 bits and no
    dictionary entry is ever used (plain, valid LZW)."""
    clear, end = 4, 5
    codes = [clear]
    for i, p in enumerate(pixels):
        codes.append(p)
        if i % 2 == 1:
            codes.append(clear)
    codes.append(end)
    acc = nbits = 0
    data = bytearray()
    for c in codes:
        acc |= c << nbits
        nbits += 3
        while nbits >= 8:
            data.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8
    if nbits:
        data.append(acc & 0xFF)
    out = bytearray([2])
    for i in range(0, len(data), 255):
        chunk = data[i:i + 255]
        out += bytes([len(chunk)]) + chunk
    return bytes(out + b"\0")


def gif(width, height, frames, screen=None):
    """frames: (colour index, delay in hundredths or None for no graphic
    control block) per frame, each covering width x height at (0, 0)."""
    sw, sh = screen or (width, height)
    out = bytearray(b"GIF89a" + struct.pack("<HHBBB", sw, sh, 0x81, 0, 0))
    for rgb in PALETTE:
        out += bytes(rgb)
    out += b"\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00"  # loop for ever
    frame_data = {}
    for colour, delay in frames:
        if delay is not None:
            out += b"\x21\xf9\x04" + struct.pack("<BHB", 0x04, delay, 0) + b"\0"
        out += b"," + struct.pack("<HHHHB", 0, 0, width, height, 0)
        if colour not in frame_data:
            frame_data[colour] = lzw_literals([colour] * (width * height))
        out += frame_data[colour]
    return bytes(out + b";")


def tiff(pages, minimal=False):
    """pages: (width, height, grey) per page, 8-bit grey, uncompressed. With
    minimal, every page is 1 x 1, 1-bit, and all share one pixel byte."""
    out = bytearray(b"II*\0" + struct.pack("<I", 0))
    shared = None
    ifds = []
    for (w, h, grey) in pages:
        if minimal:
            if shared is None:
                shared = len(out)
                out += b"\x80\0"
            data_at = shared
            entries = [(256, 4, w), (257, 4, h), (262, 3, 1), (273, 4, data_at), (279, 4, 1)]
        else:
            data_at = len(out)
            out += bytes([grey]) * (w * h)
            if len(out) % 2:
                out += b"\0"
            entries = [(256, 4, w), (257, 4, h), (258, 3, 8), (259, 3, 1), (262, 3, 1),
                       (273, 4, data_at), (277, 3, 1), (278, 4, h), (279, 4, w * h)]
        ifds.append(entries)
    # Directories follow the pixel data, each pointing at the next.
    offsets = []
    pos = len(out)
    for entries in ifds:
        offsets.append(pos)
        pos += 2 + 12 * len(entries) + 4
    for n, entries in enumerate(ifds):
        out += struct.pack("<H", len(entries))
        for tag, kind, value in entries:
            if kind == 3:
                out += struct.pack("<HHIHH", tag, kind, 1, value, 0)
            else:
                out += struct.pack("<HHII", tag, kind, 1, value)
        out += struct.pack("<I", offsets[n + 1] if n + 1 < len(offsets) else 0)
    struct.pack_into("<I", out, 4, offsets[0])
    return bytes(out)


def png_claiming(width, height):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    idat = zlib.compress(b"\0" * 64)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", idat) + chunk(b"IEND", b"")


def jpeg_claiming(source, width, height):
    """The JPEG with the height and width of its frame header replaced."""
    data = bytearray(source)
    i = 2
    while i + 9 < len(data):
        marker = data[i + 1]
        length = struct.unpack(">H", data[i + 2:i + 4])[0]
        if marker in (0xC0, 0xC1, 0xC2):
            struct.pack_into(">HH", data, i + 5, height, width)
            return bytes(data)
        i += 2 + length
    raise SystemExit("no frame header in the JPEG")


def magick(args, suffix):
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, "picture" + suffix)
        subprocess.run(["convert"] + args + [path], check=True)
        return open(path, "rb").read()


def cut(data, share=0.6):
    return data[:int(len(data) * share)]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    hostile = os.path.join(folder, "hostile")
    os.makedirs(hostile, exist_ok=True)

    def write(name, data):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)

    write("still.gif", gif(30, 20, [(1, None)]))
    write("animated.gif", gif(30, 20, [(0, 7), (1, None), (2, 20)]))
    write("three-pages.tif", tiff([(40, 20, 50), (30, 50, 150), (10, 10, 250)]))

    gradient = ["-size", "64x48", "gradient:yellow-navy", "-strip"]
    write("hostile/huge-claim.png", png_claiming(100000, 100000))
    write("hostile/huge-claim.jpg", jpeg_claiming(magick(gradient, ".jpg"), 65000, 65000))
    write("hostile/huge-screen.gif", gif(2, 2, [(0, 5), (1, 5)], screen=(65535, 65535)))
    write("hostile/truncated.png", cut(magick(gradient, ".png")))
    write("hostile/truncated.jpg", cut(magick(gradient + ["-quality", "90"], ".jpg")))
    write("hostile/truncated.gif", cut(magick(gradient, ".gif")))
    write("hostile/truncated.tif", cut(magick(gradient + ["-compress", "none"], ".tif")))
    write("hostile/truncated-animated.gif", cut(gif(16, 16, [(0, 5), (1, 5), (2, 5), (3, 5)]), 0.55))
    write("hostile/10000-frames.gif", gif(1, 1, [(i % 3, 0) for i in range(10000)]))
    write("hostile/5000-pages.tif", tiff([(1, 1, 0)] * 5000, minimal=True))


if __name__ == "__main__":
    main()
