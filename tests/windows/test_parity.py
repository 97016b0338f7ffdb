"""One program on two platforms: the same states shown by the Linux window (Qt, Xvfb) and the
Windows window (Wine, Xvfb) give the same picture. Everything but the labels' text is compared
pixel for pixel; each label's first text pixel (its topmost, then leftmost) must stand at the same
place, whatever glyphs the two fonts draw."""

import os, sys, time  # noqa: E401

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "e2e"))
import harness  # noqa: E402
import wine  # noqa: E402
from wine import Picture, picture, wait_for  # noqa: E402

GAME, EDITOR = (720, 526), (714, 428)
# The editor's palette buttons and the cells painted with them.
TREE, WATER, PLAYER = (644, 76), (676, 76), (660, 140)
STROKES = [(TREE, [(2, 3), (3, 3)]), (WATER, [(6, 2), (7, 2), (6, 3)]), (PLAYER, [(4, 8)])]


class Shot:
    """The client area of a window, cut from a screenshot."""

    def __init__(self, whole, x0, y0, size):
        self.w, self.h = size
        self.rgb = b"".join(whole.rgb[((y0 + y) * whole.w + x0) * 3:((y0 + y) * whole.w + x0 + self.w) * 3]
                            for y in range(self.h))

    def at(self, x, y):
        return self.rgb[(y * self.w + x) * 3:(y * self.w + x) * 3 + 3]


def background(program):
    """What a label's box shows under its text: the panels' pictures or the strip's black in the
    game, the window's grey in the editor."""
    if program == "editor":
        return lambda x, y: b"\xf0\xf0\xf0"
    right, bottom = picture("derecha"), picture("abajo")
    return lambda x, y: (b"\0\0\0" if y >= 500 else right.block(x - 600, y, 1, 1)[0] if x >= 600
                         else bottom.block(x, y - 400, 1, 1)[0])


def first_text_pixel(shot, box, under):
    x, y, w, h = box
    return next(((i, j) for j in range(y, y + h) for i in range(x, x + w) if shot.at(i, j) != under(i, j)), None)


def differences(a, b, boxes):
    """Pixels outside every label's box that differ, as (count, bounding box)."""
    inside = lambda x, y: any(bx <= x < bx + bw and by <= y < by + bh for bx, by, bw, bh in boxes.values())  # noqa: E731
    diff = [(x, y) for y in range(a.h) for x in range(a.w) if a.at(x, y) != b.at(x, y) and not inside(x, y)]
    if not diff:
        return None
    xs, ys = [p[0] for p in diff], [p[1] for p in diff]
    return len(diff), (min(xs), min(ys), max(xs), max(ys))


def linux_states():
    """Each state's pictures (the water shimmers: all that showed over two seconds) and the labels' boxes."""
    states = {}

    def take(s, name, size, seconds=2.0):
        seen = []
        for _ in range(int(seconds / 0.1)):
            shot = Shot(Picture("x:root"), *s.origin, size)
            if all(shot.rgb != o.rgb for o in seen):
                seen.append(shot)
            time.sleep(0.1)
        boxes = {}
        for n in s.nodes("label"):
            if n.description:
                x, y, w, h = n.queryComponent().getExtents(harness.pyatspi.DESKTOP_COORDS)
                boxes[n.description] = (x - s.origin[0], y - s.origin[1], w, h)
        states[name] = seen, boxes

    with harness.Session("parity-linux") as s:
        s.start("TarnwickQuest")
        take(s, "game at start-up", GAME)
        s.play([("press", "Jugador Nuevo"), ("dialog", "Hugo"), ("press", "Cargar mapa"),
                ("dialog", s.maps + "default.mapa"), ("label", "exy", "Persona (4,25)")])
        take(s, "game after Cargar mapa", GAME)
        # West until the trees stop him: where he ends does not depend on the timing.
        s.play([("keys", "keydown", "Left", "sleep", "1.0", "keyup", "Left"), ("label", "exy", "Persona (1,25)")])
        take(s, "game after a walk", GAME)
        s.press("Salir")
        wait_for("the game to end", lambda: s.program.poll() is not None)

        s.start("TarnwickEdit")
        s.play([("press", "Nuevo"), ("press", "Crear", "push button"), ("label", "mapcap", "Mapa (0,0)")])
        for tool, cells in STROKES:
            s.click(*tool)
            for k, r in cells:
                s.click(20 * k + 10, 20 * r + 10)
        s.play([("label", "mousecap", "Mouse (4,8)")])
        take(s, "editor with a map painted", EDITOR, 0.5)
    return states


def compare(name, program, linux, shot):
    """None if the Windows shot is one of the Linux pictures of the state; else what differs
    from the nearest of them."""
    pictures, boxes = linux
    under = background(program)
    faults = []
    for want in pictures:
        diff = differences(want, shot, boxes)
        moved = {label: (first_text_pixel(want, box, under), first_text_pixel(shot, box, under))
                 for label, box in boxes.items()}
        moved = {label: p for label, p in moved.items() if p[0] != p[1]}
        if not diff and not moved:
            return None
        faults.append(((diff or (0,))[0], "%s: pixels outside the labels that differ (count, bounds): %s; labels "
                       "whose first text pixel moved (Linux, Windows): %s" % (name, diff, moved)))
    return min(faults)[1]


def windows_matches(s, name, program, linux, size):
    """Waits up to three seconds for the Windows window to show the state; prints what it found."""
    fault = None

    def same():
        nonlocal fault
        whole = Picture("x:" + s.main)
        fault = compare(name, program, linux[name], Shot(whole, s.x0, s.y0, size))
        return fault is None
    try:
        wait_for(name, same, timeout=3)
    except AssertionError:
        raise AssertionError(fault) from None
    pictures, boxes = linux[name]
    firsts = {label: first_text_pixel(pictures[0], box, background(program)) for label, box in boxes.items()}
    print("parity, %s: %dx%d pixels identical but for the glyphs; labels' first text pixels %s" % (
        name, size[0], size[1], sorted((label, p) for label, p in firsts.items() if p)))


linux = linux_states()
with wine.Session("parity") as s:
    s.start("TarnwickQuest.exe", "Tarnwick quest 1.0", *GAME, "derecha", (600, 0))
    windows_matches(s, "game at start-up", "game", linux, GAME)
    s.menu(0)  # "Jugador Nuevo"
    s.dialog("Save As", s.windows_path("personajes", "Hugo"))
    s.menu(3)  # "Cargar mapa"
    s.dialog("Open", s.windows_path("mapas", "default.mapa"))
    windows_matches(s, "game after Cargar mapa", "game", linux, GAME)
    s.keys("keydown", "Left", "sleep", "1.0", "keyup", "Left")
    windows_matches(s, "game after a walk", "game", linux, GAME)
    s.menu(4)  # "Salir"
    wait_for("the game to end", lambda: not s.shown("Tarnwick quest 1.0"))

    s.start("TarnwickEdit.exe", "Tarnwick Editor", *EDITOR, "paleta_pasto", (634, 34))
    s.menu(0)  # "Nuevo": the proposed 30 x 20
    s.dialog("Nuevo Mapa")
    for tool, cells in STROKES:
        s.click(*tool)
        for k, r in cells:
            s.click(20 * k + 10, 20 * r + 10)
    windows_matches(s, "editor with a map painted", "editor", linux, EDITOR)
