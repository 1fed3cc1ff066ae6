#!/usr/bin/env python3
"""Makes a Windows 10 style profile for timing the recent-documents readers.

PROFILE/NTUSER.DAT is the real Windows 10 hive of tests/data; its Recent
folder (AppData/Roaming/Microsoft/Windows/Recent) gets LINKS shell links
(made by samples/tools/shell_link.py, each to its own document) and
JUMP_LISTS automatic jump lists (copies of the real one of tests/data under
different application ids).

usage: make-recent-benchmark.py PROFILE [LINKS [JUMP_LISTS]]   (2000, 50)
"""
import shutil
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "samples" / "tools"))
import shell_link as sl  # noqa: E402


def main():
    profile = Path(sys.argv[1])
    links = int(sys.argv[2]) if len(sys.argv) > 2 else 2000
    lists = int(sys.argv[3]) if len(sys.argv) > 3 else 50
    recent = profile / "AppData/Roaming/Microsoft/Windows/Recent"
    (recent / "AutomaticDestinations").mkdir(parents=True, exist_ok=True)
    shutil.copyfile(ROOT / "tests/data/ntuser-win10.dat", profile / "NTUSER.DAT")
    for i in range(links):
        name = f"report {i:04d}.docx"
        t = sl.filetime(2016, 1 + i % 12, 1 + i % 28, i % 24, i % 60, i % 60)
        target = f"C:\\Users\\bperry\\Documents\\Projects\\Year {2000 + i % 17}\\{name}"
        data = sl.shell_link(target, False, 10000 + i, (t, t, t), sl.DRIVE_FIXED,
                             0x885029E6, "OS", "student-pc1", i + 1)
        (recent / (name + ".lnk")).write_bytes(data)
    real = ROOT / "tests/data/1b4dd67f29cb1962.automaticDestinations-ms"
    for i in range(lists):
        shutil.copyfile(real, recent / "AutomaticDestinations" /
                        f"{0x1b4dd67f29cb0000 + i:016x}.automaticDestinations-ms")


if __name__ == "__main__":
    main()
