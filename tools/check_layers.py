#!/usr/bin/env python3
"""Fails when a source breaks the floors of the README's "Layout":

- it includes a folder of a higher floor than its own;
- it includes another front end's code, or, outside a front-end folder, any
  front end's code or toolkit or system header (Qt's, Win32's, Emscripten's);
- outside a front-end folder, it tests a platform macro with #if, except in
  the one place that names the platform (platform/system.h).

Usage: check_layers.py ROOT. Floors, lowest first: the map format and the
media code; the platform seam and the assets; the two programs' rules; their
windows. The front ends are the folders of platform/ (qt/, win32/, web/, and
any added later); a folder of that name anywhere is that front end's code.
Tests, benchmarks, fuzz targets and the testing/ folders may include anything.
"""
import pathlib
import re
import sys

FLOORS = {
    "mapformat": 1, "media": 1,
    "platform": 2, "assets": 2,
    "game": 3, "editor": 3,
}
FREE = ("tests", "testing", "bench", "fuzz", "tools", "build")
# The one header allowed to ask which platform it is compiled for.
PLATFORM_HEADER = "platform/system.h"

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]', re.M)
CONDITION = re.compile(r'^\s*#\s*(?:if|ifdef|ifndef|elif|elifdef|elifndef)\b(.*)$', re.M)
PLATFORM_MACRO = re.compile(
    r'\b(?:_WIN32|_WIN64|WIN32|_WINDOWS|__MINGW32__|__MINGW64__|_MSC_VER|__CYGWIN__|__linux__|__linux|'
    r'__unix__|__unix|__APPLE__|__MACH__|__GLIBC__|__EMSCRIPTEN__|__wasm__|__wasm32__|Q_OS_\w+|'
    r'TARNWICK_FRONTEND\w*)\b')
# Headers that belong to one front end's toolkit or system.
FRONTEND_HEADERS = {
    "qt": re.compile(r'^Q[A-Za-z]*(?:/|$)|^Qt[A-Za-z]*/'),
    "win32": re.compile(
        r'^(?:windows|windowsx|winbase|wingdi|winuser|winnt|winerror|winreg|winnls|commctrl|commdlg|'
        r'shellapi|shlobj|shlwapi|shellscalingapi|objbase|objidl|ole2|oleacc|mmsystem|mmreg|dsound|'
        r'gdiplus|uxtheme|dwmapi|wincodec|d2d1|dwrite|xinput|imm|richedit|versionhelpers|io|direct|'
        r'conio|tchar)\.h$', re.I),
    "web": re.compile(r'^emscripten(?:\.h$|/)|^SDL'),
}


def frontends(root):
    """The front ends: each folder of platform/ that is not tests' or fakes'."""
    seam = root / "platform"
    return sorted(p.name for p in seam.iterdir() if p.is_dir() and p.name not in FREE) if seam.is_dir() else []


def place(path, kinds):
    """(floor, front end) of a project path like game/qt/mainwindow.cpp."""
    parts = pathlib.PurePosixPath(path).parts
    floor = FLOORS.get(parts[0], 0)
    kind = next((p for p in parts[1:-1] if p in kinds), None)
    # A program's window sits above its rules.
    if kind and parts[0] in ("game", "editor"):
        floor += 1
    return floor, kind


def faults(root):
    kinds = frontends(root)
    for source in sorted(root.rglob("*")):
        rel = source.relative_to(root).as_posix()
        folders = rel.split("/")[:-1]
        if source.suffix not in (".cpp", ".h") or not folders or folders[0] not in FLOORS:
            continue
        if any(part in FREE for part in folders):
            continue
        floor, kind = place(rel, kinds)
        # A folder under a floor is either a front end's or plain code: a
        # front end needs its platform/ folder before anything else.
        for part in folders[1:]:
            if part in FRONTEND_HEADERS and part not in kinds:
                yield f"{rel}: {part}/ is a front end without platform/{part}/"
        text = source.read_text(encoding="utf-8")
        for bracket, target in INCLUDE.findall(text):
            owner = next((k for k, pattern in FRONTEND_HEADERS.items() if pattern.search(target)), None)
            if bracket == "<":
                if owner and owner != kind:
                    yield f"{rel} includes <{target}>, a header of the {owner} front end"
                continue
            if "/" not in target or target.split("/")[0] not in FLOORS:
                continue
            their_floor, their_kind = place(target, kinds)
            if their_floor > floor:
                yield f"{rel} includes {target}, a higher floor"
            elif their_kind and their_kind != kind:
                yield f"{rel} includes {target}, code of the {their_kind} front end"
        if kind is None and rel != PLATFORM_HEADER:
            for condition in CONDITION.findall(text):
                if PLATFORM_MACRO.search(condition):
                    yield f"{rel} tests a platform macro ({condition.strip()}): only {PLATFORM_HEADER} may"


def main():
    found = list(faults(pathlib.Path(sys.argv[1]).resolve()))
    for fault in found:
        print(fault, file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
