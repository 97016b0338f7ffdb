"""A map made with the mouse in the editor, saved, then played in the game; and the
editor's start and idle CPU with the largest map, printed for the record."""

from harness import Session, expected_tile, tile, wait_for

# Palette places right of the editor's view.
TREE, PLAYER, BLOT, SHEEP = (644, 76), (660, 140), (628, 204), (692, 204)

with Session("both") as s:
    print("editor start to window shown: %.3f s" % s.start("TarnwickEdit"))
    s.play([("press", "Nuevo"), ("fill", "Nuevo Mapa", "40", "30"), ("press", "Crear", "push button"),
            ("label", "mapcap", "Mapa (0,0)")])
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
            ("label", "mapcap", "Mapa (0,0)"), ("keys", "keydown", "Right", "Down"),
            ("label", "mapcap", "Mapa (170,180)"), ("xdotool", "keyup", "Right", "Down")])
    print("editor idle with a 200 x 200 map: %.2f %% of one core over %.0f s" % s.idle(30))
    s.press("Salir")
    wait_for("the editor to end", lambda: s.program.poll() is not None)

    s.start("TarnwickQuest")
    s.play([("press", "Jugador Nuevo"), ("dialog", "Leo"), ("press", "Cargar mapa"),
            ("dialog", s.maps + "hecho.mapa"), ("label", "nenemigos", "Enemigos: 2")])
    hero = expected_tile("yo", 100)  # facing south
    wait_for("the hero drawn on his start", lambda: tile(s.origin[0] + 60, s.origin[1] + 100) == hero)
