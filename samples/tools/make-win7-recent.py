#!/usr/bin/env python3
"""Writes the Windows 7 style Recent folder of the sample profile.

AppData/Roaming/Microsoft/Windows/Recent gets shell links as Windows 7 writes
them for recently opened documents (see shell_link.py), a custom jump list
holding one of them, and a copy of the real automatic jump list of
tests/data (Windows 7's Explorer). The link targets are made up (user joe);
two of them exist in the sample's My Documents.

usage: make-win7-recent.py PROFILE_FOLDER
"""
import shutil
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import shell_link as sl  # noqa: E402

HOME = "C:\\Documents and Settings\\joe"
JUMP_LIST = "1b4dd67f29cb1962.automaticDestinations-ms"

LINKS = [
    # link name, target, is folder, size, created, accessed, drive type, label
    ("letter to bank.doc.lnk", HOME + "\\My Documents\\letter to bank.doc", False, 24576,
     (2010, 3, 14, 9, 12, 40), (2010, 4, 2, 18, 30, 5), sl.DRIVE_FIXED, "SYSTEM"),
    ("Budget 2008.xls.lnk", HOME + "\\My Documents\\Budget 2008.xls", False, 13824,
     (2010, 1, 7, 18, 2, 11), (2010, 3, 30, 8, 45, 0), sl.DRIVE_FIXED, "SYSTEM"),
    ("Holiday photos.lnk", HOME + "\\My Documents\\My Pictures\\Holiday photos", True, 0,
     (2009, 8, 2, 20, 30, 0), (2010, 4, 1, 21, 10, 12), sl.DRIVE_FIXED, "SYSTEM"),
    ("contract signed.pdf.lnk", "E:\\scans\\contract signed.pdf", False, 183211,
     (2010, 2, 28, 11, 4, 52), (2010, 3, 1, 9, 0, 30), sl.DRIVE_REMOVABLE, "USBSTICK"),
]


def main():
    profile = Path(sys.argv[1])
    recent = profile / "AppData/Roaming/Microsoft/Windows/Recent"
    (recent / "AutomaticDestinations").mkdir(parents=True, exist_ok=True)
    (recent / "CustomDestinations").mkdir(parents=True, exist_ok=True)
    made = []
    for number, (name, target, is_dir, size, created, accessed, drive, label) in enumerate(LINKS):
        c = sl.filetime(*created)
        a = sl.filetime(*accessed)
        data = sl.shell_link(target, is_dir, size, (c, a, a), drive, 0x5C3A1E07 + number, label,
                             "joe-pc", number + 1)
        (recent / name).write_bytes(data)
        made.append(data)
    # A program's own jump list with the letter pinned (made up).
    (recent / "CustomDestinations" / "a7bd71699cd38d1c.customDestinations-ms").write_bytes(
        sl.custom_destinations([made[0]]))
    source = Path(__file__).resolve().parents[2] / "tests" / "data" / JUMP_LIST
    shutil.copyfile(source, recent / "AutomaticDestinations" / JUMP_LIST)


if __name__ == "__main__":
    main()
