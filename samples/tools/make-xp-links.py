#!/usr/bin/env python3
"""Writes the shell-link (.lnk) files of the sample XP profile's Recent folder.

Each link is laid out as Windows XP's shell writes a Recent entry: the
76-byte header with the target's attributes, times and size, a LinkInfo
block with the volume and the local path, then the relative path and the
working folder as UTF-16 strings. The targets are made up (user joe).

usage: make-xp-links.py PROFILE_FOLDER
"""
import struct
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from shell_link import (ATTR_ARCHIVE, ATTR_DIRECTORY, CLSID_SHELL_LINK,  # noqa: E402
                        HAS_LINK_INFO, HAS_WORKING_DIR, IS_UNICODE, filetime)

HOME = "C:\\Documents and Settings\\joe"
HAS_RELATIVE_PATH = 0x08


def counted_utf16(text):
    return struct.pack("<H", len(text)) + text.encode("utf-16-le")


def link_info(local_path):
    label = b"\x00"
    volume_id = struct.pack("<IIII", 16 + len(label), 3, 0x5C3A_1E07, 16) + label
    header_size = 0x1C
    volume_offset = header_size
    base_offset = volume_offset + len(volume_id)
    base = local_path.encode("cp1252") + b"\x00"
    suffix_offset = base_offset + len(base)
    suffix = b"\x00"
    size = suffix_offset + len(suffix)
    return (struct.pack("<IIIIIII", size, header_size, 1, volume_offset, base_offset, 0,
                        suffix_offset) + volume_id + base + suffix)


def shell_link(target, relative, attributes, times, size):
    flags = HAS_LINK_INFO | HAS_WORKING_DIR | IS_UNICODE
    if relative:
        flags |= HAS_RELATIVE_PATH
    created, accessed, written = times
    header = struct.pack("<I16sIIQQQIiIHHII", 0x4C, CLSID_SHELL_LINK, flags, attributes,
                         created, accessed, written, size, 0, 1, 0, 0, 0, 0)
    working = target.rsplit("\\", 1)[0]
    strings = (counted_utf16(relative) if relative else b"") + counted_utf16(working)
    return header + link_info(target) + strings


LINKS = [
    # link name, target, relative path from Recent, attributes, created, size
    ("letter to bank.doc.lnk", HOME + "\\My Documents\\letter to bank.doc",
     "..\\My Documents\\letter to bank.doc", ATTR_ARCHIVE, (2008, 3, 14, 9, 12, 40), 24576),
    ("Budget 2008.xls.lnk", HOME + "\\My Documents\\Budget 2008.xls",
     "..\\My Documents\\Budget 2008.xls", ATTR_ARCHIVE, (2008, 1, 7, 18, 2, 11), 13824),
    ("report.txt.lnk", HOME + "\\Desktop\\report.txt", "..\\Desktop\\report.txt",
     ATTR_ARCHIVE, (2008, 3, 20, 16, 45, 3), 2210),
    ("Holiday photos.lnk", HOME + "\\My Documents\\My Pictures\\Holiday photos",
     "..\\My Documents\\My Pictures\\Holiday photos", ATTR_DIRECTORY, (2007, 8, 2, 20, 30, 0), 0),
    ("passwords.txt.lnk", HOME + "\\Desktop\\passwords.txt", "..\\Desktop\\passwords.txt",
     ATTR_ARCHIVE, (2008, 3, 21, 8, 15, 27), 311),
    ("Invoice 0412.pdf.lnk", "D:\\scans\\Invoice 0412.pdf", None,
     ATTR_ARCHIVE, (2008, 2, 28, 11, 4, 52), 84213),
]


def main():
    recent = Path(sys.argv[1]) / "Recent"
    recent.mkdir(parents=True, exist_ok=True)
    for name, target, relative, attributes, created, size in LINKS:
        t = filetime(*created)
        times = (t, t + 3_600 * 10_000_000, t + 60 * 10_000_000)
        (recent / name).write_bytes(shell_link(target, relative, attributes, times, size))
    # The shell's own folder settings, which the tables never list.
    (recent / "Desktop.ini").write_bytes(
        b"[.ShellClassInfo]\r\nLocalizedResourceName=@shell32.dll,-21796\r\n")


if __name__ == "__main__":
    main()
