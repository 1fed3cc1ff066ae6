#!/usr/bin/env python3
"""Writes the made cache files of tests/data that no real machine gave us,
from the formats' descriptions (docs/formats/chrome-simple-cache.md,
firefox-cache2.md): the fuzz targets' seeds and companions, which the tests
read too.

tests/data/simple-cache/ (Chrome's simple cache):
  index                      the stub: signature, version 7
  index-dir/the-real-index   version 9: 00000000000000a1 last used
                             2024-03-01 12:00:10, 00000000000000b2 at 12:00:20
  00000000000000a1_0         https://img.example/dot.png: a PNG of one red pixel,
                             response time 2024-03-01 12:00:00, SHA-256 of
                             the key after stream 0
  00000000000000b2_0         "1/0/_dk_https://site.example https://site.example
                             https://site.example/app.js": 2000 bytes of
                             script, gzip-compressed, response time 12:00:05
  00000000000000c3_0         https://video.example/v.mp4, "206 Partial
                             Content", no body of its own; its _s file holds
  00000000000000c3_s         two ranges, 0..99 and 200..299 of "abc..." text
tests/data/firefox-cache2-index/index (cache2/index, version 13): the two
  real entries 0EDDF8C0... and 0FC75AE8... and one whose file is gone,
  CC00...01, last fetched 2024-01-11 19:06:40, fetched 3 times.

    python3 tests/tools/make-cache-seeds.py
"""
import gzip
import hashlib
import os
import struct
import zlib

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data')
EPOCH_1601 = 11644473600


def webkit(unix_seconds):
    return (unix_seconds + EPOCH_1601) * 1000000


def pickle(lines, request, response):
    raw = b'\0'.join(lines) + b'\0\0'
    payload = struct.pack('<Iqq', 3, request, response)
    payload += struct.pack('<I', len(raw)) + raw + b'\0' * (-len(raw) % 4)
    payload += struct.pack('<II', 0, 0)  # socket address (empty) and port
    return struct.pack('<I', len(payload)) + payload


def eof(flags, stream_size):
    return struct.pack('<QIIII', 0xf4fa6f45970d41d8, flags, 0, stream_size, 0)


def header(key):
    return struct.pack('<QIIII', 0xfcfb6d1ba7725c30, 5, len(key), 0, 0) + key


def entry(key, body, lines, time, sha):
    stream0 = pickle(lines, time - 1000000, time)
    out = header(key) + body + eof(1, 0) + stream0
    if sha:
        out += hashlib.sha256(key).digest()
    return out + eof(3 if sha else 1, len(stream0))


def sparse(key, ranges):
    out = header(key)
    for offset, data in ranges:
        out += struct.pack('<QqqII', 0xeb97bf016553676b, offset, len(data), 0, 0) + data
    return out


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


march = 1709294400  # 2024-03-01 12:00:00 UTC
simple = os.path.join(DATA, 'simple-cache')


def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))


# A red pixel.
png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 1, 1, 8, 6, 0, 0, 0)) +
       chunk(b'IDAT', zlib.compress(b'\x00\xff\x00\x00\xff', 9)) + chunk(b'IEND', b''))
write(os.path.join(simple, 'index'), struct.pack('<QI', 0x656e74657220796f, 7) + b'\0' * 8)
write(os.path.join(simple, '00000000000000a1_0'),
      entry(b'https://img.example/dot.png', png,
            [b'HTTP/1.1 200 OK', b'Content-Type: image/png',
             b'Last-Modified: Sun, 06 Nov 1994 08:49:37 GMT'], webkit(march), True))
script = b''.join(b'var line%d = %d;\n' % (i, i) for i in range(200))[:2000]
key = b'1/0/_dk_https://site.example https://site.example https://site.example/app.js'
write(os.path.join(simple, '00000000000000b2_0'),
      entry(key, gzip.compress(script, mtime=0),
            [b'HTTP/1.1 200 OK', b'Content-Type: text/javascript', b'Content-Encoding: gzip',
             b'Expires: Thu, 01 Dec 2044 16:00:00 GMT'], webkit(march + 5), False))
video = b'https://video.example/v.mp4'
write(os.path.join(simple, '00000000000000c3_0'),
      entry(video, b'', [b'HTTP/1.1 206 Partial Content', b'Content-Type: video/mp4'],
            webkit(march + 8), False))
text = bytes((97 + i % 26) for i in range(300))
write(os.path.join(simple, '00000000000000c3_s'), sparse(video, [(0, text[:100]), (200, text[200:])]))
used = [(0xa1, webkit(march + 10)), (0xb2, webkit(march + 20))]
payload = struct.pack('<QIQQI', 0x656e74657220796f, 9, len(used), 4096, 2)
for h, t in used:
    payload += struct.pack('<QqQ', h, t, 16 << 8)
payload += struct.pack('<q', webkit(march + 30))
write(os.path.join(simple, 'index-dir', 'the-real-index'),
      struct.pack('<II', len(payload), 0) + payload)

records = [('0EDDF8C091E2FED62E44BEDDDC1723F5BF38FE4F', 1628376162, 1),
           ('0FC75AE83A9F7CAEFD982F3A793D9CDE5166ECD2', 1430581478, 1),
           ('CC00000000000000000000000000000000000001', 1705000000, 3)]
index = struct.pack('>IIIII', 13, 1705000100, 0, 12, 0)
for h, fetched, count in records:
    index += bytes.fromhex(h) + struct.pack('>IQIIBI', 100, 0, fetched, count, 3, 0x80000001)
index += struct.pack('>I', 0)
write(os.path.join(DATA, 'firefox-cache2-index', 'index'), index)
