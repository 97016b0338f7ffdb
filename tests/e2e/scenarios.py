"""Every end-to-end scenario, written once against a driver per front end (drivers/). Where the
hero stands is read from the client area's pixels, as a player sees it, on every front end;
labels where the front end lets their text be read."""

import functools, time  # noqa: E401

from x11 import picture, wait_for
from listen import FIGHT_MAP, STRIKES, Recorder, judge

LEVEL_DONE = "Has terminado el nivel!\nGuardado con éxito!"
CONTROLES = "\n".join(("Flecha izquierda = Mover Izquierda", "Flecha derecha = Mover Derecha",
                       "Flecha Arriba = Mover Arriba", "Flecha Abajo = Mover Abajo", "Barra de Espacio = Atacar",
                       "H = Usar pocion", "R = Revivir", "G = Guardar Rápido"))
HUGO = "personajes/Hugo Garcia R"
# The editor's palette places, and where "Nuevo Mapa" is moved, clear of where boxes and
# dialogs open, with its button "Crear" there.
TREE, WATER, PLAYER, BLOT, SHEEP = (644, 76), (676, 76), (660, 140), (628, 204), (692, 204)
APARTE, CREAR = (740, 600), (132, 104)


@functools.cache
def inked(name):
    """Per facing, the pixels (row, byte, RGB) the figure `name` (yo, enemigo0, ...) covers by its mask."""
    art = picture(name)
    return [[(j, i, art.block(0, 20 * d)[j][i:i + 3]) for j in range(20) for i in range(0, 60, 3)
             if art.block(20, 20 * d)[j][i:i + 3] == b"\0\0\0"] for d in range(8)]


def figure(shot, name, cell):
    """The facing (0 to 7) of the figure drawn in the field's cell, if it is."""
    cut = shot.block(20 * cell[0], 20 * cell[1])
    return next((d for d, pixels in enumerate(inked(name)) if all(cut[j][i:i + 3] == p for j, i, p in pixels)), None)


def hero(shot):
    """The field cell (column, row) and facing of the hero."""
    return next(((x, y, d) for y in range(20) for x in range(30) if (d := figure(shot, "yo", (x, y))) is not None),
                None)


def hero_at(d, cell):
    wait_for("the hero at %s" % (cell,), lambda: figure(d.pixels(), "yo", cell) is not None)
    d.see("exy", "Persona (%d,%d)" % cell)  # on maps the view holds whole


def step(d, key, cell):
    """A tap is one step, typed wherever the keyboard is once the game has it."""
    d.key(key, force=False)
    hero_at(d, cell)


def write_map(d, name, number, row, rows, hero, units):
    d.write("mapas/" + name, "%d,%d/inf/%s/fin/%s/fin/%d,%d/fin/%s/fin/" % (
        row.count(","), rows, number, row * rows, *hero, "".join("%d,%d:%d/unit/" % u for u in units)))


def game(Driver):
    """The game in its window: a new hero, maps large and small, boxes that held keys never
    answer, a name Windows would take for another one's, the keys acting on play after every
    box and dialog with no click, and figures printed for the record."""
    with Driver("game") as d:
        print("start to window shown%s: %.3f s" % (d.under, d.start("game")))
        assert d.pixels().block(200, 400, 100, 20) == picture("abajo").block(200, 0, 100, 20), "bottom panel"
        enemies = lambda name: "Enemigos: %d" % d.read("mapas", name).count("/unit/")  # noqa: E731
        write_map(d, "grande.mapa", "", "0,1,0,0,2,0,0,1,0,3," * 100, 1000, (500, 500),
                  [(i * 9, i * 7, i % 3) for i in range(101)])
        write_map(d, "lucha.mapa", "1", "0," * 40, 30, (5, 5), [(7, 5, 0)])
        write_map(d, "teclas.mapa", "", "0," * 30, 20, (5, 5), [(15, 5, 0)])

        # G, H and R typed into the dialog are the name's, never play's.
        d.choose("Jugador Nuevo", HUGO, keys=True)
        d.see("nombre", "Nombre: Hugo Garcia R - Nivel 1")
        wait_for("the new hero's file", lambda: d.files("personajes").count("Hugo Garcia R"))
        assert d.read(HUGO) == "Hugo Garcia R,1,0,", d.read(HUGO)
        d.choose("Cargar mapa", "mapas/default.mapa")
        d.see("nenemigos", enemies("default.mapa"))
        start = wait_for("the hero on the field", lambda: hero(d.pixels()))
        moved = d.hold("Right", lambda: (h := hero(d.pixels())) and h[:2] != start[:2] and h, "a step right")
        assert moved[0] > start[0] and moved[1] == start[1], "from %s to %s" % (start, moved)
        if cpu := d.idle(30):
            print("idle play%s, 10 ticks a second: %.2f %% of one core over %.0f s%s" % (
                d.under, *cpu, d.counted.format(program="game")))
        assert not d.boxes(), "a key typed into a dialog acted on play"

        d.choose("Cargar mapa", "mapas/grande.mapa")  # which pauses play until a character is loaded
        d.choose("Cargar jugador", HUGO)
        d.see("nenemigos", "Enemigos: 101")
        wait_for("the hero in the middle of the view", lambda: figure(d.pixels(), "yo", (15, 10)) is not None)
        d.see("exy", "Persona (500,500)")
        if mb := d.resident_mb():
            print("resident memory with a 1000 x 1000 map: %.1f MB" % mb)
        d.key("Down")
        d.see("exy", "Persona (500,501)")

        # Space stays held as the end-of-level box opens: neither its repeats, nor the
        # unpaired release and press X sends under load, nor letting go may answer it.
        d.choose("Cargar mapa", "mapas/lucha.mapa")
        d.choose("Cargar jugador", HUGO)
        d.see("nenemigos", "Enemigos: 1")
        d.down("Right space")
        wait_for("the kill", d.boxes)
        time.sleep(1.0)
        d.keys(*[("up", "space"), 0.005, ("down", "space"), 0.1] * 5, ("up", "Right space"), 0.5)
        assert d.boxes(), "a held key answered the end-of-level box"
        assert d.message() == LEVEL_DONE
        d.see("nenemigos", enemies("mapa2.mapa"))

        # "x." is the file of "x" on Windows: loaded from a file of its own and saved,
        # it is refused with the rule it breaks, and "x" stays as it was.
        d.write("personajes/x", "x,7,0,")
        d.write("fuera", "x.,3,0,")
        d.choose("Cargar jugador", "fuera")
        d.menu("Guardar")
        said = d.message()
        assert said == "El nombre del personaje no puede terminar en punto ni en espacio.", said
        assert d.read("personajes/x") == "x,7,0,", d.read("personajes/x")

        # After each file dialog and box the arrows and Space act on play again with no
        # click: the keys go wherever the keyboard is, as a player's do. "Cargar jugador"
        # empties the field: a map is loaded after it.
        d.choose("Cargar jugador", HUGO, force=False)
        d.choose("Cargar mapa", "mapas/teclas.mapa", force=False)
        d.see("nenemigos", "Enemigos: 1")
        step(d, "Down", (5, 6))
        d.menu("Controles")
        assert d.message(typed=True) == CONTROLES
        step(d, "Up", (5, 5))
        # Arrows pressed in an open menu walk the menu, not the hero.
        d.open_menu("Archivo")
        d.keys(*[("tap", "Down"), 0.3] * 2, *[("tap", "Escape"), 0.3] * 2)
        assert figure(d.pixels(), "yo", (5, 5)) is not None, "arrows in a menu walked the hero"
        d.see("exy", "Persona (5,5)")
        d.hold("Right space", d.boxes, "the kill", force=False)
        assert d.message(typed=True) == LEVEL_DONE
        x, y, _ = hero(d.pixels())
        step(d, "Left", (x - 1, y))


def new_map(d, *size):
    """"Nuevo", with the size given (else the proposed 30 x 20): an empty map."""
    d.menu("Nuevo")
    d.fill("Nuevo Mapa", *size)
    d.button("Nuevo Mapa", "Crear")
    d.closed("Nuevo Mapa")
    d.see("mapcap", "Mapa (0,0)")


def paint(d, strokes):
    for tool, cells in strokes:
        d.click(*tool)
        for k, r in cells:
            d.click(20 * k + 10, 20 * r + 10)


def aside(d):
    """"Nuevo", its dialog moved aside; returns where its "Crear" lies on the screen."""
    d.menu("Nuevo")
    x, y = d.move("Nuevo Mapa", APARTE)
    return x + CREAR[0], y + CREAR[1]


def width(d, columns, enter=True):
    """Typed into "Ancho", wherever the keyboard is once "Nuevo Mapa" has it."""
    d.key("ctrl+a", "Nuevo Mapa", force=False)
    d.type(columns, "Nuevo Mapa", force=False)
    if enter:
        d.key("Return", "Nuevo Mapa", force=False)


def editor(Driver):
    """The editor: boxes and file dialogs that keep "Nuevo Mapa" from acting and give the
    keyboard back; the mouse followed off the view while a button is held; a map painted,
    a device's name refused, the map saved and played in the game; its idle CPU with the
    largest map, printed for the record."""
    with Driver("editor") as d:
        print("editor start to window shown%s: %.3f s" % (d.under, d.start("editor")))
        assert d.pixels().block(650, 130) == picture("paleta_jugador").block(0, 0), "hero button"

        # While "El tamaño no es válido" is open, "Crear" stacks no second box; once
        # it is answered, the keys go to "Nuevo Mapa" again without a click.
        crear = aside(d)
        width(d, "29")
        wait_for("the box", d.boxes)
        d.click(*crear, screen=True)
        time.sleep(0.5)
        assert d.boxes() == 1, "a second box over the first"
        assert d.message(typed=True) == "El tamaño no es válido"
        width(d, "40")
        d.closed("Nuevo Mapa")
        d.see("mapcap", "Mapa (0,0)")

        # The mouse, held down on the view, is followed off it and out of the window,
        # left of and above the view too, until the button is let go.
        d.mouse(10, 10, "down")
        for x, y, want in ((750, 450, "Mouse (37,22)"), (65, -3, "Mouse (3,-1)")):
            d.mouse(x, y)
            d.see("mousecap", want)
        d.mouse(65, -3, "up")
        d.mouse(750, 450)
        time.sleep(0.3)
        assert d.label("mousecap") == "Mouse (3,-1)", "moves followed after the button was let go"
        d.mouse(25, 25)
        d.see("mousecap", "Mouse (1,1)")
        # One pressed beside the view keeps the moves from it.
        d.mouse(650, 300, "down")
        d.mouse(100, 100)
        time.sleep(0.3)
        d.mouse(100, 100, "up")
        assert d.label("mousecap") == "Mouse (1,1)", "a move followed from beside the view"

        # While "Abrir" is open, "Crear" makes no map; after it, the dialog does.
        crear = aside(d)
        width(d, "50", enter=False)
        d.menu("Abrir")
        wait_for("the file dialog", d.dialog_open)
        d.click(*crear, screen=True)
        time.sleep(0.5)
        assert d.shown("Nuevo Mapa"), "'Crear' made a map under 'Abrir'"
        d.file_dialog("mapas/default.mapa")
        d.click(*crear, screen=True)
        d.closed("Nuevo Mapa")

        new_map(d, "40", "30")
        paint(d, [(TREE, [(2, 3)]), (PLAYER, [(3, 5)]), (BLOT, [(28, 18)]), (SHEEP, [(25, 15)])])
        d.hold("Right Down", lambda: d.label("mapcap") == "Mapa (10,10)", "the far corner")  # held keys scroll
        # A name Windows keeps for a device is refused before anything is written.
        before = d.files("mapas")
        d.choose("Guardar", "mapas/nul.txt")
        said = d.message()
        assert said == "El nombre del archivo no es válido.", said
        assert d.files("mapas") == before, d.files("mapas")
        d.choose("Guardar", "mapas/hecho.txt")
        assert d.message() == "Guardado con éxito!"
        saved, tree = d.read("mapas/hecho.mapa"), 3 * 40 + 2
        assert saved == "40,30/inf//fin/%s2,%s/fin/3,5/fin/28,18:0/unit/25,15:2/unit//fin/" % (
            "0," * tree, "0," * (40 * 30 - tree - 1)), saved

        # The largest map, made and then opened, all grass but for the top left tile; the far
        # corner its view scrolls to.
        new_map(d, "200", "200")
        d.write("mapas/grande.mapa", "200,200/inf//fin/3,%s/fin/5,5/fin//fin/" % ("0," * (200 * 200 - 1)))
        grass = d.pixels().block(0, 0)
        d.choose("Abrir", "mapas/grande.mapa")
        wait_for("the large map", lambda: d.pixels().block(0, 0) != grass)
        d.hold("Right Down", lambda: d.label("mapcap") == "Mapa (170,180)", "the far corner")
        if cpu := d.idle(30):
            print("editor idle with a 200 x 200 map%s: %.2f %% of one core over %.0f s%s" % (
                d.under, *cpu, d.counted.format(program="editor")))
        d.menu("Salir")
        d.ended()

        # The map played: the hero stands on his start, facing south.
        d.start("game")
        d.choose("Jugador Nuevo", "personajes/Leo")
        d.choose("Cargar mapa", "mapas/hecho.mapa")
        d.see("nenemigos", "Enemigos: 2")
        wait_for("the hero on his start", lambda: figure(d.pixels(), "yo", (3, 5)) == 5)


def sound(Driver):
    """The game's sounds recorded from a private sound server: each strike and the death arrive
    whole and as loud as their files, and nothing else, though several sheep strike the fallen
    hero in the tick of his death."""
    with Driver("sound") as d:
        recorder = Recorder(d.spawn, d.folder)  # before the program starts: it finds the server then
        d.write("mapas/pelea.mapa", FIGHT_MAP)
        d.start("game")
        d.choose("Jugador Nuevo", "personajes/Ana")
        d.choose("Cargar mapa", "mapas/pelea.mapa")
        d.see("nenemigos", "Enemigos: 6")
        hero_at(d, (6, 8))
        assert figure(d.pixels(), "enemigo0", (6, 9)) is not None, "no blot below the hero"
        d.hold("space", lambda: figure(d.pixels(), "enemigo0", (6, 9)) is None, "the blot's death")
        d.see("nenemigos", "Enemigos: 5")
        time.sleep(0.5)  # the strikes latched by Space's last repeats are over
        d.key("Up+Right")  # one step: the sheep see him
        hero_at(d, (7, 7))
        recorder.quiet(STRIKES + 1, 1.5)  # they walk in, strike twice 0.3 s apart, and his death sounds
        judge(recorder.heard(), d.path("sonidos"), d.where)


def storage(Driver):
    """What the player keeps survives the program's start anew, on front ends that keep it
    themselves (the browser's storage): a new hero, the experience of the level he won and a
    map written are there after the page is reloaded and after the browser is closed and opened
    again on the same profile, and the game loads them; so is a map the editor saved. Where
    the front end has tabs, two of the game on one profile each save a hero: neither is lost."""
    with Driver("storage") as d:
        if not hasattr(d, "restart"):
            print("storage: skipped, the front end keeps no storage of its own (its driver has no restart)")
            return
        d.start("game")
        d.menu("Jugador Nuevo")
        assert not getattr(d, "unnamed", list)(), "controls with no name: %s" % d.unnamed()
        d.file_dialog("personajes/Eva")
        d.see("nombre", "Nombre: Eva - Nivel 1")
        write_map(d, "lucha.mapa", "1", "0," * 40, 30, (5, 5), [(7, 5, 0)])
        write_map(d, "guardado.mapa", "", "0," * 30, 20, (7, 9), [(20, 5, 1), (3, 3, 2)])
        d.choose("Cargar mapa", "mapas/lucha.mapa")
        d.hold("Right space", d.boxes, "the kill")
        assert d.message(typed=True) == LEVEL_DONE
        saved = d.read("personajes/Eva")
        assert saved != "Eva,1,0,", "the level's experience not saved"
        d.menu("Salir")
        d.ended()
        d.start("editor")
        d.menu("Nuevo")
        d.open_menu("Archivo")
        assert not getattr(d, "unnamed", list)(), "controls with no name: %s" % d.unnamed()
        d.key("Escape", force=False)
        new_map(d)
        paint(d, [(PLAYER, [(4, 6)]), (SHEEP, [(10, 2)])])
        d.choose("Guardar", "mapas/propio.txt")
        assert d.message() == "Guardado con éxito!"
        assert getattr(d, "offered", lambda: "propio.mapa")() == "propio.mapa", "no download offered"
        d.menu("Salir")
        d.ended()
        d.start("game")
        for again in (d.reload, d.restart):
            print("storage%s: the game started anew by %s in %.3f s" % (d.under, again.__name__, again()))
            assert d.read("personajes/Eva") == saved, d.read("personajes/Eva")
            d.choose("Cargar jugador", "personajes/Eva")
            d.see("nombre", "Nombre: Eva - Nivel 1")
            d.choose("Cargar mapa", "mapas/guardado.mapa")
            d.see("nenemigos", "Enemigos: 2")
            hero_at(d, (7, 9))
            d.choose("Cargar mapa", "mapas/propio.mapa")
            d.see("nenemigos", "Enemigos: 1")
            wait_for("the hero on his start", lambda: figure(d.pixels(), "yo", (4, 6)) == 5)
        if hasattr(d, "new_tab"):
            first = d.new_tab()
            d.choose("Jugador Nuevo", "personajes/Bea")
            d.see("nombre", "Nombre: Bea - Nivel 1")
            d.use(first)
            d.choose("Jugador Nuevo", "personajes/Ciro")
            d.see("nombre", "Nombre: Ciro - Nivel 1")
            d.restart()
            assert {"Bea", "Ciro", "Eva"} <= set(d.files("personajes")), d.files("personajes")
        if hasattr(d, "bring"):
            brought(d)


def brought(d):
    """Files brought from the computer into "Cargar mapa": a good map plays; a file that is no
    map gets the desktop's answer; a name Windows could not hold and a file larger than any map
    are refused before anything is kept; a save the storage refuses is a failed save, and the
    hero kept before is intact."""
    kept = d.read("personajes/Eva")
    d.choose("Cargar jugador", "personajes/Eva")
    d.menu("Cargar mapa")
    d.bring("traido.mapa", b"30,20/inf//fin/" + b"0," * 600 + b"/fin/2,2/fin/9,9:1/unit//fin/")
    d.see("nenemigos", "Enemigos: 1")
    wait_for("the hero on his start", lambda: figure(d.pixels(), "yo", (2, 2)) is not None)
    for name, data, size, said in (("CON.mapa", b"", None, "El nombre del archivo no es válido."),
                                   ("enorme.mapa", b"", 64 * 2 ** 20 + 1, "El archivo es demasiado grande.")):
        d.menu("Cargar mapa")
        d.bring(name, data, size)
        assert d.message() == said
        d.cancel()
        assert name not in d.files("mapas"), d.files("mapas")
    d.menu("Cargar mapa")
    d.bring("roto.mapa", b"esto no es un mapa")
    assert d.message() == "El mapa no existe o está corrupto"
    d.choose("Cargar jugador", "personajes/Eva")  # "Cargar mapa" paused play
    d.refuse_storage()
    d.key("g")
    said = d.message()
    assert said.startswith("No se pudo guardar"), said
    assert d.read("personajes/Eva") == kept


# Crisp at whole display scales: (the display's scale, the screen, the k it gives). Each layout
# pixel is k x k device pixels, k the scale rounded, lowered while the window would not fit.
SCALES = [(1, (1024, 768), 1), (2, (1600, 1200), 2), (1.5, (1280, 960), 1)]
STRIP = (0, 500, 720, 26)  # the game's strip of labels below the panels, black


def ink(shot, box, k):
    """Where the text drawn on black lies within the box (layout pixels, shown at k): x, y, w, h."""
    x, y, w, h = (n * k for n in box)
    rows = shot.block(x, y, w, h)
    lit = [(i, j) for j, row in enumerate(rows) for i in range(w) if row[3 * i:3 * i + 3] != b"\0\0\0"]
    xs, ys = [p[0] for p in lit], [p[1] for p in lit]
    return min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


def scale(Driver):
    """At each scale the game's client and the editor's are k times as large, every layout pixel
    shown as k x k device pixels: the pictures exactly those at k = 1 enlarged, the labels' text
    drawn k times larger in their boxes, not stretched; a click at a cell's centre picks and
    paints that cell."""
    seen = {}
    for asked, screen, k in SCALES:
        with Driver("scale-%s" % asked, scale=asked, screen=screen) as d:
            d.start("game")
            assert d.k == k, "display scale %s on a %dx%d screen: k = %d, not %d" % (asked, *screen, d.k, k)
            shot = d.shot()
            assert (shot.w, shot.h) == (720 * k, 526 * k), (shot.w, shot.h)
            seen.setdefault("game", d.pixels())
            field = seen["game"].enlarged(k)[:500 * k]
            assert shot.block(0, 0, 720 * k, 500 * k) == field, "scale %s: the field and panels differ from " \
                "those at k = 1 with each pixel %dx%d" % (asked, k, k)
            text = ink(shot, STRIP, k)
            seen.setdefault("text", text)
            # (faces of bitmaps are drawn larger with their scalable twins: a few pixels more or less)
            assert all(abs(a - b * k) <= max(2 * k, b * k // 20) for a, b in zip(text, seen["text"])), \
                "scale %s: the strip's text at %s, at k = 1 %s" % (asked, text, seen["text"])
            # The enemy stands out of the hero's sight: a click at his cell's centre picks him,
            # one at the next cell's picks none.
            write_map(d, "escala.mapa", "", "0," * 30, 20, (2, 2), [(20, 12, 1)])
            d.choose("Jugador Nuevo", "personajes/Hugo")
            d.choose("Cargar mapa", "mapas/escala.mapa")
            named = lambda: d.pixels().block(608, 120, 112, 16) != picture("derecha").block(8, 120, 112, 16)  # noqa
            for cell, picked in (((20, 12), True), ((21, 12), False), ((20, 12), True)):
                d.click(20 * cell[0] + 10, 20 * cell[1] + 10)
                wait_for("the enemy panel %s after a click on %s" % (("empty", "named")[picked], cell),
                         lambda: named() == picked)
            d.menu("Salir")
            d.ended()

            d.start("editor")
            assert d.k == k, "the editor at scale %s: k = %d" % (asked, d.k)
            new_map(d)
            paint(d, STROKES[:1])
            d.see("mousecap", "Mouse (3,3)")
            view = d.shot().block(0, 0, 600 * k, 400 * k)
            seen.setdefault("view", d.pixels())
            assert view == [row[:1800 * k] for row in seen["view"].enlarged(k)[:400 * k]], \
                "scale %s: the painted view differs from the one at k = 1 with each pixel %dx%d" % (asked, k, k)
        print("scale %s on %dx%d: k = %d, client %dx%d, the strip's text %s" % (asked, *screen, k, shot.w, shot.h,
                                                                               text))


# The parity scenario: the same states shown by the Linux window (Qt) and the Windows one
# (Wine) give the same picture. Everything but the labels' text is compared pixel for pixel;
# where each label's text begins (its ink's leftmost column and topmost row) must be the same,
# whatever glyphs the two fonts draw and however wide.
STROKES = [(TREE, [(2, 3), (3, 3)]), (WATER, [(6, 2), (7, 2), (6, 3)]), (PLAYER, [(4, 8)])]


def parity_states(d, seen):
    """Drives a front end through the states, calling seen(name, program, seconds) in each."""
    d.start("game")
    seen("game at start-up", "game", 2.0)
    d.choose("Jugador Nuevo", "personajes/Hugo")
    d.choose("Cargar mapa", "mapas/default.mapa")
    x, y, _ = wait_for("the hero on the field", lambda: hero(d.pixels()))
    d.see("exy", "Persona (4,25)")
    seen("game after Cargar mapa", "game", 2.0)
    # West until the trees stop him: where he ends does not depend on the timing.
    d.hold("Left", lambda: figure(d.pixels(), "yo", (x - 3, y)) is not None, "the hero by the trees")
    d.see("exy", "Persona (1,25)")
    seen("game after a walk", "game", 2.0)
    d.menu("Salir")
    d.ended()
    d.start("editor")
    new_map(d)
    paint(d, STROKES)
    d.see("mousecap", "Mouse (4,8)")
    seen("editor with a map painted", "editor", 0.5)


def background(program, k=1):
    """What a label's box shows under its text, shown at k: the panels' pictures or the strip's
    black in the game, the window's grey in the editor."""
    if program == "editor":
        return lambda x, y: b"\xf0\xf0\xf0"
    right, bottom = picture("derecha"), picture("abajo")
    return lambda x, y: (b"\0\0\0" if y >= 500 * k else right.at(x // k - 600, y // k) if x >= 600 * k
                         else bottom.at(x // k, y // k - 400))


def text_corner(shot, box, under):
    """The top left corner of the ink in the box: its leftmost column, its topmost row."""
    x, y, w, h = box
    ink = [(i, j) for j in range(y, y + h) for i in range(x, x + w) if shot.at(i, j) != under(i, j)]
    return (min(i for i, _ in ink), min(j for _, j in ink)) if ink else None


def differences(a, b, boxes):
    """Pixels outside every label's box that differ, as (count, bounding box)."""
    inside = lambda x, y: any(bx <= x < bx + bw and by <= y < by + bh for bx, by, bw, bh in boxes.values())  # noqa: E731
    rows = [y for y, (p, q) in enumerate(zip(a.block(0, 0, a.w, a.h), b.block(0, 0, b.w, b.h))) if p != q]
    diff = [(x, y) for y in rows for x in range(a.w) if a.at(x, y) != b.at(x, y) and not inside(x, y)]
    if not diff:
        return None
    xs, ys = [p[0] for p in diff], [p[1] for p in diff]
    return len(diff), (min(xs), min(ys), max(xs), max(ys))


def compare(name, under, reference, shot, grain=1):
    """None if the shot is one of the reference pictures of the state; else what differs from the nearest.
    Where the labels' text begins is compared to `grain` device pixels."""
    pictures, boxes = reference
    faults = []
    for want in pictures:
        diff = differences(want, shot, boxes)
        moved = {label: (text_corner(want, box, under), text_corner(shot, box, under))
                 for label, box in boxes.items()}
        moved = {label: (a, b) for label, (a, b) in moved.items()
                 if (a and [n // grain for n in a]) != (b and [n // grain for n in b])}
        if not diff and not moved:
            return None
        faults.append(((diff or (0,))[0], "%s: pixels outside the labels that differ (count, bounds): %s; labels "
                       "whose text's corner moved (Linux, Windows): %s" % (name, diff, moved)))
    return min(faults)[1]


def parity(Driver):
    """The Linux window (drivers/qt.py, from TARNWICK_BIN) is the reference; Driver shows the same
    states, at k = 1 and at the display scale 2 (the pictures compared as shown, k x k device
    pixels each)."""
    import qt
    reference = {}

    def record(d, name, program, seconds):  # the water shimmers: every picture shown over the time
        pictures, end, shots = [], time.monotonic() + seconds, 0
        while time.monotonic() < end or shots < 10 * seconds:
            shot, shots = d.shot(), shots + 1
            if all(shot.rgb != p.rgb for p in pictures):
                pictures.append(shot)
            time.sleep(0.1)
        reference[name] = pictures, {label: tuple(n * d.k for n in box) for label, box in d.label_boxes().items()}

    def match(d, name, program, seconds):
        under, (pictures, boxes) = background(program, d.k), reference[name]
        # A browser's text is antialiased and hinted its own way: larger than 1x, where it
        # begins may be a device pixel off, within the layout pixel.
        grain = d.k if getattr(d, "antialiased", False) else 1
        try:
            wait_for(name, lambda: compare(name, under, reference[name], d.shot(), grain) is None, timeout=30)
        except AssertionError:
            raise AssertionError(compare(name, under, reference[name], d.shot(), grain)) from None
        firsts = {label: text_corner(pictures[0], box, under) for label, box in boxes.items()}
        print("parity at k = %d, %s: %dx%d pixels identical but for the glyphs; the labels' text at %s" % (
            d.k, name, pictures[0].w, pictures[0].h, sorted((label, p) for label, p in firsts.items() if p)))

    for k, screen in ((1, (1024, 768)), (2, (1600, 1200))):
        display = dict(scale=k, screen=screen) if k > 1 else {}
        for Session, seen in ((qt.Session, record), (Driver, match)):
            with Session("parity-%s-%d" % (seen.__name__, k), **display) as d:
                parity_states(d, lambda *state: seen(d, *state))
                assert d.k == k, "k = %d at the display scale %d" % (d.k, k)
