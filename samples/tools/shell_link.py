"""Writes Windows shell links (.lnk) in the layout Windows 7 uses.

A link here holds: the 76-byte header (target attributes, times, size), the
target's item list (My Computer, the drive, one file entry per folder and
file with the 0xBEEF0004 extension block carrying the long name), the link
information (volume: drive type, serial number, label; the local path), the
working folder as a UTF-16 string and the distributed link tracking block
(machine name and object identifiers). Used by make-win7-recent.py and by
the benchmark profile generator.
"""
import calendar
import struct
import uuid

CLSID_SHELL_LINK = bytes.fromhex("0114020000000000c000000000000046")
CLSID_MY_COMPUTER = uuid.UUID("20d04fe0-3aea-1069-a2d8-08002b30309d").bytes_le

HAS_TARGET_ID_LIST = 0x01
HAS_LINK_INFO = 0x02
HAS_WORKING_DIR = 0x10
IS_UNICODE = 0x80

ATTR_DIRECTORY = 0x10
ATTR_ARCHIVE = 0x20

DRIVE_REMOVABLE = 2
DRIVE_FIXED = 3


def filetime(year, month, day, hour, minute, second):
    seconds = calendar.timegm((year, month, day, hour, minute, second, 0, 0, 0))
    return (seconds + 11644473600) * 10_000_000


def fat_time(ft):
    """A FILETIME as a FAT date and time (local = UTC here), as items store it."""
    import datetime
    t = datetime.datetime(1601, 1, 1) + datetime.timedelta(microseconds=ft // 10)
    date = ((t.year - 1980) << 9) | (t.month << 5) | t.day
    time = (t.hour << 11) | (t.minute << 5) | (t.second // 2)
    return struct.pack("<HH", date, time)


def short_name(name, index=1):
    """An 8.3 name as Windows would make it (close enough for a sample)."""
    stem, dot, ext = name.rpartition(".")
    if not dot:
        stem, ext = name, ""
    clean = "".join(c for c in stem.upper() if c.isalnum())
    ext = "".join(c for c in ext.upper() if c.isalnum())[:3]
    if len(clean) <= 8 and clean == stem and ext == name.rpartition(".")[2]:
        return name
    base = clean[:6] + "~" + str(index)
    return base + ("." + ext if ext else "")


def file_entry(name, is_dir, size, ft, file_reference):
    primary = short_name(name).encode("ascii") + b"\x00"
    if len(primary) % 2:
        primary += b"\x00"
    long_name = name.encode("utf-16-le") + b"\x00\x00"
    fat = fat_time(ft)
    ext_body = (struct.pack("<HI", 8, 0xBEEF0004) + fat + fat +
                struct.pack("<HHQQHI", 0x2A, 0, file_reference, 0, 0, 0) + long_name)
    head = struct.pack("<BBI", 0x31 if is_dir else 0x32, 0, 0 if is_dir else size) + fat + \
        struct.pack("<H", ATTR_DIRECTORY if is_dir else ATTR_ARCHIVE) + primary
    ext_offset = 2 + len(head)
    ext = struct.pack("<H", 2 + len(ext_body) + 2) + ext_body + struct.pack("<H", ext_offset)
    body = head + ext
    return struct.pack("<H", 2 + len(body)) + body


def item_list(target, is_dir, size, ft):
    drive, _, rest = target.partition("\\")
    items = struct.pack("<HBB", 20, 0x1F, 0x50) + CLSID_MY_COMPUTER
    volume = (drive + "\\").encode("ascii")
    items += struct.pack("<HB", 25, 0x2F) + volume + b"\x00" * (22 - len(volume))
    parts = [p for p in rest.split("\\") if p]
    for i, part in enumerate(parts):
        last = i == len(parts) - 1
        items += file_entry(part, is_dir or not last, size if last else 0, ft, 0x10000 + i)
    return struct.pack("<H", len(items) + 2) + items + b"\x00\x00"


def link_info(target, drive_type, serial, label):
    label_bytes = label.encode("ascii") + b"\x00"
    volume_id = struct.pack("<IIII", 16 + len(label_bytes), drive_type, serial, 16) + label_bytes
    header_size = 0x1C
    base = target.encode("cp1252") + b"\x00"
    base_offset = header_size + len(volume_id)
    suffix_offset = base_offset + len(base)
    size = suffix_offset + 1
    return (struct.pack("<IIIIIII", size, header_size, 1, header_size, base_offset, 0,
                        suffix_offset) + volume_id + base + b"\x00")


def tracker(machine, volume_guid, file_guid):
    name = machine.encode("ascii")[:15].ljust(16, b"\x00")
    ids = volume_guid.bytes_le + file_guid.bytes_le
    return struct.pack("<IIII", 0x60, 0xA0000003, 0x58, 0) + name + ids + ids


def shell_link(target, is_dir=False, size=0, times=None, drive_type=DRIVE_FIXED,
               serial=0x5C3A1E07, label="", machine="joe-pc", object_number=1):
    """The bytes of a link to target (a Windows path with a drive letter)."""
    created, accessed, written = times or (filetime(2010, 1, 1, 0, 0, 0),) * 3
    flags = HAS_TARGET_ID_LIST | HAS_LINK_INFO | HAS_WORKING_DIR | IS_UNICODE
    header = struct.pack("<I16sIIQQQIiIHHII", 0x4C, CLSID_SHELL_LINK, flags,
                         ATTR_DIRECTORY if is_dir else ATTR_ARCHIVE,
                         created, accessed, written, size, 0, 1, 0, 0, 0, 0)
    working = target if is_dir else target.rsplit("\\", 1)[0]
    strings = struct.pack("<H", len(working)) + working.encode("utf-16-le")
    volume_guid = uuid.UUID(int=(serial << 96) | 0x42)
    file_guid = uuid.UUID(int=(object_number << 64) | 0x11DF9D20)
    extra = tracker(machine, volume_guid, file_guid) + b"\x00\x00\x00\x00"
    return (header + item_list(target, is_dir, size, written) +
            link_info(target, drive_type, serial, label) + strings + extra)


def custom_destinations(links):
    """A custom jump list: header, one category of tasks, footer."""
    data = struct.pack("<III", 2, 1, 0) + struct.pack("<II", 2, len(links))
    for link in links:
        data += CLSID_SHELL_LINK + link
    return data + struct.pack("<I", 0xBABFFBAB)
