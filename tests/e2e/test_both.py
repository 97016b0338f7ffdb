#!/usr/bin/python3
"""A map made in the editor, reopened there, then loaded and played in the
game."""

from harness import Session, check, expected_tile, field_tile, run, sheet, wait_for
from test_editor import BLOT, PLAYER, new_map


def test():
    with Session("both") as s:
        s.start("TarnwickEdit")
        new_map(s, "40", "30")
        s.wait_label("mapcap", lambda t: t == "Mapa (0,0)")
        ox, oy = s.field_origin()
        for place, cell in ((PLAYER, (3, 3)), (BLOT, (20, 3)), (BLOT, (25, 15))):
            s.click_screen(ox + place[0], oy + place[1])
            s.click_screen(ox + 20 * cell[0] + 10, oy + 20 * cell[1] + 10)
        s.hold(["Right", "Down"], 0.5)  # scrolls to the corner of a 40 x 30 map
        s.wait_label("mapcap", lambda t: t == "Mapa (10,10)")
        s.menu("Guardar")
        s.file_dialog(s.path("mapas", "hecho"))
        check(s.message() == "Guardado con éxito!", "editor saved")
        text = open(s.path("mapas", "hecho.mapa")).read()
        check(text.startswith("40,30/inf//fin/"), "a 40 x 30 map")

        # Reopened over a fresh map, it comes back as it was.
        new_map(s, "30")
        s.menu("Abrir")
        s.file_dialog(s.path("mapas", "hecho.mapa"))
        s.menu("Guardar")
        s.file_dialog(s.path("mapas", "otra.mapa"))
        check(s.message() == "Guardado con éxito!", "saved again")
        check(open(s.path("mapas", "otra.mapa")).read() == text, "reopened map differs")
        s.menu("Salir")
        wait_for("the editor to end", lambda: not s.running())

        s.start("TarnwickQuest")
        s.menu("Jugador Nuevo")
        s.file_dialog("Leo")
        s.menu("Cargar mapa")
        s.file_dialog(s.path("mapas", "hecho.mapa"))
        s.wait_label("nenemigos", lambda t: t == "Enemigos: 2")
        origin = s.field_origin()
        hero = expected_tile(0, sheet("yo"), 100)
        wait_for("the hero at his start",
                 lambda: field_tile(s.screenshot(), origin, 3, 3) == hero, timeout=5)
        s.keys("Right")  # one tap, one step
        s.wait_label("exy", lambda t: t == "Persona (4,3)")
        s.keys("Down")
        s.wait_label("exy", lambda t: t == "Persona (4,4)")


if __name__ == "__main__":
    run(test)
