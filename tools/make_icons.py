#!/usr/bin/env python3
"""Makes the desktop's icon sizes from the programs' 64 x 64 icon art.

    tools/make_icons.py PICTURE.png NAME OUTPUT_FOLDER

writes OUTPUT_FOLDER/<n>x<n>/apps/NAME.png for each size a desktop asks
for (the hicolor theme's). The art is pixel art: the larger sizes repeat
each pixel (128, 256), the smaller ones average the pixels each output
pixel covers, fractions included (48, 32, 24, 22, 16). The build runs it
for tools/make_art.py's icono_juego.png and icono_editor.png.
"""

import os
import struct
import sys
import zlib

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def read_png(path):
    """(width, height, rows of (r, g, b)) of an 8-bit RGB or RGBA PNG."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + ": not a PNG")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    w, h, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError(path + ": only 8-bit RGB or RGBA, not interlaced")
    bpp = 3 if colour == 2 else 4
    raw, stride = zlib.decompress(idat), w * bpp
    rows, prior = [], bytearray(stride)
    for y in range(h):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b, c = prior[i], prior[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append([tuple(line[x * bpp:x * bpp + 3]) for x in range(w)])
        prior = line
    return w, h, rows


def write_png(path, rows):
    h, w = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def resized(w, h, rows, size):
    if size % w == 0:  # whole pixels repeated: crisp
        k = size // w
        return [[px for px in row for _ in range(k)] for row in rows for _ in range(k)]
    scale = w / size  # source pixels per output pixel, each way

    def spans(i):  # (source index, share) of the source pixels output pixel i covers
        lo, hi = i * scale, (i + 1) * scale
        return [(s, min(hi, s + 1) - max(lo, s)) for s in range(int(lo), min(w, int(hi) + 1)) if min(hi, s + 1) > max(lo, s)]

    out = []
    for y in range(size):
        row = []
        for x in range(size):
            total, acc = 0.0, [0.0, 0.0, 0.0]
            for sy, wy in spans(y):
                for sx, wx in spans(x):
                    weight = wx * wy
                    total += weight
                    for c in range(3):
                        acc[c] += rows[sy][sx][c] * weight
            row.append(tuple(min(255, int(v / total + 0.5)) for v in acc))
        out.append(row)
    return out


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    picture, name, out = sys.argv[1:]
    w, h, rows = read_png(picture)
    if w != h:
        sys.exit(picture + ": an icon is square")
    for size in SIZES:
        folder = os.path.join(out, "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        write_png(os.path.join(folder, name + ".png"), resized(w, h, rows, size))


if __name__ == "__main__":
    main()
