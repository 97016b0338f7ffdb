"""The Windows game's sounds under Wine, recorded from a private sound server through Wine's
PulseAudio driver: each strike and the death arrive whole and as loud as their files, and nothing
else, though several sheep strike the fallen hero in the tick of his death."""

import os, time  # noqa: E401

from wine import Session
from listen import FIGHT_MAP, Recorder, judge  # the harness puts tests/ on the path

with Session("sound") as s:
    recorder = Recorder(s.spawn, s.folder)  # before Wine starts: its driver finds the server at start-up
    open(os.path.join(s.bin, "mapas", "pelea.mapa"), "w").write(FIGHT_MAP)
    s.start("TarnwickQuest.exe", "Tarnwick quest 1.0", 720, 526, "derecha", (600, 0))
    s.menu(0)  # "Jugador Nuevo"
    s.dialog("Save As", s.windows_path("personajes", "Ana"))
    s.menu(3)  # "Cargar mapa"
    s.dialog("Open", s.windows_path("mapas", "pelea.mapa"))
    s.keys("keydown", "space", "sleep", "1.6", "keyup", "space")  # four strikes kill the blot
    time.sleep(0.5)
    s.keys("keydown", "Up+Right", "sleep", "0.05", "keyup", "Up+Right")  # one step: the sheep see him
    time.sleep(2.5)  # they walk in, strike twice 0.3 s apart, and his death sounds for 0.9 s
    judge(recorder.heard(), os.path.join(s.bin, "sonidos"), "under Wine")
