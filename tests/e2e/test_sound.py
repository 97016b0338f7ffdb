"""The game's sounds recorded from a private sound server: each strike and the death arrive whole
and as loud as their files, and nothing else, though several sheep strike the fallen hero in the
tick of his death."""

import os, time  # noqa: E401

from harness import Session, wait_for
from listen import FIGHT_MAP, Recorder, judge  # the harness puts tests/ on the path

with Session("sound") as s:
    recorder = Recorder(s.spawn, s.folder)
    open(s.maps + "pelea.mapa", "w").write(FIGHT_MAP)
    s.start("TarnwickQuest")
    s.play([("press", "Jugador Nuevo"), ("dialog", "Ana"), ("press", "Cargar mapa"), ("dialog", s.maps + "pelea.mapa"),
            ("label", "nenemigos", "Enemigos: 6"), ("keys", "keydown", "space", "sleep", "1.6", "keyup", "space"),
            ("label", "nenemigos", "Enemigos: 5")])
    time.sleep(0.5)
    s.keys("keydown", "Up+Right", "sleep", "0.05", "keyup", "Up+Right")  # one step: the sheep see him
    wait_for("the hero's death", lambda: [n for n in s.nodes("label") if "Vida: 0/" in n.name], timeout=10)
    time.sleep(1.5)
    judge(recorder.heard(), os.path.join(s.bin, "sonidos"), "(Linux)")
