#!/usr/bin/env python3
"""Writes the expected rows of the browser-cache tests into tests/data/expected/,
read from the bytes of the test caches by this script's own reading of the
formats (docs/formats/chrome-block-file-cache.md, firefox-cache2.md), written
apart from the program's readers so that the tests compare two readings.
Times are turned into UTC texts by Python's datetime ("YYYY-MM-DD HH:MM:SS"),
bodies are undone with Python's zlib, and named by their SHA-256.

Fields (tab-separated), one line per entry in the order of the cache's walk:
location, URL, created, last used, server modified, expires, size, body
file, status line, content type, what is missing (headers:FILE, body:FILE
or -), SHA-256 of the decoded body (or - when it cannot be read). The
entries of the block-file cache come in the program's order: the buckets'
first entries by address, then the entries their chains lead to.

    python3 tests/tools/cache-expected.py
"""
import datetime
import email.utils
import hashlib
import os
import struct
import zlib

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'data')


def webkit(us):
    if us == 0:
        return ''
    t = datetime.datetime(1601, 1, 1) + datetime.timedelta(microseconds=us)
    return t.strftime('%Y-%m-%d %H:%M:%S')


def unix(s):
    if s == 0:
        return ''
    return datetime.datetime.utcfromtimestamp(s).strftime('%Y-%m-%d %H:%M:%S')


def header(lines, name):
    for line in lines[1:]:
        key, _, value = line.partition(':')
        if key.lower() == name.lower():
            return value.strip()
    return ''


def http_date(text):
    if not text:
        return ''
    try:
        t = email.utils.parsedate_tz(text)
        if t is None:
            return ''
        return unix(int(email.utils.mktime_tz(t)))
    except (TypeError, ValueError, OverflowError):
        return ''


def decode(body, encoding):
    if body is None:
        return '-'
    if encoding in ('gzip', 'x-gzip'):
        body = zlib.decompress(body, 15 + 32)
    elif encoding == 'deflate':
        body = zlib.decompress(body)
    return hashlib.sha256(body).hexdigest()


class BlockFiles:
    sizes = {1: 36, 2: 256, 3: 1024, 4: 4096}

    def __init__(self, folder):
        self.folder = folder

    def name(self, addr):
        if (addr >> 28) & 7 == 0:
            return 'f_%06x' % (addr & 0x0FFFFFFF)
        return 'data_%d' % ((addr >> 16) & 0xFF)

    def read(self, addr, length):
        path = os.path.join(self.folder, self.name(addr))
        if not os.path.exists(path):
            return None
        with open(path, 'rb') as f:
            if (addr >> 28) & 7 == 0:
                return f.read(length)
            size = self.sizes[(addr >> 28) & 7]
            f.seek(8192 + (addr & 0xFFFF) * size)
            return f.read(min(length, (((addr >> 24) & 3) + 1) * size))


def chrome_rows(folder):
    files = BlockFiles(folder)
    with open(os.path.join(folder, 'index'), 'rb') as f:
        index = f.read()
    length = struct.unpack_from('<i', index, 28)[0] or 0x10000
    table = struct.unpack_from('<%dI' % length, index, 368)
    rows = []
    seen = set()
    # The buckets' first entries, then those their chains lead to, round by
    # round, each round in the order of the addresses.
    round_ = [a for a in table if a]
    while round_:
        chained = []
        for addr in sorted(round_):
            if addr in seen:
                continue
            seen.add(addr)
            e = files.read(addr, 1024)
            nxt, ranking = struct.unpack_from('<II', e, 4)
            if nxt:
                chained.append(nxt)
            created = struct.unpack_from('<Q', e, 24)[0]
            key_len, long_key = struct.unpack_from('<iI', e, 32)
            sizes = struct.unpack_from('<4i', e, 40)
            addrs = struct.unpack_from('<4I', e, 56)
            if long_key:
                key = files.read(long_key, key_len)
            else:
                key = e[96:96 + key_len]
            url = key.decode('latin-1').split(' ')[-1]
            node = files.read(ranking, 36)
            last_used = struct.unpack_from('<Q', node, 0)[0] if node else 0
            missing = []
            lines = []
            pickle = files.read(addrs[0], sizes[0]) if sizes[0] > 0 else b''
            if pickle is None:
                missing.append('headers:' + files.name(addrs[0]))
            elif pickle:
                flags = struct.unpack_from('<I', pickle, 4)[0]
                at = 8 + (4 if flags & 0x80000000 else 0) + 16
                hlen = struct.unpack_from('<i', pickle, at)[0]
                raw = pickle[at + 4:at + 4 + hlen]
                lines = [x.decode('latin-1') for x in raw.split(b'\0') if x]
            body = None
            body_file = ''
            if sizes[1] > 0:
                body_file = files.name(addrs[1])
                body = files.read(addrs[1], sizes[1])
                if body is None:
                    missing.append('body:' + body_file)
            status = lines[0] if lines and lines[0].startswith('HTTP/') else ''
            rows.append([
                'blockfile:%08x' % addr, url, webkit(created), webkit(last_used),
                http_date(header(lines, 'Last-Modified')), http_date(header(lines, 'Expires')),
                str(sizes[1]), body_file, status, header(lines, 'Content-Type'),
                ','.join(missing) or '-',
                decode(body, header(lines, 'Content-Encoding')) if sizes[1] > 0 else '-'])
        round_ = chained
    return rows


def firefox_rows(folder):
    rows = []
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), 'rb') as f:
            data = f.read()
        meta = struct.unpack('>I', data[-4:])[0]
        if meta > len(data) - 4:
            rows.append(['cache2:' + name, '', '', '', '', '', '', '', '', '', 'entry', '-'])
            continue
        h = meta + 4 + 2 * ((meta + 262143) // 262144)
        version, fetches, fetched, modified, _, expires, key_size = \
            struct.unpack_from('>7I', data, h)
        k = h + 28 + (4 if version >= 2 else 0)
        key = data[k:k + key_size].decode('latin-1')
        url = key[key.index(',:') + 2:] if ',:' in key else key[1:] if key.startswith(':') else key
        parts = data[k + key_size + 1:len(data) - 4].split(b'\0')
        elements = dict(zip(parts[0::2], parts[1::2]))
        lines = [x for x in elements.get(b'response-head', b'').decode('latin-1').split('\r\n') if x]
        status = lines[0] if lines and lines[0].startswith('HTTP/') else ''
        rows.append([
            'cache2:' + name, url, unix(modified), unix(fetched),
            http_date(header(lines, 'Last-Modified')),
            '' if expires in (0, 0xFFFFFFFF) else unix(expires), str(meta), name, status,
            header(lines, 'Content-Type'), '-',
            decode(data[:meta], header(lines, 'Content-Encoding')) if meta > 0 else '-'])
    return rows


def write(name, rows):
    with open(os.path.join(DATA, 'expected', name), 'w') as f:
        for row in rows:
            f.write('\t'.join(row) + '\n')


write('chrome-cache.tsv', chrome_rows(os.path.join(DATA, 'chrome-cache')))
write('firefox-cache2.tsv', firefox_rows(os.path.join(DATA, 'firefox-cache2')))
