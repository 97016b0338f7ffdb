"""The Windows editor under Wine: its window; message boxes and file dialogs that keep
"Nuevo Mapa" from acting and give the keyboard back; the mouse followed off the view
while a button is held; a new map, the start placed, and the map saved; a device's name
refused; and its idle CPU with the largest map, printed for the record."""

import os, time  # noqa: E401

from wine import Session, picture, wait_for

# "Nuevo Mapa" is dragged to here, clear of where boxes and dialogs open.
APARTE = (740, 600)

with Session("editor") as s:
    # The palette's first picture button, its 20 x 20 picture in the middle.
    print("start to window shown under Wine: %.3f s" % s.start(
        "TarnwickEdit.exe", "Tarnwick Editor", 714, 428, "paleta_pasto", (634, 34)))
    assert s.shot().block(s.x0 + 650, s.y0 + 130) == picture("paleta_jugador").block(0, 0), "hero button"

    # While "El tamaño no es válido" is open, "Crear" stacks no second box; once
    # it is answered, the keys go to "Nuevo Mapa" again without a click.
    crear = [str(c + d) for c, d in zip(APARTE, (132, 104))]
    s.menu(0)  # "Nuevo"
    s.move("Nuevo Mapa", 252, 123, APARTE)
    s.xdotool("key", "ctrl+a", "type", "29")  # into "Ancho", which has the keyboard
    s.xdotool("key", "Return")
    said = s.box_text("Edit")
    assert said == "El tamaño no es válido", said
    s.xdotool("mousemove", *crear, "click", "1")
    time.sleep(0.5)
    assert s.count("Edit") == 1, "a second box over the first"
    s.dialog("Edit", focus=False)
    s.xdotool("key", "ctrl+a", "type", "40")
    s.xdotool("key", "Return")
    wait_for("the 40 x 20 map", lambda: not s.shown("Nuevo Mapa") and s.label("Tarnwick Editor", "Mapa") == "Mapa (0,0)")

    # The mouse, held down on the view, is followed off it and out of the window,
    # left of and above the view too, until the button is let go.
    s.xdotool("mousemove", *s.screen(10, 10), "mousedown", "1")
    for x, y, want in ((750, 450, "Mouse (37,22)"), (65, -3, "Mouse (3,-1)")):
        s.xdotool("mousemove", *s.screen(x, y))
        wait_for(want, lambda: s.label("Tarnwick Editor", "Mouse") == want)
    s.xdotool("mouseup", "1", "mousemove", *s.screen(750, 450), "sleep", "0.3")
    assert s.label("Tarnwick Editor", "Mouse") == "Mouse (3,-1)", "moves followed after the button was let go"
    s.xdotool("mousemove", *s.screen(25, 25))
    wait_for("Mouse (1,1)", lambda: s.label("Tarnwick Editor", "Mouse") == "Mouse (1,1)")
    # One pressed beside the view keeps the moves from it.
    s.xdotool("mousemove", *s.screen(650, 300), "mousedown", "1", "mousemove", *s.screen(100, 100), "sleep", "0.3",
              "mouseup", "1")
    assert s.label("Tarnwick Editor", "Mouse") == "Mouse (1,1)", "a move followed from beside the view"

    # While "Abrir" is open, "Crear" makes no map; after it, the dialog does.
    s.menu(0)  # "Nuevo", in the middle again
    s.move("Nuevo Mapa", 252, 123, APARTE)
    s.xdotool("key", "ctrl+a", "type", "50")
    s.click(25, -10)  # "Archivo", with the mouse: "Nuevo Mapa" has the keyboard
    s.click(40, 27)  # "Abrir"
    s.window("Open")
    s.xdotool("mousemove", *crear, "click", "1")
    time.sleep(0.5)
    assert s.shown("Nuevo Mapa"), "'Crear' made a map under 'Abrir'"
    s.dialog("Open", s.windows_path("mapas", "default.mapa"))
    s.xdotool("mousemove", *crear, "click", "1")
    wait_for("'Crear' to make the map", lambda: not s.shown("Nuevo Mapa"))

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
    if cpu := s.idle(30, "TarnwickEdit.exe"):
        print("editor idle with a 200 x 200 map under Wine: %.2f %% of one core over %.0f s, "
              "the editor's process and the wineserver together" % cpu)
