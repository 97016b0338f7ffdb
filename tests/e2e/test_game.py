#!/usr/bin/python3
"""The game as a player meets it: a new character, a map, walking, a fight,
a quick save, a corrupt map, and the next numbered map."""

import os

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

        s.menu("Jugador Nuevo")
        s.file_dialog("Eva")
        wait_for("the character file", lambda: os.path.exists(s.path("personajes", "Eva")))
        check(open(s.path("personajes", "Eva")).read() == "Eva,1,0,", "new character file")
        s.wait_label("nombre", lambda t: t.startswith("Nombre: Eva - Nivel 1"))

        with open(s.path("mapas", "prueba.mapa"), "w") as f:
            f.write(grass_map(1, (5, 5), [(15, 5), (30, 5)]))
        with open(s.path("mapas", "roto.mapa"), "w") as f:
            f.write("40,30/inf//fin/0,0,/fin/5,5/fin//fin/")
        check(s.enabled("Cargar mapa"), "'Cargar mapa' enabled after a new character")
        s.menu("Cargar mapa")
        s.file_dialog(s.path("mapas", "prueba.mapa"))
        s.wait_label("nenemigos", lambda t: t == "Enemigos: 2")

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
        check(open(s.path("personajes", "Eva")).read() == "Eva,1,25,", "quick save file")

        # A corrupt map: the message, and the map in play stays. "Cargar
        # mapa" pauses play until the character is loaded again.
        s.menu("Cargar mapa")
        s.file_dialog(s.path("mapas", "roto.mapa"))
        check(s.message() == "El mapa no existe o está corrupto", "corrupt map message")
        s.menu("Cargar jugador")
        s.file_dialog("Eva")
        before = s.label("exy")
        s.keys("Right")
        s.wait_label("exy", lambda t: t != before)

        # The last blot: the level ends, the character is saved, and the
        # next numbered map (the shipped mapa2.mapa) is loaded.
        wait_for("the second kill", lambda: s.nodes("alert") or fight(0), timeout=30, interval=0)
        check(s.message() == "Has terminado el nivel!\nGuardado con éxito!", "end of level message")
        s.wait_label("nenemigos", lambda t: t == "Enemigos: 26")
        check(open(s.path("personajes", "Eva")).read().startswith("Eva,"), "saved at the end")


if __name__ == "__main__":
    run(test)
