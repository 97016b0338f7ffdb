"""The game in its window; the keys acting on play after every box and dialog with no
click; and figures printed for the record: start, idle CPU, memory."""

import os, time  # noqa: E401

from harness import Session, wait_for


def write_map(s, name, number, row, rows, hero, units):
    open(s.maps + name, "w").write("%d,%d/inf/%s/fin/%s/fin/%d,%d/fin/%s/fin/" % (
        row.count(","), rows, number, row * rows, *hero, "".join("%d,%d:%d/unit/" % u for u in units)))


CONTROLES = "\n".join(("Flecha izquierda = Mover Izquierda", "Flecha derecha = Mover Derecha",
                       "Flecha Arriba = Mover Arriba", "Flecha Abajo = Mover Abajo", "Barra de Espacio = Atacar",
                       "H = Usar pocion", "R = Revivir", "G = Guardar Rápido"))


def resident_mb(s):
    return int(open("/proc/%d/statm" % s.program.pid).read().split()[1]) * os.sysconf("SC_PAGE_SIZE") / 2 ** 20


with Session("game") as s:
    print("start to window shown: %.3f s" % s.start("TarnwickQuest"))
    enemies = lambda name: "Enemigos: %d" % open(s.maps + name).read().count("/unit/")
    write_map(s, "grande.mapa", "", "0,1,0,0,2,0,0,1,0,3," * 100, 1000, (500, 500),
              [(i * 9, i * 7, i % 3) for i in range(101)])
    write_map(s, "lucha.mapa", "1", "0," * 40, 30, (5, 5), [(7, 5, 0)])
    # G, H and R typed into the dialog are the name's, never play's.
    s.play([("press", "Jugador Nuevo"), ("dialog", "Hugo Garcia R", True),
            ("label", "nombre", "Nombre: Hugo Garcia R - Nivel 1"),
            ("press", "Cargar mapa"), ("dialog", s.maps + "default.mapa"),
            ("label", "nenemigos", enemies("default.mapa"))])
    if cpu := s.idle(30):
        print("idle play, 10 ticks a second: %.2f %% of one core over %.0f s" % cpu)
    assert not s.nodes("alert"), "a key typed into a dialog acted on play"

    # "Cargar mapa" pauses play until a character is loaded again.
    s.play([("press", "Cargar mapa"), ("dialog", s.maps + "grande.mapa"),
            ("label", "nenemigos", "Enemigos: 101"), ("press", "Cargar jugador"), ("dialog", "Hugo Garcia R"),
            ("label", "exy", "Persona (500,500)")])
    print("resident memory with a 1000 x 1000 map: %.1f MB" % resident_mb(s))
    s.play([("keys", "key", "Down"), ("label", "exy", "Persona (500,501)"),
            ("press", "Cargar mapa"), ("dialog", s.maps + "lucha.mapa"),
            ("press", "Cargar jugador"), ("dialog", "Hugo Garcia R"), ("label", "nenemigos", "Enemigos: 1")])

    # Space stays held as the end-of-level box opens: neither its repeats, nor the
    # unpaired release and press X sends under load, nor letting go may answer it.
    s.keys("keydown", "Right", "space")
    wait_for("the kill", lambda: s.nodes("alert"), timeout=30, interval=0.05)
    time.sleep(1.0)
    s.xdotool(*["keyup", "space", "sleep", "0.02", "keydown", "space", "sleep", "0.1"] * 5,
              "keyup", "Right", "space", "sleep", "0.5")
    assert s.nodes("alert"), "a held key answered the end-of-level box"
    s.play([("message", "Has terminado el nivel!\nGuardado con éxito!"),
            ("label", "nenemigos", enemies("mapa2.mapa"))])

    # After each file dialog and box the arrows and Space act on play again with no
    # click: the keys go wherever the keyboard is, as a player's do. A tap is one step.
    write_map(s, "teclas.mapa", "", "0," * 30, 20, (5, 5), [(15, 5, 0)])
    s.play([("press", "Cargar mapa"), ("dialog", s.maps + "teclas.mapa", False, False),
            ("press", "Cargar jugador"), ("dialog", "Hugo Garcia R", False, False), ("label", "nenemigos", "Enemigos: 1"),
            ("xdotool", "key", "Down"), ("label", "exy", "Persona (5,6)"),
            ("press", "Controles"), ("message", CONTROLES, True),
            ("xdotool", "key", "Up"), ("label", "exy", "Persona (5,5)")])
    # Arrows pressed in an open menu walk the menu, not the hero.
    s.click(25, -10)  # "Archivo", with the mouse
    s.xdotool("sleep", "0.5", *["key", "Down", "sleep", "0.3"] * 2, *["key", "Escape", "sleep", "0.3"] * 2)
    assert s.caption("exy") == "Persona (5,5)", "arrows in a menu walked the hero: " + s.caption("exy")
    s.xdotool("keydown", "Right", "space")
    wait_for("the kill", lambda: s.nodes("alert"), timeout=30)
    s.xdotool("keyup", "Right", "space")
    s.message("Has terminado el nivel!\nGuardado con éxito!", typed=True)
    x, y = map(int, s.caption("exy")[9:-1].split(","))
    s.xdotool("key", "Left")
    s.label("exy", "Persona (%d,%d)" % (x - 1, y))
