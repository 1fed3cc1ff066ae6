#!/usr/bin/env python3
"""Write the cache index file on which the hash walk's progress once
overflowed: 4 MiB, mostly zeros.

usage: make-hash-walk-index.py OUT

The header is sound (signature, version 5.2) but states a file size of 1
byte, and its one hash table claims 0x7fffffff blocks. The walk passes
every entry up to the real end of the file (about half a million, all
without a record), and each entry's share of the progress bar is its 128
bytes of the stated 1: a bar value near 2.1e9 times the share, which must be
clamped before it becomes an int.
"""
import struct
import sys

SIZE = 4 * 1024 * 1024
TABLE = 0x4000


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    data = bytearray(SIZE)
    data[0:28] = b"Client UrlCache MMF Ver 5.2\x00"
    struct.pack_into("<I", data, 28, 1)             # stated size
    struct.pack_into("<I", data, 32, TABLE)         # first hash table
    data[TABLE:TABLE + 4] = b"HASH"
    struct.pack_into("<I", data, TABLE + 4, 0x7FFFFFFF)  # its length in blocks
    struct.pack_into("<I", data, TABLE + 8, 0)      # no next table
    with open(sys.argv[1], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
