"""Played by an unprivileged player (test_package.py starts it as one):

    play.py installed GAMES_FOLDER SCREENS      the programs unpacked from the package; their
                                                screens go to SCREENS/juego.png and editor.png
    play.py portable BIN_FOLDER                 a portable folder he may not write to

Installed, everything he makes lands in ~/.local/share/tarnwick; portable and
read-only, every save says it failed and the programs go on."""

import os, subprocess, sys  # noqa: E401

E2E = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "e2e")
sys.path[:0] = [E2E, os.path.join(E2E, "drivers")]
from qt import Session  # noqa: E402
from scenarios import BLOT, PLAYER, new_map, paint  # noqa: E402

SAVED = "Guardado con éxito!"
NOT_CREATED = "No se pudo crear el archivo del personaje."
NOT_SAVED = "No se pudo guardar el personaje: el archivo anterior sigue intacto."
MAP_NOT_SAVED = "No se pudo guardar el mapa: el archivo anterior sigue intacto."


def enemies(path):
    return "Enemigos: %d" % open(path).read().count("/unit/")


def make_map(s, path):
    """A 30 x 20 map of grass in the editor: the hero at (3, 5), a blot at (10, 10), saved as path."""
    new_map(s, "30", "20")
    paint(s, [(PLAYER, [(3, 5)]), (BLOT, [(10, 10)])])
    s.choose("Guardar", path)


def shoot(path):  # the window at the screen's top-left corner, with its labels
    subprocess.run(["import", "-window", "root", "-crop", "720x540+0+0", "+repage", path], check=True)


def installed(games, screens):
    data = os.path.expanduser("~/.local/share/tarnwick")
    shipped = os.path.join(os.path.dirname(games), "share", "tarnwick")
    with Session("installed", programs=games) as s:
        # A new character, the proposed first map, and G.
        s.start("game")
        s.choose("Jugador Nuevo", data + "/personajes/Ana")
        s.see("nombre", "Nombre: Ana - Nivel 1")
        s.choose("Cargar mapa", None)
        s.see("nenemigos", enemies(os.path.join(shipped, "mapas", "default.mapa")))
        shoot(os.path.join(screens, "juego.png"))
        s.key("g")
        assert s.message() == SAVED
        assert open(data + "/personajes/Ana").read() == "Ana,1,0,"
        assert open(data + "/personajes/default").read() == open(shipped + "/personajes/default").read()
        s.choose("Salir")
        s.ended()

        # A map made in the editor lands in his own maps folder, and is played.
        s.start("editor")
        make_map(s, data + "/mapas/propio")
        assert s.message() == SAVED
        shoot(os.path.join(screens, "editor.png"))
        assert enemies(data + "/mapas/propio.mapa") == "Enemigos: 1"
        s.choose("Salir")
        s.ended()
        s.start("game")
        s.choose("Cargar jugador", data + "/personajes/Ana")
        s.choose("Cargar mapa", data + "/mapas/propio.mapa")
        s.see("nenemigos", "Enemigos: 1")
        s.see("exy", "Persona (3,5)")


def portable(folder):
    with Session("read-only", programs=folder) as s:
        # A map of his own, outside the folder, with a blot beside the hero:
        # its kill saves the character at the end of the level.
        fight = os.path.join(s.folder, "lucha.mapa")
        open(fight, "w").write("30,20/inf/1/fin/%s/fin/5,5/fin/6,5:0/unit//fin/" % ("0," * 600))
        s.start("game")
        s.choose("Jugador Nuevo", "personajes/Ana")
        assert s.message() == NOT_CREATED
        s.choose("Cargar jugador", None)
        s.see("nombre", "Nombre: default - Nivel 1")
        s.choose("Cargar mapa", None)
        s.key("g")
        assert s.message() == NOT_SAVED
        s.choose("Cargar mapa", fight)
        s.choose("Cargar jugador", None)
        s.see("nenemigos", "Enemigos: 1")
        s.hold("Right space", s.boxes, "the kill")
        assert s.message() == NOT_SAVED
        s.see("nenemigos", enemies(os.path.join(folder, "mapas", "mapa2.mapa")))  # play goes on
        s.choose("Salir")
        s.ended()
        s.start("editor")
        make_map(s, "mapas/nuevo")
        assert s.message() == MAP_NOT_SAVED


if __name__ == "__main__":
    {"installed": installed, "portable": portable}[sys.argv[1]](*sys.argv[2:])
    print("played as %s: %s" % (os.environ.get("USER", os.getuid()), sys.argv[1]))
