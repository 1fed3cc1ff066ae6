#!/usr/bin/env python3
"""Write copies of a registry hive with one byte changed, for the tests.

usage: make-damaged-hives.py SOURCE_HIVE OUT_FOLDER

From tests/data/ntuser-xp.dat it makes:
  ntuser-xp-type127.dat       the value "Cookies" of Shell Folders (REG_SZ, type 1)
                              with the low byte of its type set to 0x7f: type 127
  ntuser-xp-type10000002.dat  the value "AppData" of User Shell Folders
                              (REG_EXPAND_SZ, type 2) with the high byte of its
                              type set to 0x10: type 268435458
  ntuser-xp-badcell.dat       the size of the cell of that "Cookies" value
                              made odd (its low byte + 1): a cell hivex refuses
                              while it opens the hive (ENOTSUP)

Each file differs from the source in exactly one byte. The values are found
by walking the hive's cells, so the script works on any copy of that hive.
"""
import os
import struct
import sys

BASE_BLOCK = 4096


def cells(data):
    """(offset, size, bytes) of every allocated cell in the hive bins."""
    pos = BASE_BLOCK
    while pos + 32 <= len(data) and data[pos:pos + 4] == b"hbin":
        bin_size = struct.unpack_from("<I", data, pos + 8)[0]
        if bin_size == 0:
            break
        cell = pos + 32
        end = pos + bin_size
        while cell + 4 <= end:
            size = struct.unpack_from("<i", data, cell)[0]
            if size == 0:
                break
            if size < 0:
                yield cell, -size
            cell += abs(size)
        pos = end


def value_cell(data, name):
    """Offset of the allocated value cell ("vk") whose name is `name`."""
    found = []
    for cell, size in cells(data):
        if data[cell + 4:cell + 6] != b"vk":
            continue
        name_length = struct.unpack_from("<H", data, cell + 6)[0]
        if data[cell + 24:cell + 24 + name_length] == name:
            found.append(cell)
    return found


def value_type(data, cell):
    return struct.unpack_from("<I", data, cell + 16)[0]


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], "rb") as f:
        source = f.read()
    out = sys.argv[2]
    os.makedirs(out, exist_ok=True)

    def write(name, offset, byte):
        data = bytearray(source)
        data[offset] = byte
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)

    # "Cookies" stands in Shell Folders as text (type 1) and in User Shell
    # Folders as expandable text (type 2); pick each by its type.
    cookies = [c for c in value_cell(source, b"Cookies") if value_type(source, c) == 1]
    appdata = [c for c in value_cell(source, b"AppData") if value_type(source, c) == 2]
    if not cookies or not appdata:
        sys.exit("the values Cookies (REG_SZ) and AppData (REG_EXPAND_SZ) were not found")
    write("ntuser-xp-type127.dat", cookies[0] + 16, 0x7F)
    write("ntuser-xp-type10000002.dat", appdata[0] + 19, 0x10)
    write("ntuser-xp-badcell.dat", cookies[0], (source[cookies[0]] + 1) & 0xFF)


if __name__ == "__main__":
    main()
