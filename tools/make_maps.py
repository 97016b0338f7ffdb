#!/usr/bin/env python3
"""Builds the shipped campaign: default.mapa (level 0), mapa1.mapa, mapa2.mapa.

    tools/make_maps.py [output folder] [--show]     (default: assets/mapas)

Each level is laid out from a few designed features (a tree border, paths,
lakes and rivers, groves) and hand-placed enemies, then checked: the hero's
start is open ground, every enemy stands on open ground that the hero can
walk to, and no two things share a cell. --show prints each map as text.

Ground: 0 grass, 1 earth, 2 tree, 3 water. Enemies: 0 "Mancha asesina",
1 "Rata voladora" (flies), 2 "Borrego mutante".
"""

import os
import sys
from collections import deque

GRASS, EARTH, TREE, WATER = 0, 1, 2, 3


class Level:
    def __init__(self, w, h, number):
        self.w, self.h, self.number = w, h, number
        self.cells = [[GRASS] * w for _ in range(h)]
        self.start = None
        self.units = []  # (x, y, kind)

    def set(self, x, y, t):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.cells[y][x] = t

    def border(self, thickness=1):
        for y in range(self.h):
            for x in range(self.w):
                if min(x, y, self.w - 1 - x, self.h - 1 - y) < thickness:
                    self.cells[y][x] = TREE

    def path(self, points, width=1, t=EARTH):
        """A path through the given points, straight legs, `width` cells wide."""
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            steps = max(abs(x1 - x0), abs(y1 - y0), 1)
            for i in range(steps + 1):
                x = round(x0 + (x1 - x0) * i / steps)
                y = round(y0 + (y1 - y0) * i / steps)
                for dy in range(width):
                    for dx in range(width):
                        self.set(x + dx, y + dy, t)

    def blob(self, cx, cy, rx, ry, t):
        for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
            for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
                if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1:
                    self.set(x, y, t)

    def trees(self, spots):
        for x, y in spots:
            self.set(x, y, TREE)

    def open(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h and self.cells[y][x] in (GRASS, EARTH)

    def check(self):
        sx, sy = self.start
        assert self.open(sx, sy), "start on blocked ground"
        seen = {(sx, sy)}
        queue = deque([(sx, sy)])
        while queue:
            x, y = queue.popleft()
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    n = (x + dx, y + dy)
                    if n not in seen and self.open(*n):
                        seen.add(n)
                        queue.append(n)
        cells = set()
        for x, y, kind in self.units:
            assert kind in (0, 1, 2)
            assert (x, y) not in cells and (x, y) != self.start, "two things on %d,%d" % (x, y)
            cells.add((x, y))
            assert self.open(x, y) and (x, y) in seen, "enemy out of reach at %d,%d" % (x, y)
        assert len(self.units) <= 101

    def text(self):
        out = ["%d,%d/inf/%s/fin/" % (self.w, self.h, self.number)]
        out.append("".join("%d," % t for row in self.cells for t in row))
        out.append("/fin/%d,%d/fin/" % self.start)
        out.append("".join("%d,%d:%d/unit/" % u for u in self.units))
        out.append("/fin/")
        return "".join(out)

    def show(self):
        marks = {(x, y): "mrs"[k] for x, y, k in self.units}
        marks[self.start] = "@"
        for y in range(self.h):
            print("".join(marks.get((x, y), ".,T~"[self.cells[y][x]]) for x in range(self.w)))


def meadow():
    """Level 0: a village meadow with a pond, guarded by blots only."""
    m = Level(40, 30, "0")
    m.border(1)
    m.trees([(1, y) for y in range(1, 29)] + [(38, y) for y in range(1, 29)])
    m.path([(3, 26), (10, 22), (18, 22), (22, 15), (30, 12), (36, 5)], width=2)
    m.path([(18, 22), (18, 27)], width=2)
    m.blob(28, 22, 5, 3.2, WATER)
    m.blob(9, 8, 3, 2.5, WATER)
    m.trees([(5, 14), (6, 14), (5, 15), (14, 4), (15, 4), (15, 5), (24, 5), (25, 6), (32, 18),
             (33, 17), (12, 17), (13, 17), (22, 27), (34, 26), (4, 4), (30, 2), (31, 3)])
    m.blob(14, 12, 2.2, 1.6, TREE)
    m.start = (4, 26)
    m.units = [(9, 21, 0), (14, 24, 0), (16, 17, 0), (21, 19, 0), (7, 11, 0), (12, 7, 0),
               (26, 14, 0), (33, 9, 0), (35, 4, 0), (20, 8, 0),
               (22, 23, 0), (28, 17, 0)]
    return m


def river():
    """Level 1: a river with two fords, a forest to the north. Rats and the first sheep."""
    m = Level(50, 36, "1")
    m.border(1)
    for y in range(1, 35):  # the river winds from north to south
        cx = 24 + int(4 * __import__("math").sin(y / 5.0))
        for x in range(cx - 2, cx + 2):
            m.set(x, y, WATER)
    m.path([(3, 30), (12, 30), (18, 24), (30, 24), (38, 18), (46, 18)], width=2)  # south ford
    m.path([(6, 8), (20, 8), (30, 8), (40, 4)], width=1)                          # north ford
    m.path([(12, 30), (8, 20), (6, 8)], width=1)
    m.path([(38, 18), (40, 30)], width=1)
    for x in range(4, 18, 3):  # the forest
        for y in range(2, 6):
            if (x + y) % 2 == 0:
                m.set(x, y, TREE)
    m.blob(38, 10, 3, 2, TREE)
    m.blob(42, 28, 3, 2.5, WATER)
    m.blob(10, 16, 2.5, 2, WATER)
    m.trees([(14, 20), (15, 20), (15, 21), (31, 30), (32, 30), (44, 8), (45, 9), (34, 14)])
    m.start = (3, 31)
    m.units = [(8, 27, 0), (14, 27, 0), (5, 17, 0), (9, 11, 0), (15, 8, 0), (17, 12, 0),
               (18, 28, 1), (19, 16, 1), (30, 20, 1), (33, 26, 1), (36, 6, 1),
               (30, 28, 0), (36, 22, 0), (44, 14, 0), (41, 22, 0),
               (45, 24, 2), (32, 11, 2)]
    return m


def marsh():
    """Level 2, the last: a marsh of lakes and islands, guarded by every kind."""
    import math
    m = Level(60, 40, "2")
    m.border(2)
    m.blob(18, 12, 7, 5, WATER)
    m.blob(40, 26, 9, 6, WATER)
    m.blob(48, 9, 4, 3, WATER)
    m.blob(12, 30, 4, 3, WATER)
    m.blob(40, 26, 3, 2, GRASS)  # an island in the big lake
    m.path([(4, 36), (12, 24), (26, 22), (30, 14), (44, 16), (54, 4)], width=2)
    m.path([(26, 22), (28, 34), (54, 35)], width=2)
    m.path([(30, 14), (24, 4), (8, 4)], width=1)
    m.path([(40, 18), (40, 26)], width=1)  # a causeway to the island
    for k in range(14):  # groves along the lakes
        a = k * 0.45
        m.set(int(18 + 9 * math.cos(a)), int(12 + 7 * math.sin(a)), TREE)
    m.trees([(34, 6), (35, 6), (35, 7), (52, 20), (53, 21), (52, 22), (6, 14), (7, 15), (22, 30),
             (23, 31), (46, 35), (47, 34), (56, 28), (55, 29)])
    m.start = (4, 36)
    m.units = [(8, 33, 0), (14, 36, 0), (6, 24, 0), (10, 20, 0), (16, 24, 1), (20, 20, 0),
               (28, 26, 2), (30, 30, 0), (24, 34, 1), (34, 34, 2), (44, 34, 0), (50, 33, 1),
               (54, 30, 2), (32, 18, 1), (28, 10, 0), (21, 6, 1), (11, 6, 0), (8, 9, 2),
               (38, 14, 0), (46, 14, 2), (52, 6, 1), (55, 12, 0), (40, 25, 2), (41, 27, 1),
               (36, 20, 0), (50, 24, 2)]
    return m


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    out = args[0] if args else os.path.join(os.path.dirname(__file__), "..", "assets", "mapas")
    os.makedirs(out, exist_ok=True)
    for name, level in (("default", meadow()), ("mapa1", river()), ("mapa2", marsh())):
        level.check()
        if "--show" in sys.argv:
            print(name)
            level.show()
        with open(os.path.join(out, name + ".mapa"), "w", newline="") as f:
            f.write(level.text())
    print("wrote the campaign to %s" % os.path.normpath(out))


if __name__ == "__main__":
    main()
