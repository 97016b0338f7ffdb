#!/usr/bin/python3
"""The editor as a level designer meets it: sizes refused and accepted, a
save refused without a player start, painting and placing, the exact file a
save writes, and a FIFO that is no map."""

import os

from harness import Session, check, run, wait_for

# Places on the right of the view, from the editor's layout.
TREE, WATER, PLAYER = (644, 76), (676, 76), (660, 140)
BLOT, SHEEP = (628, 204), (692, 204)


def new_map(s, width, height=None):
    s.menu("Nuevo")
    dialog = s.xdotool("search", "--sync", "--onlyvisible", "--name", "^Nuevo Mapa$").split()[0]
    s.focus(dialog)
    s.xdotool("key", "ctrl+a")
    s.xdotool("type", width)
    if height is not None:
        s.xdotool("key", "Tab", "ctrl+a")
        s.xdotool("type", height)
    s.press("push button", "Crear")
    return dialog


def test():
    with Session("editor") as s:
        s.start("TarnwickEdit")
        new_map(s, "29")
        check(s.message() == "El tamaño no es válido", "29 columns must be refused")
        new_map(s, "30")  # the same dialog, brought forward
        s.wait_label("mapcap", lambda t: t == "Mapa (0,0)")

        s.menu("Guardar")
        s.file_dialog(s.path("mapas", "nada.mapa"))
        check(s.message() == "Tienes que colocar al jugador!", "save without a start")
        check(not os.path.exists(s.path("mapas", "nada.mapa")), "nothing written")

        ox, oy = s.field_origin()

        def at(cell):
            s.click_screen(ox + 20 * cell[0] + 10, oy + 20 * cell[1] + 10)

        def tool(place):
            s.click_screen(ox + place[0], oy + place[1])

        tool(TREE)
        at((2, 3))
        at((3, 3))
        tool(WATER)
        at((4, 3))
        tool(PLAYER)
        at((1, 1))
        at((5, 7))  # the start moves
        tool(BLOT)
        at((10, 10))
        tool(SHEEP)
        at((12, 4))
        at((5, 7))  # refused: the start is there
        s.wait_label("mousecap", lambda t: t == "Mouse (12,4)" or t == "Mouse (5,7)")

        s.menu("Guardar")
        s.file_dialog(s.path("mapas", "prueba.txt"))
        check(s.message() == "Guardado con éxito!", "saved message")
        cells = [0] * 600
        cells[2 + 30 * 3] = cells[3 + 30 * 3] = 2
        cells[4 + 30 * 3] = 3
        want = ("30,20/inf//fin/" + "".join("%d," % c for c in cells) +
                "/fin/5,7/fin/10,10:0/unit/12,4:2/unit//fin/")
        path = s.path("mapas", "prueba.mapa")
        wait_for("the saved map", lambda: os.path.exists(path))
        check(open(path).read() == want, "saved text differs:\n" + open(path).read())
        check(not os.path.exists(s.path("mapas", "prueba.txt")), "the extension is replaced")

        # A FIFO is no map: "Abrir" says nothing, never blocks, and the map
        # being edited stays as it was.
        os.mkfifo(s.path("mapas", "tubo.mapa"))
        s.menu("Abrir")
        s.file_dialog(s.path("mapas", "tubo.mapa"))
        s.menu("Guardar")
        s.file_dialog(s.path("mapas", "otra.mapa"))
        check(s.message() == "Guardado con éxito!", "saved after the FIFO")
        again = s.path("mapas", "otra.mapa")
        wait_for("the map saved again", lambda: os.path.exists(again))
        check(open(again).read() == want, "the map changed after opening a FIFO")


if __name__ == "__main__":
    run(test)
