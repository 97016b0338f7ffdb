#!/usr/bin/env python3
"""Makes the browser pages' fonts from Debian's Liberation Sans.

    tools/make_webfonts.py OUTPUT_FOLDER

writes OUTPUT_FOLDER/LiberationSans-Regular.woff2 and -Bold.woff2, cut down
to the characters the programs can show: Latin-1, the rest of Windows-1252
(a character's name may hold any of its letters) and the Spanish texts'
punctuation (… “ ” ‘ ’ – — €). The labels' faces, "Arial" and "MS Sans
Serif", are drawn with Liberation Sans on Linux too. Needs fonts-liberation,
python3-fonttools and python3-brotli (for WOFF2).
"""

import os
import sys

from fontTools import subset

SOURCE = "/usr/share/fonts/truetype/liberation/LiberationSans-{}.ttf"
CHARACTERS = (
    {chr(c) for c in range(0x20, 0x7F)}
    | {chr(c) for c in range(0xA0, 0x100)}
    | set(bytes(range(0x80, 0xA0)).decode("cp1252", errors="ignore"))
    | set("…“”‘’–—€")
)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False  # the browser hints, or draws without
    options.name_IDs = ["*"]  # the copyright and licence stay with the font
    options.drop_tables += ["FFTM"]  # FontForge's timestamps
    for style in ("Regular", "Bold"):
        font = subset.load_font(SOURCE.format(style), options)
        subsetter = subset.Subsetter(options)
        subsetter.populate(unicodes=sorted(map(ord, CHARACTERS)))
        subsetter.subset(font)
        out = os.path.join(folder, f"LiberationSans-{style}.woff2")
        subset.save_font(font, out, options)
        print(f"{out}: {os.path.getsize(out)} bytes")


if __name__ == "__main__":
    main()
