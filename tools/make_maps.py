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

import math
import os
import random
import sys
from collections import deque

GRASS, EARTH, TREE, WATER = 0, 1, 2, 3
SIGHT = 4  # enemies see the hero this many cells away, on both axes
NEAR = 2   # every enemy stands at most this far from a path


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

    def scatter(self, x0, y0, x1, y1, density, seed):
        """Trees dotted over the grass of a rectangle, the same every run."""
        rng = random.Random(seed)
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                if rng.random() < density and 0 <= x < self.w and 0 <= y < self.h \
                        and self.cells[y][x] == GRASS:
                    self.cells[y][x] = TREE

    def place(self, kind, spots):
        """Enemies, each on a spot of open ground (a tree there is felled)."""
        for x, y in spots:
            if self.cells[y][x] == TREE:
                self.cells[y][x] = GRASS
            self.units.append((x, y, kind))

    def along(self, points, kinds, gap, first):
        """Enemies of the given kinds ("m", "r", "s") every `gap` cells along a
        path through `points`, the first `first` cells in."""
        cells = []
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            steps = max(abs(x1 - x0), abs(y1 - y0), 1)
            cells += [(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps))
                      for i in range(1 if cells else 0, steps + 1)]
        self.units += [cells[first + gap * i] + ("mrs".index(k),) for i, k in enumerate(kinds)]

    def open(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h and self.cells[y][x] in (GRASS, EARTH)

    def check(self):
        """What the campaign promises a player; the faults found, all of them."""
        faults = []

        def need(ok, fault):
            if not ok:
                faults.append(fault)
        need(40 <= self.w <= 80 and 30 <= self.h <= 60, "size")
        sx, sy = self.start
        need(self.open(sx, sy), "start on blocked ground")
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
        need(len(self.units) <= 101, "more than 101 enemies")
        cells = set()
        for x, y, kind in self.units:
            where = "%s at %d,%d" % ("mrs"[kind], x, y)
            need((x, y) not in cells and (x, y) != self.start, "two things on " + where)
            cells.add((x, y))
            need(self.open(x, y) and (x, y) in seen, "out of reach: " + where)
            # Room to heal at the start: enemies see 4 cells, and walk.
            need(max(abs(x - sx), abs(y - sy)) > SIGHT * 2, "too near the start: " + where)
            # The last enemies are found by walking the paths, not by sweeping the map.
            need(any(self.cells[y + dy][x + dx] == EARTH
                     for dy in range(-NEAR, NEAR + 1) for dx in range(-NEAR, NEAR + 1)
                     if 0 <= x + dx < self.w and 0 <= y + dy < self.h), "far from a path: " + where)
        sheep = [(x, y) for x, y, kind in self.units if kind == 2]
        for i, (x, y) in enumerate(sheep):
            for ox, oy in sheep[i + 1:]:
                need(max(abs(x - ox), abs(y - oy)) > SIGHT * 2, "two sheep fought at once at %d,%d" % (x, y))
        return faults

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
    """Level 0: a meadow with a pond, a path round it, blots only."""
    m = Level(40, 30, "0")
    m.border(1)
    m.scatter(1, 1, 38, 3, 0.3, 1)
    m.scatter(1, 1, 3, 28, 0.3, 2)
    m.blob(22, 12, 5, 3.2, WATER)
    m.blob(19, 12, 2, 1.5, WATER)
    loop = [(12, 25), (18, 21), (27, 20), (34, 18), (35, 11), (32, 6), (23, 5), (14, 6), (8, 9),
            (7, 15), (9, 21), (12, 25)]
    m.path([(3, 25)] + loop, width=2)
    m.path([(27, 20), (29, 26), (36, 27)])  # down to the orchard
    m.path([(14, 6), (13, 12), (15, 16)])   # along the pond
    m.trees([(30, 24), (32, 24), (34, 24), (31, 26), (33, 26), (35, 25), (6, 22), (5, 23),
             (15, 21), (24, 17), (25, 17), (11, 12), (30, 13), (31, 12), (28, 8), (17, 8)])
    m.blob(36, 4, 1.5, 1.2, TREE)
    m.start = (4, 25)
    m.place(0, [(18, 20), (25, 21), (33, 19), (30, 26), (36, 13), (33, 7), (26, 5), (19, 6),
                (12, 7), (8, 11), (7, 15), (14, 14), (36, 28), (14, 18)])
    return m


def river():
    """Level 1: a river with two fords. Blots on the near bank, rats among
    blots across it."""
    m = Level(60, 44, "1")
    m.border(1)
    for y in range(1, 43):  # the river winds from north to south
        cx = 30 + int(3 * math.sin(y / 6.0))
        for x in range(cx - 2, cx + 2):
            m.set(x, y, WATER)
    m.path([(3, 38), (14, 38), (22, 32), (40, 32), (48, 26), (51, 17), (45, 10), (18, 10),
            (10, 17), (11, 28), (14, 38)], width=2)
    m.path([(48, 26), (55, 36)])
    m.path([(45, 10), (52, 4)])
    m.path([(11, 28), (4, 28)])
    m.path([(51, 17), (57, 23)])
    m.path([(40, 32), (38, 41)])
    m.path([(10, 17), (4, 12)])
    m.scatter(36, 12, 50, 30, 0.12, 3)   # a wood on the far bank
    m.scatter(2, 1, 26, 8, 0.25, 4)
    m.scatter(2, 12, 8, 26, 0.25, 5)
    m.blob(42, 38, 4, 2.5, WATER)
    m.blob(18, 20, 3, 2.5, WATER)
    m.start = (4, 38)
    m.place(0, [(16, 35), (21, 31), (12, 24), (9, 17), (15, 11), (22, 9), (38, 33), (46, 28),
                (51, 20), (50, 12), (40, 11), (53, 34)])
    m.place(1, [(24, 31), (35, 34), (50, 24), (48, 15), (44, 9), (52, 5), (32, 11), (25, 11),
                (5, 27), (11, 26), (57, 23), (37, 41), (4, 12)])
    return m


def forest():
    """Level 2, the last: a forest round a lake. Blots and rats along the
    paths; a sheep at the end of each path north, in its own clearing."""
    m = Level(80, 60, "2")
    m.border(1)
    m.scatter(1, 1, 78, 58, 0.45, 6)
    for cx, cy, rx, ry in [(10, 52, 6, 5), (14, 5, 4, 3), (33, 4, 4, 3), (54, 4, 4, 3),
                           (74, 8, 4, 3), (70, 44, 6, 5), (44, 52, 6, 4), (24, 34, 5, 4)]:
        m.blob(cx, cy, rx, ry, GRASS)  # clearings
    m.blob(42, 29, 15, 10, GRASS)
    m.blob(42, 29, 12, 8, WATER)   # the lake, with a shore to walk
    east = [(4, 55), (10, 52), (24, 52), (44, 52), (60, 48), (70, 44), (74, 30), (70, 16),
            (54, 13)]
    west = [(4, 55), (10, 52), (10, 40), (8, 24), (14, 14), (33, 13), (54, 13)]
    m.path(east, width=2)
    m.path(west, width=2)
    m.path([(24, 52), (24, 34), (30, 29)], width=2)
    m.path([(60, 48), (56, 36)])
    for spur in [[(14, 14), (14, 5)], [(33, 13), (33, 4)], [(54, 13), (54, 4)], [(70, 16), (74, 8)]]:
        m.path(spur)
    m.start = (4, 55)
    m.along(east, "mmrmrmrrmrmr", 8, 16)
    m.along(west, "mmrmrmrmr", 8, 16)
    m.along([(24, 52), (24, 34), (30, 29)], "rmr", 8, 8)
    m.place(2, [(14, 5), (33, 4), (54, 4), (74, 8)])
    return m


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    out = args[0] if args else os.path.join(os.path.dirname(__file__), "..", "assets", "mapas")
    os.makedirs(out, exist_ok=True)
    for name, level in (("default", meadow()), ("mapa1", river()), ("mapa2", forest())):
        if "--show" in sys.argv:
            print(name)
            level.show()
        faults = level.check()
        if faults:
            sys.exit("%s.mapa:\n  %s" % (name, "\n  ".join(faults)))
        with open(os.path.join(out, name + ".mapa"), "w", newline="") as f:
            f.write(level.text())
    print("wrote the campaign to %s" % os.path.normpath(out))


if __name__ == "__main__":
    main()
