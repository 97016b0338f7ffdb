#!/usr/bin/env python3
"""Draws every picture of the game and the editor and writes them as PNG.

    tools/make_art.py [output folder]      (default: assets/pictures)

Plain Python, no libraries: shapes are rasterised pixel by pixel, without
anti-aliasing, because the figure sheets are drawn with mask transfers that
need pure black (0x000000) and pure white (0xFFFFFF). White is transparent in
every figure, so no figure pixel may be pure white; the masks are derived
from the figures, black exactly where a figure pixel is.

Sheets hold one row per facing: row 0 north-west, 1 north, 2 north-east,
3 east, 4 south-east, 5 south, 6 south-west, 7 west. The enemies are seen
from straight above, drawn in their own frame ("fwd" points where the figure
faces, "side" to its right) and turned; the hero is drawn pixel by pixel for
each facing.
"""

import math
import os
import random
import struct
import sys
import zlib

WHITE = 0xFFFFFF
BLACK = 0x000000
OUTLINE = 0x1C1410


# ---------------------------------------------------------------- pictures

class Picture:
    def __init__(self, w, h, fill=WHITE):
        self.w, self.h = w, h
        self.px = [fill] * (w * h)

    def get(self, x, y):
        return self.px[y * self.w + x]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = c

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                self.set(ox + x, oy + y, other.get(x, y))

    def save(self, path):
        raw = b"".join(
            b"\x00" + b"".join(struct.pack(">I", c)[1:] for c in self.px[y * self.w:(y + 1) * self.w])
            for y in range(self.h))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
            f.write(chunk(b"IEND", b""))


def save_ico(pic, path, sizes=(64, 32, 16)):
    """A Windows icon of the picture at each size, 32-bit colour, for the .exe files."""
    images = []
    for size in sizes:
        step = pic.w // size
        rows = []
        for y in reversed(range(size)):  # icon bitmaps run bottom-up
            row = b""
            for x in range(size):
                block = [pic.get(x * step + i, y * step + j) for j in range(step) for i in range(step)]
                r, g, b = (sum((c >> s) & 0xFF for c in block) // len(block) for s in (16, 8, 0))
                row += bytes((b, g, r, 255))
            rows.append(row)
        mask = b"\0" * (((size + 31) // 32) * 4 * size)  # all opaque
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        images.append((size, header + b"".join(rows) + mask))
    offset = 6 + 16 * len(images)
    out = struct.pack("<HHH", 0, 1, len(images))
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(data for _, data in images))


def rgb(c):
    return (c >> 16) & 255, (c >> 8) & 255, c & 255


def pack(r, g, b):
    r, g, b = (max(0, min(255, int(round(v)))) for v in (r, g, b))
    return (r << 16) | (g << 8) | b


def shade(c, f):
    """Lighter for f > 1, darker for f < 1; never pure white."""
    r, g, b = rgb(c)
    out = pack(r * f, g * f, b * f) if f <= 1 else pack(r + (255 - r) * (f - 1), g + (255 - g) * (f - 1),
                                                         b + (255 - b) * (f - 1))
    return 0xFAFAF4 if out == WHITE else out


def mix(a, b, t):
    ra, ga, ba = rgb(a)
    rb, gb, bb = rgb(b)
    return pack(ra + (rb - ra) * t, ga + (gb - ga) * t, ba + (bb - ba) * t)


# ---------------------------------------------------------------- figure shapes
# A shape answers, for a point of the figure's own frame, whether it covers
# it, plus a "light" value in [-1, 1] used for shading (light from the top-left
# of the screen is applied after turning, see render_figure).

def ellipse(cf, cs, rf, rs, color, light=True):
    def f(fwd, side):
        d = ((fwd - cf) / rf) ** 2 + ((side - cs) / rs) ** 2
        if d > 1:
            return None
        return color, (fwd - cf) / rf, (side - cs) / rs, light, d
    return f


def box(f0, f1, s0, s1, color, light=False):
    def f(fwd, side):
        if f0 <= fwd <= f1 and s0 <= side <= s1:
            return color, 0.0, 0.0, light, 0.0
        return None
    return f


def polygon(points, color, light=False):
    def f(fwd, side):
        inside = False
        n = len(points)
        for i in range(n):
            (a0, b0), (a1, b1) = points[i], points[(i + 1) % n]
            if (b0 > side) != (b1 > side):
                t = (side - b0) / (b1 - b0)
                if fwd < a0 + t * (a1 - a0):
                    inside = not inside
        return (color, 0.0, 0.0, light, 0.0) if inside else None
    return f


def render_figure(shapes, facing, same_every_row=False, outline=True):
    """Draws one 20 x 20 figure on white for the given facing."""
    pic = Picture(20, 20)
    angle = 0.0 if same_every_row else math.radians((facing - 3) * 45)
    dx, dy = math.cos(angle), math.sin(angle)   # forward, in screen pixels
    rx, ry = -dy, dx                              # to the figure's right
    lx, ly = -0.7071, -0.7071                     # light from the top-left
    for y in range(20):
        for x in range(20):
            px, py = x + 0.5 - 10, y + 0.5 - 10
            fwd = px * dx + py * dy
            side = px * rx + py * ry
            for shape in reversed(shapes):         # last shape is on top
                hit = shape(fwd, side)
                if hit is None:
                    continue
                color, nf, ns, light, depth = hit
                if light:
                    # Normal of the bulge in screen terms, dotted with the light.
                    sx = nf * dx + ns * rx
                    sy = nf * dy + ns * ry
                    lit = -(sx * lx + sy * ly)
                    color = shade(color, 1.25 if lit > 0.45 else (0.72 if lit < -0.35 else 1.0))
                    if depth > 0.8 and lit < 0:
                        color = shade(color, 0.85)
                pic.set(x, y, color)
                break
    if outline:
        add_outline(pic)
    return pic


def add_outline(pic):
    """A dark line around the figure makes it read on any ground."""
    edge = []
    for y in range(pic.h):
        for x in range(pic.w):
            if pic.get(x, y) != WHITE:
                continue
            for ox, oy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                nx, ny = x + ox, y + oy
                if 0 <= nx < pic.w and 0 <= ny < pic.h and pic.get(nx, ny) not in (WHITE, OUTLINE):
                    edge.append((x, y))
                    break
    for x, y in edge:
        pic.set(x, y, OUTLINE)


def mask_of(fig):
    m = Picture(fig.w, fig.h)
    for i, c in enumerate(fig.px):
        m.px[i] = WHITE if c == WHITE else BLACK
    return m


def sheet(figure_for):
    """A 40 x 160 sheet: figure in column 0, mask in column 20, one row per facing."""
    s = Picture(40, 160)
    for facing in range(8):
        fig = figure_for(facing)
        s.paste(fig, 0, 20 * facing)
        s.paste(mask_of(fig), 20, 20 * facing)
    return s


def turned(shapes, same_every_row=False):
    """Figure maker for a figure built from shapes and turned to each facing."""
    return lambda facing: render_figure(shapes(facing), facing, same_every_row)


# ---------------------------------------------------------------- the figures

# The hero is drawn pixel by pixel, as seen from above and in front (a 3/4
# view), one drawing per facing. Each gets the dark outline the other figures
# have. Steel helm with a closed visor, blue tunic, red cloak, sword in the
# right hand, shield on the left arm. The west-facing drawings are not mirrors
# of the east-facing ones: a mirror would swap his hands, so there the sword
# is on his far side and the shield on the near side, turned to the viewer.
# The light comes from the top-left in every facing.
HERO_COLORS = {
    "S": 0xC8D0DA, "s": 0x9AA4B0, "t": 0x6A7482,    # steel: lit, plain, shaded
    "o": OUTLINE, "v": 0x2A2630,                      # visor slit, breathing holes
    "g": 0xE0B030, "G": 0xA87818,                     # gold
    "B": 0x4A78D0, "b": 0x2E56B0, "d": 0x1E3C80,      # tunic
    "R": 0xD04A3A, "r": 0xB02828, "k": 0x701818,      # cloak
    "l": 0x8A5A2C, "L": 0x4A2C14,                     # leather: shield, hands, belt, boots
    "W": 0xEEF2F6, "x": 0x9AA4B8,                     # blade
}

HERO_NORTH = [  # his back, the cloak
    "....................",
    "....................",
    "........SSss........",
    "......SSSsssst..Wx..",
    ".....SSSsssssst.Wx..",
    ".....gggggggggG.Wx..",
    ".....SSssssssst.Wx..",
    ".....Sssssssstt.Wx..",
    "......tsssssst..Wx..",
    ".....SRRrrrrrkt.Wx..",
    ".....sRRrrrrrksGggg.",
    "...ttrRrrkrrrkssll..",
    "...ttrRrrkrrrk..GG..",
    "...ttrRrrkrrrrk.....",
    "....trRrrkrrkrk.....",
    ".....krrrkrrkrk.....",
    ".......LL..LL.......",
    "....................",
    "....................",
    "....................",
]

HERO_NORTH_EAST = [  # back turned to the right
    "....................",
    "....................",
    "........SSss........",
    "......SSSsssst...Wx.",
    ".....SSSsssssst..Wx.",
    ".....ggggggggggG.Wx.",
    ".....SSsssssssoo.Wx.",
    ".....Sssssssssst.Wx.",
    "......tsssssstt..Wx.",
    ".....SRRrrrrrkts.Wx.",
    ".....sRRrrrrrkssGgg.",
    "....rrRrrkrrrkbssll.",
    "...rrrRrrkrrrkb..GG.",
    "...rrRrrkrrrrkb.....",
    "...krRrrkrrkrk......",
    "....kkrrkrrkrk......",
    "........LL..LLL.....",
    "....................",
    "....................",
    "....................",
]

HERO_EAST = [  # profile, sword forward
    "....................",
    "....................",
    ".........SSss.......",
    ".......SSSssss......",
    "......SSSssssst.....",
    "......gggggggggG....",
    "......ssssssoooo....",
    "......tssssssvst....",
    ".......tsssssst.....",
    "....krrsssbd........",
    "...krrrstsbbd.g.....",
    "...krrrrsbbdlgWWWWW.",
    "...krrrrLLgLlGxxxx..",
    "...krrrrbBbd.G......",
    "....krrrdbbd........",
    ".....kkll.ll........",
    ".......LL.LLL.......",
    "....................",
    "....................",
    "....................",
]

HERO_SOUTH_EAST = [  # front turned to the right
    "....................",
    "....................",
    "........SSss........",
    "..Wx..SSSsssst......",
    "..Wx.SSSsssssst.....",
    "..Wx.gggggggggGG....",
    "..Wx.ssssooooooo....",
    "..Wx.Sssssssvsst....",
    "..Wx.rtsssssvst.....",
    "..Wx.rSsbbbBBbt.....",
    ".gggGssdbbBBbsttt...",
    "..llsrrdbbBbbtllllt.",
    "..GG.rrdLLLgLtllgLt.",
    ".....rkdbbBbbtlllLt.",
    "......kddbbbb.tLLt..",
    ".......dll..lll.tt..",
    ".......LL....LLL....",
    "....................",
    "....................",
    "....................",
]

HERO_SOUTH = [  # front, the visor
    "....................",
    "....................",
    "........SSss........",
    "..Wx..SSSsssst......",
    "..Wx.SSSsssssst.....",
    "..Wx.gggggggggG.....",
    "..Wx.toooooooot.....",
    "..Wx.ssssvvssst.....",
    "..Wx..tssvvsst......",
    "..Wx.SsbBBbbdst.....",
    ".gggGssbBBbbdsttt...",
    "..llssdbBBbbdtlllt..",
    "..GG..rLLgLLLtlgLt..",
    "......rbBbbbdtllLt..",
    "......kdbbbbd.tLt...",
    "......kll..ll..t....",
    ".......LL..LL.......",
    "....................",
    "....................",
    "....................",
]


HERO_SOUTH_WEST = [  # front turned to the left, sword on the far side
    "....................",
    "....................",
    "..Wx.....SSss.......",
    "..Wx...SSSsssst.....",
    "..Wx..SSSsssssst....",
    "..Wx.gggggggggGG....",
    "..Wx.ooooooossst....",
    "..Wx.Sssvsssssst....",
    "..Wx..tsvssssstr....",
    ".gggGssbBBbbbstr....",
    "..llssbBBbbbdtttt...",
    "..GG.sbBBbbdtllllt..",
    ".....sLLgLLLtllgLt..",
    "......bBbbbdtlllLt..",
    ".......bbbbddtLLt...",
    ".....lll..ll..tt....",
    "....LLL....LL.......",
    "....................",
    "....................",
    "....................",
]

HERO_WEST = [  # profile, the sword forward beyond him, the shield to the viewer
    "....................",
    "....................",
    ".......SSss.........",
    "......SSSssss.......",
    ".....SSSssssst......",
    "....gggggggggG......",
    "....oooossssst......",
    "....tsvsssssst......",
    ".....tsssssst.......",
    ".....g..Bbsssrrk....",
    ".WWWWgBBbbstsrrrk...",
    "..xxxGtllltbsrrrk...",
    "......tlgLtLLrrrk...",
    "......tllLtbdrrrk...",
    ".......tLtbbdrrk....",
    "........ll.llkk.....",
    ".......LLL.LL.......",
    "....................",
    "....................",
    "....................",
]

HERO_NORTH_WEST = [  # back turned to the left, shield on the near side
    "....................",
    "....................",
    "........SSss....Wx..",
    "......SSSsssst..Wx..",
    ".....SSSsssssst.Wx..",
    "....ggggggggggG.Wx..",
    "....oosssssssst.Wx..",
    "....Sssssssssst.Wx..",
    ".....tsssssstt..Wx..",
    "....sSRRrrrrrktGggg.",
    "..ttsRRrrrrrrktsll..",
    ".tlltbRrrkrrrkr.GG..",
    ".tlgtbRrrkrrrkrr....",
    ".tLLtbRrrkrrrrkr....",
    "..tt.rRrrkrrkrrk....",
    ".....krrrkrrkrrk....",
    ".....LLL..LL........",
    "....................",
    "....................",
    "....................",
]

# Drawings from the north-west facing round to the west, as the sheet's rows.
HERO_FACINGS = [HERO_NORTH_WEST, HERO_NORTH, HERO_NORTH_EAST, HERO_EAST,
                HERO_SOUTH_EAST, HERO_SOUTH, HERO_SOUTH_WEST, HERO_WEST]


def pixel_figure(rows, colors):
    """A 20 x 20 figure from rows of letters ("." is transparent), outlined."""
    pic = Picture(20, 20)
    for y, row in enumerate(rows):
        assert len(row) == 20, "row %d is %d wide" % (y, len(row))
        for x, letter in enumerate(row):
            if letter != ".":
                pic.set(x, y, colors[letter])
    add_outline(pic)
    return pic


def hero(facing):
    return pixel_figure(HERO_FACINGS[facing], HERO_COLORS)


def blot(_facing):
    def star(fwd, side):
        r = math.hypot(fwd, side)
        a = math.atan2(side, fwd)
        edge = 6.4 + 2.6 * math.cos(5 * a) + 0.6 * math.cos(11 * a + 1)
        if r > edge:
            return None
        return 0x6C2A8C, fwd / max(edge, 1), side / max(edge, 1), True, (r / edge) ** 2
    drops = [ellipse(-8.2, 3.5, 1.1, 1.1, 0x6C2A8C), ellipse(6.0, -7.6, 0.9, 0.9, 0x6C2A8C),
             ellipse(7.5, 6.5, 0.8, 0.8, 0x6C2A8C)]
    eyes = [ellipse(-1.6, -2.2, 1.3, 1.0, 0xF4E860, light=False),
            ellipse(-1.6, 2.2, 1.3, 1.0, 0xF4E860, light=False),
            ellipse(-1.4, -2.0, 0.6, 0.5, 0x180818, light=False),
            ellipse(-1.4, 2.4, 0.6, 0.5, 0x180818, light=False),
            box(1.6, 2.4, -2.4, 2.4, 0x2A0A30)]               # grim mouth
    return drops + [star] + eyes


def rat(_facing):
    fur, wing, rib = 0x8A7A6A, 0x9A6A46, 0x4E3020
    left = polygon([(2.2, -2), (3.5, -6), (1.5, -9.6), (-0.6, -8.2), (-2.0, -9.0), (-2.8, -5.6), (-1.6, -2)], wing)
    right = polygon([(2.2, 2), (3.5, 6), (1.5, 9.6), (-0.6, 8.2), (-2.0, 9.0), (-2.8, 5.6), (-1.6, 2)], wing)
    return [
        box(-9.4, -3.0, -0.5, 0.5, 0xD890A0),                  # tail
        left, right,
        box(-1.0, 2.6, -7.5, -7.0, rib), box(-1.0, 2.6, 7.0, 7.5, rib),
        ellipse(-0.6, 0, 4.0, 2.6, fur),                       # body
        ellipse(3.6, 0, 2.2, 2.0, shade(fur, 1.1)),            # head
        ellipse(3.0, -2.0, 1.0, 0.9, 0xC88898, light=False),   # ears
        ellipse(3.0, 2.0, 1.0, 0.9, 0xC88898, light=False),
        box(4.3, 5.2, -1.2, -0.5, 0xE02020),                   # red eyes
        box(4.3, 5.2, 0.5, 1.2, 0xE02020),
        box(5.4, 6.1, -0.4, 0.4, 0x2A1A1A),                    # nose
    ]


def sheep(_facing):
    wool, face, horn = 0xE4E0D2, 0x3A3030, 0xC8A060
    puffs = [ellipse(f, s, 2.5, 2.5, wool) for f, s in
             ((-4.0, -2.4), (-4.0, 2.4), (-0.8, -3.4), (-0.8, 3.4), (1.8, -2.2), (1.8, 2.2), (-1.4, 0), (-5.2, 0))]
    return [
        box(-6.0, -4.6, -4.4, -3.2, face), box(-6.0, -4.6, 3.2, 4.4, face),   # hind legs
        box(2.6, 4.2, -4.2, -3.0, face), box(2.6, 4.2, 3.0, 4.2, face),        # fore legs
        *puffs,
        ellipse(-2.6, 2.2, 0.9, 0.9, 0x58B030, light=False),  # mutant slime on the wool
        ellipse(0.6, -2.0, 0.8, 0.8, 0x58B030, light=False),
        ellipse(5.2, -2.8, 1.6, 1.3, horn),                   # curled horns
        ellipse(5.2, 2.8, 1.6, 1.3, horn),
        ellipse(5.8, 0, 2.8, 2.3, face),                      # head
        box(7.0, 7.9, -1.5, -0.6, 0x50FF50),                  # glowing eyes
        box(7.0, 7.9, 0.6, 1.5, 0x50FF50),
        box(5.6, 6.3, -0.35, 0.35, 0x50FF50),                 # and a third one
    ]


def blood():
    rng = random.Random(11)
    s = Picture(40, 20)
    spots = [(10, 10, 5.2)] + [(10 + rng.uniform(-6, 6), 10 + rng.uniform(-6, 6), rng.uniform(1.0, 2.4))
                               for _ in range(9)]
    for y in range(20):
        for x in range(20):
            cx, cy = x + 0.5, y + 0.5
            a = math.atan2(cy - 10, cx - 10)
            r = math.hypot(cx - 10, cy - 10)
            main = r < 5.0 + 1.8 * math.cos(7 * a + 0.5)
            if main or any(math.hypot(cx - sx, cy - sy) < sr for sx, sy, sr in spots[1:]):
                c = 0x8A0C0C if (x + y) % 5 else 0xB81C1C
                if r < 2.5:
                    c = 0x6A0606
                s.set(x, y, c)
    fig = Picture(20, 20)
    fig.paste(s, 0, 0)
    s.paste(mask_of(fig), 20, 0)
    return s


# ---------------------------------------------------------------- ground

def textured(base, specks, seed):
    rng = random.Random(seed)
    t = Picture(20, 20, base)
    for y in range(20):
        for x in range(20):
            roll = rng.random()
            acc = 0.0
            for color, p in specks:
                acc += p
                if roll < acc:
                    t.set(x, y, color)
                    break
    return t


GRASS = 0x4E9A3C
WATER = 0x3070C4


def grass():
    t = textured(GRASS, [(0x3C7E2E, 0.16), (0x66B44E, 0.12), (0x448A34, 0.1)], 3)
    rng = random.Random(8)
    for _ in range(7):  # small blades
        x, y = rng.randrange(1, 19), rng.randrange(2, 19)
        t.set(x, y, 0x2E6A24)
        t.set(x, y - 1, 0x78C45C)
    return t


def earth():
    t = textured(0xA8804E, [(0x96703F, 0.18), (0xB8905E, 0.14), (0x8E6A3C, 0.05)], 5)
    rng = random.Random(9)
    for _ in range(5):  # pebbles
        x, y = rng.randrange(1, 18), rng.randrange(1, 18)
        t.set(x, y, 0xC8B090)
        t.set(x + 1, y, 0xB09878)
        t.set(x, y + 1, 0x6E5232)
    return t


def tree():
    t = grass()
    for y in range(15, 20):
        for x in range(8, 12):
            t.set(x, y, 0x5E3A1C if x < 10 else 0x4A2C14)
    rng = random.Random(12)
    for y in range(20):
        for x in range(20):
            dx, dy = x + 0.5 - 10, y + 0.5 - 8.5
            r = math.hypot(dx, dy)
            bumps = 8.3 + 0.8 * math.cos(6 * math.atan2(dy, dx))
            if r < bumps:
                lit = -(dx + dy) / (r + 0.01)
                c = 0x2F7A2C if lit > 0.3 else (0x1E5220 if lit < -0.4 else 0x276A27)
                if rng.random() < 0.18:
                    c = 0x3E9238 if lit > -0.2 else 0x1A4A1C
                t.set(x, y, c)
            elif r < bumps + 1:
                t.set(x, y, 0x163A16)
    return t


# The water's second tile is only ever ANDed over the base tile (six ticks of
# sixteen), so it can only darken. It is white except at a few pixels, where
# it dims the trailing end of three ripples and one glint and darkens two
# small troughs: the ripples seem to drift and the lake shimmers instead of
# blinking.
WATER_BRIGHT = 0xE8ECFC
WATER_MID = 0xA8C8F4                     # holds only bits of WATER_BRIGHT: exact when dimmed
RIPPLES = [(2, 3, 5), (12, 2, 3), (6, 8, 4), (14, 11, 5), (3, 14, 3), (10, 17, 4)]   # x, y, length
GLINTS = [(17, 6), (8, 12), (1, 18)]
WATER_TROUGH = 0x2260AE
SHIMMER = [(2, 3, WATER), (3, 3, WATER_MID),            # drifts right
           (18, 11, WATER), (17, 11, WATER_MID),        # drifts left
           (10, 17, WATER), (11, 17, WATER_MID),        # drifts right
           (17, 6, WATER),                              # a glint goes out
           (13, 3, WATER_TROUGH), (14, 3, WATER_TROUGH),   # troughs under two ripples
           (4, 15, WATER_TROUGH), (5, 15, WATER_TROUGH)]


def water():
    t = textured(WATER, [(0x2A66B6, 0.2), (0x3878CC, 0.15)], 4)
    for x0, y, n in RIPPLES:
        for x in range(x0, x0 + n):
            t.set(x % 20, y, WATER_MID if x in (x0, x0 + n - 1) else WATER_BRIGHT)
    for x, y in GLINTS:
        t.set(x, y, WATER_BRIGHT)
    return t


def and_part(have, want):
    """The value with only bits of `have` nearest to `want`, channel by channel."""
    out = 0
    for shift in (16, 8, 0):
        h, w = (have >> shift) & 255, (want >> shift) & 255
        out |= min((v for v in range(256) if v & h == v), key=lambda v: abs(v - w)) << shift
    return out


def water_second():
    base = water()
    t = Picture(20, 20)
    for x, y, want in SHIMMER:
        t.set(x, y, and_part(base.get(x, y), want))
    return t


def terrain_sheet():
    s = Picture(80, 40)
    for i, tile in enumerate((grass(), earth(), tree(), water())):
        s.paste(tile, 20 * i, 0)
    s.paste(Picture(20, 20, BLACK), 0, 20)
    s.paste(water_second(), 60, 20)
    return s


# ---------------------------------------------------------------- panels

PARCHMENT = 0xE6D3A6
INK = 0x6E4E26


def parchment(w, h, seed):
    rng = random.Random(seed)
    p = Picture(w, h)
    # Fibres: faint horizontal streaks over a grainy ground, darker towards the edges.
    streak = [rng.uniform(-6, 6) for _ in range(h)]
    for y in range(h):
        for x in range(w):
            edge = min(x, y, w - 1 - x, h - 1 - y)
            burn = max(0.0, 1 - edge / 14.0) ** 2 * 40
            v = streak[y] + rng.uniform(-5, 5) - burn
            r, g, b = rgb(PARCHMENT)
            p.set(x, y, pack(r + v, g + v, b + v * 1.2))
    for _ in range(w * h // 900):  # age spots
        cx, cy, rad = rng.uniform(0, w), rng.uniform(0, h), rng.uniform(2, 6)
        for y in range(int(cy - rad), int(cy + rad) + 1):
            for x in range(int(cx - rad), int(cx + rad) + 1):
                if 0 <= x < w and 0 <= y < h and math.hypot(x - cx, y - cy) < rad:
                    p.set(x, y, shade(p.get(x, y), 0.96))
    return p


def frame(p, x0, y0, x1, y1, color=INK, double=True):
    for x in range(x0, x1 + 1):
        p.set(x, y0, color)
        p.set(x, y1, color)
    for y in range(y0, y1 + 1):
        p.set(x0, y, color)
        p.set(x1, y, color)
    if double:
        frame(p, x0 + 3, y0 + 3, x1 - 3, y1 - 3, shade(color, 1.35), double=False)


def diamond(p, cx, cy, r, color):
    for y in range(cy - r, cy + r + 1):
        for x in range(cx - r, cx + r + 1):
            if abs(x - cx) + abs(y - cy) <= r:
                p.set(x, y, color)


def divider(p, x0, x1, y):
    for x in range(x0, x1 + 1):
        p.set(x, y, INK)
        p.set(x, y + 2, shade(INK, 1.4))
    cx = (x0 + x1) // 2
    diamond(p, cx, y + 1, 4, INK)
    diamond(p, cx, y + 1, 2, 0xB03020)


def crossed_swords(p, cx, cy, size):
    """Two swords crossed over a round shield: the panel's crest."""
    for y in range(cy - size, cy + size + 1):
        for x in range(cx - size, cx + size + 1):
            d = math.hypot(x - cx, y - cy)
            if d <= size * 0.62:
                p.set(x, y, 0x8C2A22 if d < size * 0.55 else 0x5A3A18)
                if d < size * 0.2:
                    p.set(x, y, 0xD8A838)
    for sign in (1, -1):
        for t in range(-size, size + 1):
            x = cx + t
            y = cy + sign * t
            blade = 0xC8CED6 if t > -size * 0.55 else 0x6A4420
            for w in (-1, 0, 1):
                p.set(x + w, y, blade)
            p.set(x, y + 1, shade(blade, 0.7))
        # Cross-guard: a short bar across the blade, above the grip.
        t0 = -int(size * 0.55)
        gx, gy = cx + t0, cy + sign * t0
        for k in range(-4, 5):
            p.set(gx + k, gy - sign * k, 0xD8A838)
            p.set(gx + k + 1, gy - sign * k, 0xB08020)


def right_panel():
    p = parchment(120, 500, 21)
    frame(p, 2, 2, 117, 497)
    crossed_swords(p, 60, 58, 30)
    divider(p, 14, 105, 104)
    # The inspection lines are written at y 120 to 200: keep that area plain
    # and lightly framed so the text reads well.
    for y in range(113, 212):
        for x in range(6, 114):
            p.set(x, y, mix(p.get(x, y), 0xF4E8C8, 0.55))
    frame(p, 5, 112, 114, 212, shade(INK, 1.2), double=False)
    divider(p, 14, 105, 468)
    return p


def compass(p, cx, cy, r):
    for y in range(cy - r, cy + r + 1):
        for x in range(cx - r, cx + r + 1):
            d = math.hypot(x - cx, y - cy)
            if abs(d - r + 2) < 0.8 or abs(d - r * 0.55) < 0.6:
                p.set(x, y, mix(p.get(x, y), INK, 0.6))
    for k in range(8):
        a = k * math.pi / 4
        length = r if k % 2 == 0 else r * 0.6
        for i in range(int(length)):
            for w in (-1, 0, 1) if k % 2 == 0 else (0,):
                x = int(round(cx + math.cos(a) * i - math.sin(a) * w * (1 - i / length)))
                y = int(round(cy + math.sin(a) * i + math.cos(a) * w * (1 - i / length)))
                p.set(x, y, 0xA83222 if k == 6 else INK)


def bottom_panel():
    p = parchment(600, 100, 22)
    frame(p, 2, 2, 597, 97)
    # A dark wooden frame around the portrait, which sits at (8, 7), 87 x 87.
    for y in range(4, 97):
        for x in range(5, 98):
            if not (8 <= x < 95 and 7 <= y < 94):
                p.set(x, y, 0x4A2E14 if (x + y) % 7 else 0x5E3C1C)
    compass(p, 548, 50, 36)
    return p


# ---------------------------------------------------------------- portrait and icons

# The portrait: an adventurer in a closed helm and a red cloak, a sword's hilt
# over the shoulder; the face is hidden, so it fits any player. Shapes are
# painted back to front with three or four flat tones each, lit from the
# top-left like the figures.
STEEL_TONES = [0x4A5260, 0x6A7482, 0x9AA4B0, 0xC8D0DA, 0xE8ECF2]
CLOAK_TONES = [0x4A0E0E, 0x701818, 0xB02828, 0xD04A3A]
GOLD_TONES = [0x7A5410, 0xA87818, 0xE0B030, 0xF4D870]
PORTRAIT_CX = 42.5


def tone(tones, lit):
    """One of the flat tones for a light value in [-1, 1]."""
    return tones[max(0, min(len(tones) - 1, int((lit + 1) / 2 * len(tones))))]


def paint(p, inside, color_at):
    for y in range(p.h):
        for x in range(p.w):
            if inside(x + 0.5, y + 0.5):
                p.set(x, y, color_at(x + 0.5, y + 0.5))


def portrait_background(p):
    # A warm glow behind the head on dark wood brown, in bands with a
    # checkered step between them, like the panels' ink and frame.
    tones = [0x24160C, 0x36220F, 0x4A3018, 0x5E4024, 0x74532F]
    for y in range(p.h):
        for x in range(p.w):
            v = 4.6 - math.hypot(x - PORTRAIT_CX, (y - 34) * 1.1) / 11
            v += 0.5 if (x + y) % 2 else 0.0
            p.set(x, y, tones[max(0, min(4, int(v)))])


def sword_hilt(p):
    # Slung on the back: the hilt shows over the left shoulder, tilted.
    ax, ay, dx, dy = 71.0, 9.0, -0.26, 0.97

    def along(x, y):
        return (x - ax) * dx + (y - ay) * dy, (x - ax) * dy - (y - ay) * dx

    def part(t0, t1, half):
        return lambda x, y: t0 <= along(x, y)[0] <= t1 and abs(along(x, y)[1]) <= half

    paint(p, part(20, 70, 3.2), lambda x, y: 0x3A2210 if along(x, y)[1] > 1.2 else 0x5A3418)   # scabbard
    paint(p, part(3, 18, 2.0),                                                                   # wrapped grip
          lambda x, y: 0x4A2C14 if int(along(x, y)[0]) % 3 == 0 else 0x8A5A2C)
    paint(p, part(17.5, 20.5, 9.5),                                                              # cross-guard
          lambda x, y: GOLD_TONES[3 if along(x, y)[0] < 18.6 else (1 if along(x, y)[0] > 19.6 else 2)])
    paint(p, lambda x, y: math.hypot(x - ax, y - ay) <= 3.6,                                     # pommel
          lambda x, y: tone(GOLD_TONES, -((x - ax) + (y - ay)) / 3.6 * 0.8))


def cloak(p):
    cx = PORTRAIT_CX

    def inside(x, y):
        # Shoulders, and a collar standing up on both sides of the helm.
        shoulders = ((x - cx) / 46) ** 2 + ((y - 100) / 40) ** 2 <= 1
        collar = any(math.hypot(x - cx - s * 15, y - 64) <= 10 for s in (-1, 1))
        return shoulders or collar

    def color(x, y):
        lit = -(x - cx) / 40 + (0.3 if y < 70 else 0.0)
        for fold in (-27, -13, 13, 27):        # folds falling from the shoulders
            if y > 70 and 0 <= x - cx - fold < 1:
                return CLOAK_TONES[0 if fold > 0 else 1]
            if y > 72 and 1 <= x - cx - fold < 2:
                lit += 0.5
        return tone(CLOAK_TONES, lit)
    paint(p, inside, color)
    # The opening in front shows the tunic, edged with gold.
    opening = lambda x, y: y >= 66 and abs(x - cx) <= (y - 66) * 0.55
    paint(p, opening, lambda x, y: 0xE0B030 if abs(x - cx) > (y - 66) * 0.55 - 1.2
          else (0x4A78D0 if x < cx - 2 else (0x2E56B0 if x < cx + 3 else 0x1E3C80)))
    paint(p, lambda x, y: math.hypot(x - cx, y - 66) <= 4.6,                                   # brooch
          lambda x, y: 0x7A1010 if math.hypot(x - cx, y - 66) < 2 else tone(GOLD_TONES, -((x - cx) + (y - 66)) / 4.6))


def helm(p):
    cx = PORTRAIT_CX

    def half_width(y):
        return 20.5 - max(0.0, y - 47) * 0.55

    def inside(x, y):
        if y < 32:
            return ((x - cx) / 20.5) ** 2 + ((y - 32) / 22) ** 2 <= 1
        return y <= 60 and abs(x - cx) <= half_width(y)

    def color(x, y):
        # Polished steel: a bright streak left of the middle, the right side in shade.
        nx = (x - cx) / half_width(max(y, 32))
        i = 3 if -0.8 < nx < -0.1 else (1 if nx > 0.45 else 2)
        if -0.6 < nx < -0.4:
            i = 4
        if y < 32 and (y - 32) / 22 < -0.75:
            i = min(4, i + 1)
        return STEEL_TONES[0 if nx > 0.88 else i]
    paint(p, inside, color)
    paint(p, lambda x, y: y < 33 and inside(x, y) and abs(x - cx) < 1.5,                          # crest ridge
          lambda x, y: STEEL_TONES[4] if x < cx else STEEL_TONES[1])
    paint(p, lambda x, y: 33 <= y < 37 and inside(x, y),                                         # brow band
          lambda x, y: GOLD_TONES[3 if y < 34 else (0 if y >= 36 else (2 if x < cx + 8 else 1))])
    for rx in range(-17, 18, 6):
        p.set(int(cx + rx), 35, GOLD_TONES[0])                                                     # its rivets
    slit = lambda x, y: 40 <= y < 43 and abs(x - cx) <= half_width(y) - 3
    paint(p, slit, lambda x, y: 0x140E10)                                                          # eye slit
    paint(p, lambda x, y: y < 44 and slit(x, y - 1) and not slit(x, y), lambda x, y: STEEL_TONES[4])
    paint(p, lambda x, y: 43 <= y < 55 and abs(x - cx) < 1.5, lambda x, y: 0x140E10)                # breathing slot
    for side in (-1, 1):                                                                           # and holes
        for hy in (47, 51, 55):
            for hx in (8, 12):
                p.set(int(cx + side * hx), hy, 0x140E10)
    paint(p, lambda x, y: inside(x, y) and not inside(x, y + 1.5), lambda x, y: STEEL_TONES[0])    # chin rim


def portrait():
    p = Picture(85, 85)
    portrait_background(p)
    sword_hilt(p)
    cloak(p)
    helm(p)
    for y in range(p.h):                       # a thin dark border
        for x in range(p.w):
            if x in (0, p.w - 1) or y in (0, p.h - 1):
                p.set(x, y, 0x1A120A)
    return p


def scaled(fig, factor, background):
    s = Picture(fig.w * factor, fig.h * factor, background)
    for y in range(fig.h):
        for x in range(fig.w):
            c = fig.get(x, y)
            if c != WHITE:
                for v in range(factor):
                    for u in range(factor):
                        s.set(x * factor + u, y * factor + v, c)
    return s


def game_icon():
    """The hero's face, cut from the portrait."""
    face = portrait()
    out = Picture(64, 64, 0x3A2410)
    for y in range(60):
        for x in range(60):
            out.set(2 + x, 2 + y, face.get(12 + x, 4 + y))
    return out


def editor_icon():
    out = Picture(64, 64, 0x3A2410)
    tiles = [grass(), earth(), tree(), water()]
    for i in range(9):
        out.paste(tiles[(i * 7 + i // 3) % 4], 2 + 20 * (i % 3), 2 + 20 * (i // 3))
    fig = hero(4)
    for y in range(20):
        for x in range(20):
            if fig.get(x, y) != WHITE:
                out.set(22 + x, 22 + y, fig.get(x, y))
    for i in range(30):                        # a quill across the corner
        x, y = 34 + i, 62 - i
        for w in range(-1, 2):
            out.set(x + w, y, 0xF0E6C8 if i > 6 else 0x2A2A2A)
    return out


def palette_icon(tile, fig=None):
    p = Picture(20, 20)
    p.paste(tile, 0, 0)
    if fig is not None:
        for y in range(20):
            for x in range(20):
                if fig.get(x, y) != WHITE:
                    p.set(x, y, fig.get(x, y))
    return p


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "assets", "pictures")
    os.makedirs(out, exist_ok=True)
    pictures = {
        "terrenos": terrain_sheet(),
        "yo": sheet(hero),
        "enemigo0": sheet(turned(blot, same_every_row=True)),
        "enemigo1": sheet(turned(rat)),
        "enemigo2": sheet(turned(sheep)),
        "sangre": blood(),
        "resp": Picture(600, 400),
        "bco": Picture(20, 20),
        "derecha": right_panel(),
        "abajo": bottom_panel(),
        "persona": portrait(),
        "icono_juego": game_icon(),
        "icono_editor": editor_icon(),
    }
    tiles = [grass(), earth(), tree(), water()]
    for i, name in enumerate(("pasto", "tierra", "arbol", "agua")):
        pictures["paleta_" + name] = tiles[i]
    # Palette figures face down-right, as the editor draws them, on plain grass.
    pictures["paleta_jugador"] = palette_icon(tiles[0], hero(4))
    for kind, shapes in enumerate((blot, rat, sheep)):
        pictures["paleta_enemigo%d" % kind] = palette_icon(tiles[0], render_figure(shapes(4), 4, kind == 0))
    for name, pic in pictures.items():
        pic.save(os.path.join(out, name + ".png"))
        if name.startswith("icono_"):
            save_ico(pic, os.path.join(out, name + ".ico"))
    print("wrote %d pictures to %s" % (len(pictures), os.path.normpath(out)))


if __name__ == "__main__":
    main()
