"""The Windows editor under Wine: its window, a new map, the start placed, and the map saved."""

import os  # noqa: E401

from wine import Session, picture, wait_for

with Session("editor") as s:
    # The palette's first picture button, its 20 x 20 picture in the middle.
    print("start to window shown under Wine: %.2f s" % s.start(
        "TarnwickEdit.exe", "Tarnwick Editor", 714, 428, "paleta_pasto", (634, 34)))
    assert s.shot().block(s.x0 + 650, s.y0 + 130) == picture("paleta_jugador").block(0, 0), "hero button"

    s.menu(0)  # "Nuevo": the proposed 30 x 20
    s.dialog("Nuevo Mapa")
    s.click(660, 140)  # the hero's button
    s.click(45, 65)  # cell (2, 3)
    s.menu(2)  # "Guardar"
    s.dialog("Save As", s.windows_path("mapas", "prueba.txt"))
    s.dialog("Edit")  # "Guardado con éxito!"
    # What the Linux editor writes for the same map, byte for byte.
    saved = os.path.join(s.bin, "mapas", "prueba.mapa")
    wait_for("the saved map", lambda: os.path.exists(saved))
    assert open(saved, "rb").read() == b"30,20/inf//fin/" + b"0," * 600 + b"/fin/2,3/fin//fin/", \
        open(saved, "rb").read()[-40:]
