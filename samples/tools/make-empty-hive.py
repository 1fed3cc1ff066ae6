#!/usr/bin/env python3
"""Writes an empty registry hive: the base block, one bin holding the root
key and its security descriptor, nothing else. hivexsh (hivex's own writer)
then adds keys and values to it; hivex cannot make a hive from nothing.

usage: make-empty-hive.py OUT ROOT_NAME
"""
import struct
import sys

out, root_name = sys.argv[1], sys.argv[2].encode('ascii')
BIN = 4096
# A filetime of 2020-01-01 00:00:00 UTC, for the base block and the keys.
STAMP = 132223104000000000


def cell(payload: bytes) -> bytes:
    size = (len(payload) + 4 + 7) & ~7
    return struct.pack('<i', -size) + payload + b'\0' * (size - 4 - len(payload))


# The root key (nk) at offset 0x20 of the bins, its security cell after it.
nk_offset = 0x20
name = root_name
nk_len = (4 + 0x4C + len(name) + 7) & ~7
sk_offset = nk_offset + nk_len
# A self-relative security descriptor with no owner, group or lists.
descriptor = struct.pack('<BBHIIII', 1, 0, 0x8004, 0, 0, 0, 0)
sk = cell(b'sk' + b'\0\0' + struct.pack('<iiII', sk_offset, sk_offset, 1, len(descriptor)) +
          descriptor)
nk = cell(b'nk' + struct.pack('<HQIiIIiiIiiiIIIIIHH',
                              0x2C,            # hive entry, no delete, ASCII name
                              STAMP, 0, -1,    # time, access bits, no parent
                              0, 0, -1, -1,    # subkeys, volatile subkeys, their lists
                              0, -1,           # values, their list
                              sk_offset, -1,   # security, class
                              0, 0, 0, 0,      # largest names and data
                              0,               # work variable
                              len(name), 0) + name)
assert len(nk) == nk_len
cells = nk + sk
free = BIN - 0x20 - len(cells)
cells += struct.pack('<i', free) + b'\0' * (free - 4)
hbin = b'hbin' + struct.pack('<IIQQI', 0, BIN, 0, STAMP, 0) + cells
assert len(hbin) == BIN

base = bytearray(BIN)
struct.pack_into('<4sIIQIIIIII', base, 0, b'regf', 1, 1, STAMP, 1, 3, 0, 1, nk_offset, BIN)
struct.pack_into('<I', base, 0x2C, 1)  # clustering factor
checksum = 0
for i in range(0, 0x1FC, 4):
    checksum ^= struct.unpack_from('<I', base, i)[0]
struct.pack_into('<I', base, 0x1FC, checksum)

with open(out, 'wb') as f:
    f.write(bytes(base) + hbin)
