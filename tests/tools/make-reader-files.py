#!/usr/bin/env python3
"""Write the shell item lists, jump lists and shortcuts the reader tests and
the fuzz targets' seeds need, from the real files of tests/data.

usage: make-reader-files.py TESTS_DATA_FOLDER

It reads ntuser-win10.dat, usrclass.dat (with hivexsh), NeroInfoTool.lnk and
1b4dd67f29cb1962.automaticDestinations-ms of that folder and writes:

  shell-items/opensave-star-0.bin   value "0" of OpenSavePidlMRU\\* of ntuser-win10.dat
  shell-items/opensave-star-1.bin   value "1" of the same key
  shell-items/lastvisited-0.bin     value "0" of LastVisitedPidlMRU (program name, list)
  shell-items/bag-control-panel.bin the items of usrclass.dat's BagMRU 0, 0\\0,
                                    0\\0\\0 and 0\\0\\0\\0 one after another, ended by
                                    a zero size: the path Explorer's shell bags
                                    give for Desktop Background
  shell-items/library-file.bin      made up after the published layouts: Libraries,
                                    the Pictures library (a known-folder item),
                                    a folder and a file as property views whose
                                    property stores hold their names and paths
  shell-items/known-downloads.bin   made up: User's Files, Downloads as a
                                    known-folder item, the file entry of ash.png
                                    taken from opensave-star-0.bin
  shell-items/uri.bin               made up: Internet Explorer, a URI item
  shell-items/delegate.bin          the 0x74 delegate item libfwsi's format
                                    description shows (AppData), ended by a zero size
  destlist-win7.bin                 the DestList stream of the real jump list
  jump-list-streams/1.lnk ... 7.lnk its seven shortcut streams
  destlist-v4.bin                   made up: a DestList of layout 4 with two entries
  custom.customDestinations-ms      made up: a custom jump list of three
                                    categories (a named one with NeroInfoTool.lnk,
                                    the known category Recent, the tasks with two
                                    copies of NeroInfoTool.lnk that differ only in
                                    their arguments)
  28c8b86deab549a1.automaticDestinations-ms
                                    made up: Internet Explorer's jump list as
                                    Windows 10 writes it, a compound file of two
                                    shortcut streams and a DestList of layout 3
                                    naming their addresses; the first shortcut's
                                    item list is Internet Explorer and a URI item,
                                    the second's Internet Explorer and an item of a
                                    kind no reader names
  hostile/linkinfo-size.lnk         80 bytes: NeroInfoTool.lnk's header with only
                                    the link-information flag, and a link
                                    information size of 0x6E000000
  hostile/msat-count.automaticDestinations-ms
                                    the first 525 bytes of the real jump list, its
                                    header stating 0x01000000 allocation-table
                                    extension (MSAT) sectors
"""
import os
import re
import struct
import subprocess
import sys
import uuid


def guid(text):
    return uuid.UUID(text).bytes_le


def hive_value(hive, key, value):
    """The bytes of a REG_BINARY value, read with hivexsh."""
    script = "cd %s\nlsval\n" % key
    out = subprocess.run(["hivexsh", hive], input=script, capture_output=True, text=True,
                         check=True).stdout
    for line in out.splitlines():
        m = re.match(r'"(.*)"=hex\(3\):(.*)$', line)
        if m and m.group(1) == value:
            return bytes(int(b, 16) for b in m.group(2).split(",") if b)
    raise SystemExit("no value %s in %s of %s" % (value, key, hive))


def item(data):
    return struct.pack("<H", len(data) + 2) + data


def utf16z(text):
    return text.encode("utf-16-le") + b"\0\0"


def property_store(fmtid, values):
    """A serialized property storage of VT_LPWSTR values, then the store's end."""
    body = b""
    for pid, text in values:
        chars = utf16z(text)
        chars += b"\0" * (-len(chars) % 4)
        typed = struct.pack("<HHI", 0x1F, 0, len(text) + 1) + chars
        value = struct.pack("<I", pid) + b"\0" + typed
        body += struct.pack("<I", len(value) + 4) + value
    body += b"\0\0\0\0"
    storage = b"1SPS" + guid(fmtid) + body
    return struct.pack("<I", len(storage) + 4) + storage + b"\0\0\0\0"


def property_view(signature, identifier, store):
    data = struct.pack("<I", signature) + struct.pack("<HH", len(store), len(identifier))
    data += identifier + store + b"\0\0"
    return item(b"\0\0" + struct.pack("<H", len(data)) + data)


NAME_DISPLAY = "{B725F130-47EF-101A-A5F1-02608C9EEBAC}"  # pid 10
PARSING = "{28636AA6-953D-11D2-B5D6-00C04FD918D0}"  # pid 30: parsing path


def view_of(name, path):
    store = property_store(NAME_DISPLAY, [(10, name)])[:-4]
    store += property_store(PARSING, [(30, path)])
    return property_view(0x10141981, b"\0" * 32, store)


def known_folder(folder):
    return property_view(0x23FEBBEE, guid(folder), b"")


def root_folder(sort, folder):
    return item(bytes([0x1F, sort]) + guid(folder))


def uri_item(address):
    return item(bytes([0x61, 0x80]) + struct.pack("<H", 0) + utf16z(address))


def link_strings(link):
    """Offsets of the link's parts: (flags, [(flag, offset, size)], strings end)."""
    flags = struct.unpack_from("<I", link, 0x14)[0]
    at = 0x4C
    if flags & 1:
        at += 2 + struct.unpack_from("<H", link, at)[0]
    if flags & 2:
        at += struct.unpack_from("<I", link, at)[0]
    parts = []
    for bit in (0x04, 0x08, 0x10, 0x20, 0x40):
        if flags & bit:
            units = struct.unpack_from("<H", link, at)[0]
            size = 2 + units * (2 if flags & 0x80 else 1)
            parts.append((bit, at, size))
            at += size
    return flags, parts, at


def with_arguments(link, arguments):
    flags, parts, _ = link_strings(link)
    assert flags & 0x80
    for bit, at, size in parts:
        if bit == 0x20:
            text = arguments.encode("utf-16-le")
            return link[:at] + struct.pack("<H", len(arguments)) + text + link[at + size:]
    raise SystemExit("the link has no arguments")


def ole_stream(data, wanted):
    """A stream of a compound file, by name (v3, 512-byte sectors)."""
    sector = 1 << struct.unpack_from("<H", data, 0x1E)[0]
    mini = 1 << struct.unpack_from("<H", data, 0x20)[0]
    fat_sectors = struct.unpack_from("<109I", data, 0x4C)
    fat = []
    for s in fat_sectors[:struct.unpack_from("<I", data, 0x2C)[0]]:
        fat += struct.unpack_from("<%dI" % (sector // 4), data, 512 + s * sector)

    def chain(start, table):
        out = []
        while start < 0xFFFFFFFA and len(out) < len(table):
            out.append(start)
            start = table[start]
        return out

    def read(start):
        return b"".join(data[512 + s * sector:512 + (s + 1) * sector] for s in chain(start, fat))

    directory = read(struct.unpack_from("<I", data, 0x30)[0])
    minifat_bytes = read(struct.unpack_from("<I", data, 0x3C)[0])
    minifat = list(struct.unpack_from("<%dI" % (len(minifat_bytes) // 4), minifat_bytes))
    entries = [directory[i:i + 128] for i in range(0, len(directory), 128)]
    root_stream = read(struct.unpack_from("<I", entries[0], 0x74)[0])
    for e in entries:
        length = struct.unpack_from("<H", e, 0x40)[0]
        name = e[:max(0, length - 2)].decode("utf-16-le")
        if name != wanted:
            continue
        start = struct.unpack_from("<I", e, 0x74)[0]
        size = struct.unpack_from("<I", e, 0x78)[0]
        if size < 4096:
            body = b"".join(root_stream[s * mini:(s + 1) * mini] for s in chain(start, minifat))
        else:
            body = read(start)
        return body[:size]
    raise SystemExit("no stream " + wanted)


def dest_list_v4(entries, version=4):
    out = struct.pack("<IIIfIIII", version, len(entries), 0, 0.0, len(entries), 0, 2, 0)
    for number, path, count in entries:
        e = bytearray(130)
        e[72:72 + 6] = b"host-1"
        struct.pack_into("<I", e, 88, number)
        struct.pack_into("<Q", e, 100, 132223104000000000 + number * 864000000000)
        struct.pack_into("<i", e, 108, -1)
        struct.pack_into("<I", e, 116, count)
        struct.pack_into("<H", e, 128, len(path))
        out += bytes(e) + path.encode("utf-16-le") + b"\0\0\0\0"
    return out


def compound_file(streams):
    """A compound file (version 3, 512-byte sectors) of small streams, all
    in the mini stream: header, one allocation-table sector, one directory
    sector, one mini allocation-table sector, then the mini stream."""
    end, free, fat_sector = 0xFFFFFFFE, 0xFFFFFFFF, 0xFFFFFFFD
    mini = b""
    minifat = []
    placed = []
    for name, data in streams:
        start = len(mini) // 64
        count = (len(data) + 63) // 64
        minifat += [start + i + 1 for i in range(count - 1)] + [end]
        mini += data + b"\0" * (count * 64 - len(data))
        placed.append((name, start, len(data)))
    mini_sectors = (len(mini) + 511) // 512
    mini += b"\0" * (mini_sectors * 512 - len(mini))
    fat = [fat_sector, end, end] + [4 + i for i in range(mini_sectors - 1)] + [end]
    fat += [free] * (128 - len(fat))

    def entry(name, kind, child, left, start, size):
        raw = name.encode("utf-16-le") + b"\0\0"
        e = raw + b"\0" * (64 - len(raw))
        e += struct.pack("<HBBIII", len(raw), kind, 1, left, free, child)
        e += b"\0" * 16 + struct.pack("<IQQIQ", 0, 0, 0, start, size)
        return e

    # The root's child is the last stream; each stream's left sibling the
    # one before it (names ordered by length, then letters).
    directory = entry("Root Entry", 5, len(placed), free, 3, len(mini))
    for i, (name, start, size) in enumerate(placed):
        directory += entry(name, 2, free, i if i > 0 else free, start, size)
    directory += b"\0" * (512 - len(directory))
    header = bytes.fromhex("d0cf11e0a1b11ae1") + b"\0" * 16
    header += struct.pack("<HHHHH", 0x3E, 3, 0xFFFE, 9, 6) + b"\0" * 6
    header += struct.pack("<IIIIIIIII", 0, 1, 1, 0, 4096, 2, 1, end, 0)
    header += struct.pack("<I", 0) + struct.pack("<I", free) * 108
    minifat += [free] * (128 - len(minifat))
    return (header + struct.pack("<128I", *fat) + directory + struct.pack("<128I", *minifat) +
            mini)


def explorer_link(header, items):
    """A shortcut of only a header (times and size of header's) and an item list."""
    h = bytearray(header[:0x4C])
    struct.pack_into("<I", h, 0x14, 0x01 | 0x80)
    body = b"".join(items) + b"\0\0"
    return bytes(h) + struct.pack("<H", len(body)) + body + b"\0\0\0\0"


def main():
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    data = sys.argv[1]
    for sub in ("shell-items", "hostile"):
        os.makedirs(os.path.join(data, sub), exist_ok=True)

    def write(name, content):
        with open(os.path.join(data, name), "wb") as f:
            f.write(content)

    ntuser = os.path.join(data, "ntuser-win10.dat")
    usrclass = os.path.join(data, "usrclass.dat")
    comdlg = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32"
    star0 = hive_value(ntuser, comdlg + "\\OpenSavePidlMRU\\*", "0")
    write("shell-items/opensave-star-0.bin", star0)
    write("shell-items/opensave-star-1.bin",
          hive_value(ntuser, comdlg + "\\OpenSavePidlMRU\\*", "1"))
    write("shell-items/lastvisited-0.bin", hive_value(ntuser, comdlg + "\\LastVisitedPidlMRU", "0"))

    bags = "\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\BagMRU"
    path = b""
    key = bags
    for _ in range(4):
        value = hive_value(usrclass, key, "0")
        path += value[:struct.unpack_from("<H", value, 0)[0]]
        key += "\\0"
    write("shell-items/bag-control-panel.bin", path + b"\0\0")

    libraries = root_folder(0x42, "{031E4825-7B94-4DC3-B131-E946B44C8DD5}")
    pictures = known_folder("{A990AE9F-A03B-4E80-94BC-9912D7504104}")
    write("shell-items/library-file.bin",
          libraries + pictures + view_of("Holiday", "C:\\Users\\joe\\Pictures\\Holiday") +
          view_of("beach.jpg", "C:\\Users\\joe\\Pictures\\Holiday\\beach.jpg") + b"\0\0")

    # ash.png is the third item of the real value.
    first = struct.unpack_from("<H", star0, 0)[0]
    second = struct.unpack_from("<H", star0, first)[0]
    size = struct.unpack_from("<H", star0, first + second)[0]
    ash = star0[first + second:first + second + size]
    users = root_folder(0x44, "{59031A47-3F72-44A7-89C5-5595FE6B30EE}")
    write("shell-items/known-downloads.bin",
          users + known_folder("{374DE290-123F-4565-9164-39C4925E467B}") + ash + b"\0\0")

    explorer = root_folder(0x68, "{871C5380-42A0-1069-A2EA-08002B30309D}")
    write("shell-items/uri.bin", explorer + uri_item("http://www.example.com/start") + b"\0\0")

    delegate = bytes.fromhex(
        "74001c00434653461600310000000000"
        "ae4624b1120041707044617461000000"
        "741a595e96dfd3488d671733bcee28ba"
        "c5cdfadf9f6756418947c5c76bc0b67f"
        "400009000400efbeae4624b1ae4624b1"
        "2e000000159d02000000010000000000"
        "00000000000000000000eee373004100"
        "70007000440061007400610000004200")
    assert len(delegate) == 128
    write("shell-items/delegate.bin", item(delegate) + b"\0\0")

    jump = open(os.path.join(data, "1b4dd67f29cb1962.automaticDestinations-ms"), "rb").read()
    write("destlist-win7.bin", ole_stream(jump, "DestList"))
    os.makedirs(os.path.join(data, "jump-list-streams"), exist_ok=True)
    for stream in range(1, 8):
        write("jump-list-streams/%d.lnk" % stream, ole_stream(jump, str(stream)))
    write("destlist-v4.bin", dest_list_v4([(1, "C:\\Users\\joe\\a.txt", 3),
                                           (2, "http://www.example.com/", 7)]))

    nero = open(os.path.join(data, "NeroInfoTool.lnk"), "rb").read()
    link_class = guid("{00021401-0000-0000-C000-000000000046}")
    footer = struct.pack("<I", 0xBABFFBAB)
    name = "Recent Projects"
    custom = struct.pack("<III", 2, 3, 0)
    custom += struct.pack("<IH", 0, len(name)) + name.encode("utf-16-le")
    custom += struct.pack("<I", 1) + link_class + nero + footer
    custom += struct.pack("<II", 1, 2) + footer
    custom += struct.pack("<II", 2, 2)
    for arguments in ("/name Microsoft.Personalization", "/name Microsoft.System"):
        custom += link_class + with_arguments(nero, arguments)
    custom += footer
    write("custom.customDestinations-ms", custom)

    ie = root_folder(0x00, "{871C5380-42A0-1069-A2EA-08002B30309D}")
    first = explorer_link(nero, [ie, uri_item("http://www.example.com/news")])
    second = explorer_link(nero, [ie, item(bytes([0x77, 0]) + b"unnamed item")])
    write("28c8b86deab549a1.automaticDestinations-ms",
          compound_file([("1", first), ("2", second),
                         ("DestList", dest_list_v4([(1, "http://www.example.com/news", 2),
                                                    (2, "https://www.example.org/second", 1)],
                                                   version=3))]))

    header = bytearray(nero[:0x4C])
    struct.pack_into("<I", header, 0x14, 0x02 | 0x80)
    write("hostile/linkinfo-size.lnk", bytes(header) + struct.pack("<I", 0x6E000000))

    cut = bytearray(jump[:525])
    struct.pack_into("<I", cut, 0x48, 0x01000000)
    write("hostile/msat-count.automaticDestinations-ms", bytes(cut))


if __name__ == "__main__":
    main()
