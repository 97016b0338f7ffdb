"""The editor's message boxes and file dialogs keeping "Nuevo Mapa" from acting and giving
the keyboard back; the mouse followed off the view while a button is held; a map made
with the mouse in the editor, saved, then played in the game; and the editor's start and
idle CPU with the largest map, printed for the record."""

import time

from harness import Session, expected_tile, tile, wait_for

# Palette places right of the editor's view.
TREE, PLAYER, BLOT, SHEEP = (644, 76), (660, 140), (628, 204), (692, 204)
# "Nuevo Mapa" is moved to here, clear of where boxes and dialogs open.
APARTE = (740, 600)

with Session("both") as s:
    print("editor start to window shown: %.3f s" % s.start("TarnwickEdit"))

    # While "El tamaño no es válido" is open, "Crear" stacks no second box; once
    # it is answered, the keys go to "Nuevo Mapa" again without a click.
    s.press("Nuevo")
    crear = [str(c + d) for c, d in zip(s.move("Nuevo Mapa", APARTE), (132, 104))]
    s.xdotool("key", "ctrl+a", "type", "29")  # into "Ancho", which has the keyboard
    s.xdotool("key", "Return")
    wait_for("the box", lambda: s.nodes("alert"))
    s.xdotool("mousemove", *crear, "click", "1", "sleep", "0.5")
    assert len(s.nodes("alert")) == 1, "a second box over the first"
    s.message("El tamaño no es válido", typed=True)
    s.xdotool("key", "ctrl+a", "type", "40")
    s.xdotool("key", "Return")
    s.label("mapcap", "Mapa (0,0)")

    # The mouse, held down on the view, is followed off it and out of the window,
    # left of and above the view too, until the button is let go.
    s.xdotool("mousemove", *s.screen(10, 10), "mousedown", "1")
    for x, y, want in ((750, 450, "Mouse (37,22)"), (65, -3, "Mouse (3,-1)")):
        s.xdotool("mousemove", *s.screen(x, y))
        s.label("mousecap", want)
    s.xdotool("mouseup", "1", "mousemove", *s.screen(750, 450), "sleep", "0.3")
    assert s.caption("mousecap") == "Mouse (3,-1)", "moves followed after the button was let go"
    s.xdotool("mousemove", *s.screen(25, 25))
    s.label("mousecap", "Mouse (1,1)")
    # One pressed beside the view keeps the moves from it.
    s.xdotool("mousemove", *s.screen(650, 300), "mousedown", "1", "mousemove", *s.screen(100, 100), "sleep", "0.3",
              "mouseup", "1")
    assert s.caption("mousecap") == "Mouse (1,1)", "a move followed from beside the view"

    # While "Abrir" is open, "Crear" makes no map; after it, the dialog does.
    s.press("Nuevo")
    crear = [str(c + d) for c, d in zip(s.move("Nuevo Mapa", APARTE), (132, 104))]
    s.xdotool("key", "ctrl+a", "type", "50")
    s.press("Abrir")
    wait_for("the file dialog", lambda: s.nodes("dialog", "Abrir"))
    s.xdotool("mousemove", *crear, "click", "1", "sleep", "0.5")
    assert s.shown("Nuevo Mapa"), "'Crear' made a map under 'Abrir'"
    s.dialog(s.maps + "default.mapa")
    s.xdotool("mousemove", *crear, "click", "1")
    s.closed("Nuevo Mapa")
    s.play([("press", "Nuevo"), ("fill", "Nuevo Mapa", "40", "30"), ("press", "Crear", "push button"),
            ("closed", "Nuevo Mapa"), ("label", "mapcap", "Mapa (0,0)")])
    for tool, (k, r) in ((TREE, (2, 3)), (PLAYER, (3, 5)), (BLOT, (28, 18)), (SHEEP, (25, 15))):
        s.play([("click", *tool), ("click", 20 * k + 10, 20 * r + 10)])
    # Held keys scroll to the far corner of the map.
    s.play([("keys", "keydown", "Right", "Down", "sleep", "0.5", "keyup", "Right", "Down"),
            ("label", "mapcap", "Mapa (10,10)"), ("press", "Guardar"), ("dialog", s.maps + "hecho"),
            ("message", "Guardado con éxito!")])
    saved, tree = open(s.maps + "hecho.mapa").read(), 3 * 40 + 2
    assert saved == "40,30/inf//fin/%s2,%s/fin/3,5/fin/28,18:0/unit/25,15:2/unit//fin/" % (
        "0," * tree, "0," * (40 * 30 - tree - 1)), saved
    # The largest new map, known by the far corner its view scrolls to.
    s.play([("press", "Nuevo"), ("fill", "Nuevo Mapa", "200", "200"), ("press", "Crear", "push button"),
            ("closed", "Nuevo Mapa"), ("label", "mapcap", "Mapa (0,0)"), ("keys", "keydown", "Right", "Down"),
            ("label", "mapcap", "Mapa (170,180)"), ("xdotool", "keyup", "Right", "Down")])
    if cpu := s.idle(30):
        print("editor idle with a 200 x 200 map: %.2f %% of one core over %.0f s" % cpu)
    s.press("Salir")
    wait_for("the editor to end", lambda: s.program.poll() is not None)

    s.start("TarnwickQuest")
    s.play([("press", "Jugador Nuevo"), ("dialog", "Leo"), ("press", "Cargar mapa"),
            ("dialog", s.maps + "hecho.mapa"), ("label", "nenemigos", "Enemigos: 2")])
    hero = expected_tile("yo", 100)  # facing south
    wait_for("the hero drawn on his start", lambda: tile(s.origin[0] + 60, s.origin[1] + 100) == hero)
