#!/usr/bin/python3
"""The game as a player meets it: a new character, a map, walking, a fight,
a quick save, maps that are corrupt or no files at all, and the next
numbered map."""

import os
import time

from harness import Session, check, expected_tile, field_tile, run, sheet, wait_for


def grass_map(number, hero, blots):
    cells = "0," * (40 * 30)
    units = "".join("%d,%d:0/unit/" % b for b in blots)
    return "40,30/inf/%s/fin/%s/fin/%d,%d/fin/%s/fin/" % (number, cells, hero[0], hero[1], units)


def test():
    with Session("game") as s:
        s.start("TarnwickQuest")
        check(not s.enabled("Cargar mapa"), "'Cargar mapa' must start disabled")
        check(s.label("exy") == "Persona", "start caption of exy")

        # G, H and R typed into the dialog are the name's, never play's.
        s.menu("Jugador Nuevo")
        s.file_dialog("Hugo Garcia R", typed=True)
        hero = s.path("personajes", "Hugo Garcia R")
        wait_for("the character file", lambda: os.path.exists(hero))
        check(open(hero).read() == "Hugo Garcia R,1,0,", "new character file")
        s.wait_label("nombre", lambda t: t.startswith("Nombre: Hugo Garcia R - Nivel 1"))

        with open(s.path("mapas", "prueba.mapa"), "w") as f:
            f.write(grass_map(1, (5, 5), [(15, 5), (30, 5)]))
        with open(s.path("mapas", "roto.mapa"), "w") as f:
            f.write("40,30/inf//fin/0,0,/fin/5,5/fin//fin/")
        check(s.enabled("Cargar mapa"), "'Cargar mapa' enabled after a new character")
        s.menu("Cargar mapa")
        s.file_dialog(s.path("mapas", "prueba.mapa"))
        s.wait_label("nenemigos", lambda t: t == "Enemigos: 2")
        time.sleep(0.5)
        check(not s.nodes("alert"), "a key typed into a dialog acted on play")

        # The field shows the hero facing south and the blot at their tiles.
        origin = s.field_origin()
        tiles = {(5, 5): expected_tile(0, sheet("yo"), 100),  # facing south
                 (15, 5): expected_tile(0, sheet("enemigo0"), 0),
                 (6, 5): expected_tile(0)}

        def drawn():
            shot = s.screenshot()
            return all(field_tile(shot, origin, k, r) == t for (k, r), t in tiles.items())
        wait_for("the hero and the blot on their tiles", drawn, timeout=5)

        s.keys("Right")
        s.wait_label("exy", lambda t: t == "Persona (6,5)")

        # Walk to the first blot and strike it until it dies.
        def fight(left):
            s.hold(["Right", "space"], 0.6)
            return s.label("nenemigos") == "Enemigos: %d" % left
        wait_for("the first kill", lambda: fight(1), timeout=20, interval=0)

        s.keys("g")
        check(s.message() == "Guardado con éxito!", "quick save message")
        check(open(hero).read() == "Hugo Garcia R,1,25,", "quick save file")

        # A corrupt map: the message, and the map in play stays. "Cargar
        # mapa" pauses play until the character is loaded again.
        s.menu("Cargar mapa")
        s.file_dialog(s.path("mapas", "roto.mapa"))
        check(s.message() == "El mapa no existe o está corrupto", "corrupt map message")
        # Files that are no maps at all: refused at once, memory unchanged.
        os.mkfifo(s.path("mapas", "tubo.mapa"))
        os.symlink("/dev/zero", s.path("mapas", "cero.mapa"))
        refused = {}
        for name in ("tubo.mapa", "cero.mapa"):
            s.menu("Cargar mapa")
            s.file_dialog(s.path("mapas", name))
            started = time.monotonic()
            wait_for("the refusal of " + name, lambda: s.nodes("alert"), timeout=5, interval=0.02)
            refused[name] = time.monotonic() - started
            check(s.message() == "El mapa no existe o está corrupto", name + " message")
        print("unreadable map refused: FIFO %.2f s, /dev/zero %.2f s, resident memory %.0f MB"
              % (refused["tubo.mapa"], refused["cero.mapa"], s.resident_mb()))
        check(s.resident_mb() < 200, "memory grew reading /dev/zero")
        s.menu("Cargar jugador")
        s.file_dialog("Hugo Garcia R")
        before = s.label("exy")
        s.keys("Right")
        s.wait_label("exy", lambda t: t != before)

        # The last blot: the level ends, the character is saved, and the
        # next numbered map (the shipped mapa2.mapa) is loaded.
        # Space stays held as the end-of-level box opens: neither it nor its
        # autorepeat may answer the box.
        s.focus()
        s.xdotool("keydown", "Right", "space")
        wait_for("the second kill", lambda: s.nodes("alert"), timeout=30, interval=0.05)
        time.sleep(1.0)
        # Under load X's repeats may reach the program unpaired: a plain
        # release and press a few milliseconds apart, as these are.
        for _ in range(5):
            s.xdotool("keyup", "space", "sleep", "0.02", "keydown", "space", "sleep", "0.1")
        check(s.nodes("alert"), "a held key answered the end-of-level box")
        s.xdotool("keyup", "Right", "space")
        time.sleep(0.5)
        check(s.nodes("alert"), "releasing a held key answered the end-of-level box")
        check(s.message() == "Has terminado el nivel!\nGuardado con éxito!", "end of level message")
        s.wait_label("nenemigos", lambda t: t == "Enemigos: 26")
        check(open(hero).read().startswith("Hugo Garcia R,"), "saved at the end")


if __name__ == "__main__":
    run(test)
