#!/usr/bin/env python3
"""Fails when a source includes a folder of a higher floor than its own, or
when portable code includes a toolkit's folder.

Usage: check_layers.py ROOT. Floors, lowest first: the map format and the
media code; the platform seam and the assets; the two programs' rules; their
windows. Tests, benchmarks, fuzz targets and the testing/ folders may
include anything; a toolkit folder (qt/, win32/) may include its own kind.
"""
import pathlib
import re
import sys

FLOORS = {
    "mapformat": 1, "media": 1,
    "platform": 2, "assets": 2,
    "game": 3, "editor": 3,
}
TOOLKITS = ("qt", "win32")
FREE = ("tests", "testing", "bench", "fuzz", "tools", "build")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def place(path):
    """(floor, toolkit) of a project path like game/qt/mainwindow.cpp."""
    parts = pathlib.PurePosixPath(path).parts
    floor = FLOORS.get(parts[0], 0)
    toolkit = next((p for p in parts[1:-1] if p in TOOLKITS), None)
    # A program's window sits above its rules.
    if toolkit and parts[0] in ("game", "editor"):
        floor += 1
    return floor, toolkit


def faults(root):
    for source in sorted(root.rglob("*")):
        rel = source.relative_to(root).as_posix()
        if source.suffix not in (".cpp", ".h") or rel.split("/")[0] not in FLOORS:
            continue
        if any(part in FREE for part in rel.split("/")[:-1]):
            continue
        floor, toolkit = place(rel)
        for target in INCLUDE.findall(source.read_text(encoding="utf-8")):
            if "/" not in target or target.split("/")[0] not in FLOORS:
                continue
            their_floor, their_toolkit = place(target)
            if their_floor > floor:
                yield f"{rel} includes {target}, a higher floor"
            elif their_toolkit and their_toolkit != toolkit:
                yield f"{rel} includes {target}, toolkit code"


def main():
    found = list(faults(pathlib.Path(sys.argv[1]).resolve()))
    for fault in found:
        print(fault, file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
