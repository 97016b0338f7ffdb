"""The Windows game under Wine: its window, a new hero, the first map, a step, a box and a held key;
a character named so that Windows would reach another one's file; and the keys acting on play
after every box and dialog with no click."""

import os, time  # noqa: E401

from wine import Session, picture, wait_for

FIGURES = picture("yo")


def hero(shot, x0, y0):
    """The field cell (column, row) and facing of the hero, by the pixels his mask covers."""
    for d in range(8):
        figure, mask = FIGURES.block(0, 20 * d), FIGURES.block(20, 20 * d)
        covered = [(j, i) for j in range(20) for i in range(0, 60, 3) if mask[j][i:i + 3] == b"\0\0\0"]
        for cy in range(20):
            for cx in range(30):
                cell = shot.block(x0 + 20 * cx, y0 + 20 * cy)
                if all(cell[j][i:i + 3] == figure[j][i:i + 3] for j, i in covered):
                    return cx, cy, d
    return None


with Session("game") as s:
    print("start to window shown under Wine: %.3f s" % s.start(
        "TarnwickQuest.exe", "Tarnwick quest 1.0", 720, 526, "derecha", (600, 0)))
    assert s.shot().block(s.x0 + 200, s.y0 + 400, 100, 20) == picture("abajo").block(200, 0, 100, 20), "bottom panel"

    s.menu(0)  # "Jugador Nuevo"
    s.dialog("Save As", s.windows_path("personajes", "Hugo"))
    saved = os.path.join(s.bin, "personajes", "Hugo")
    wait_for("the new hero's file", lambda: os.path.exists(saved))
    assert open(saved).read() == "Hugo,1,0,", open(saved).read()

    s.menu(3)  # "Cargar mapa"
    s.dialog("Open", s.windows_path("mapas", "default.mapa"))
    start = wait_for("the hero on the field", lambda: hero(s.shot(), s.x0, s.y0))
    s.keys("keydown", "Right", "sleep", "0.4", "keyup", "Right")
    moved = wait_for("the hero to step right", lambda: (h := hero(s.shot(), s.x0, s.y0)) and h[:2] != start[:2] and h)
    assert moved[0] > start[0] and moved[1] == start[1], "from %s to %s" % (start, moved)
    if cpu := s.idle(30, "TarnwickQuest.exe"):
        print("idle play under Wine, 10 ticks a second: %.2f %% of one core over %.0f s, "
              "the game's process and the wineserver together" % cpu)

    # Space held as a box opens ("Controles", picked with the mouse so that
    # Space goes on repeating) neither answers it with its repeats nor when it is let go.
    s.keys("keydown", "space")
    s.click(69, -10)  # "Ayuda", in the menu bar above the client area
    s.click(89, 10)
    s.window("Juego")
    time.sleep(1.2)  # well into autorepeat
    s.xdotool("keyup", "space")
    time.sleep(0.5)
    assert s.shown("Juego"), "a held Space answered the box"
    s.dialog("Juego")

    # "x." is the file of "x" on Windows: loaded from a file of its own and
    # saved, it is refused with the rule it breaks, and "x" stays as it was.
    other = os.path.join(s.bin, "personajes", "x")
    open(other, "w").write("x,7,0,")
    open(os.path.join(s.bin, "fuera"), "w").write("x.,3,0,")
    s.menu(2)  # "Cargar jugador"
    s.dialog("Open", s.windows_path("fuera"))
    s.menu(1)  # "Guardar"
    said = s.box_text("Juego")
    assert said == "El nombre del personaje no puede terminar en punto ni en espacio.", said
    s.dialog("Juego")
    assert open(other).read() == "x,7,0,", open(other).read()

    # After each file dialog and box the arrows and Space act on play again with no
    # click: the keys go wherever the keyboard is, as a player's do. A tap is one
    # step. The menus are opened with the mouse, whose clicks come before the dialogs.
    def tap(key, want):
        s.xdotool("key", key)
        wait_for("a step %s to %s" % (key, want), lambda: (h := hero(s.shot(), s.x0, s.y0)) and h[:2] == want)

    open(os.path.join(s.bin, "mapas", "teclas.mapa"), "w").write(
        "30,20/inf//fin/%s/fin/5,5/fin/15,5:0/unit//fin/" % ("0," * 600))
    s.click(25, -10)  # "Archivo"
    s.click(40, 44)  # "Cargar jugador", which empties the field
    s.dialog("Open", s.windows_path("personajes", "Hugo"), focus=False)
    s.click(25, -10)
    s.click(40, 61)  # "Cargar mapa"
    s.dialog("Open", s.windows_path("mapas", "teclas.mapa"), focus=False)
    tap("Down", (5, 6))
    s.click(69, -10)  # "Ayuda"
    s.click(89, 10)  # "Controles"
    s.dialog("Juego", focus=False)
    tap("Up", (5, 5))
    # Arrows pressed in an open menu walk the menu, not the hero.
    s.click(25, -10)  # "Archivo"
    s.xdotool("sleep", "0.5", *["key", "Down", "sleep", "0.3"] * 2, *["key", "Escape", "sleep", "0.3"] * 2)
    assert hero(s.shot(), s.x0, s.y0)[:2] == (5, 5), "arrows in a menu walked the hero"
    s.xdotool("keydown", "Right", "space")
    wait_for("the kill", lambda: s.shown("Juego"), timeout=30)
    s.xdotool("keyup", "Right", "space")
    said = s.box_text("Juego")
    assert said == "Has terminado el nivel!\nGuardado con éxito!", said
    s.dialog("Juego", focus=False)
    x, y, _ = hero(s.shot(), s.x0, s.y0)
    tap("Left", (x - 1, y))
