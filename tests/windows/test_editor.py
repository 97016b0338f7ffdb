"""The Windows editor under Wine: its window, a new map, the start placed, and the map saved;
a device's name refused;
and its idle CPU with the largest map, printed for the record."""

import os  # noqa: E401

from wine import Session, picture, wait_for

with Session("editor") as s:
    # The palette's first picture button, its 20 x 20 picture in the middle.
    print("start to window shown under Wine: %.3f s" % s.start(
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

    # A name Windows keeps for a device is refused before anything is written.
    before = sorted(os.listdir(os.path.join(s.bin, "mapas")))
    s.menu(2)  # "Guardar"
    s.dialog("Save As", s.windows_path("mapas", "nul.txt"))
    said = s.box_text("Edit")
    assert said == "El nombre del archivo no es válido.", said
    s.dialog("Edit")
    assert sorted(os.listdir(os.path.join(s.bin, "mapas"))) == before, os.listdir(os.path.join(s.bin, "mapas"))

    # The largest map, all grass but for the top left tile, which shows once it is open.
    open(os.path.join(s.bin, "mapas", "grande.mapa"), "w").write("200,200/inf//fin/3,%s/fin/5,5/fin//fin/" % (
        "0," * (200 * 200 - 1)))
    grass = s.shot().block(s.x0, s.y0)
    s.menu(1)  # "Abrir"
    s.dialog("Open", s.windows_path("mapas", "grande.mapa"))
    wait_for("the large map", lambda: s.shot().block(s.x0, s.y0) != grass)
    print("editor idle with a 200 x 200 map under Wine: %.2f %% of one core over %.0f s, "
          "the editor's process and the wineserver together" % s.idle(30, "TarnwickEdit.exe"))
