"""The game's sounds recorded from a private sound server: each arrives whole and as loud as its file."""

import array, os, signal, subprocess, time, wave  # noqa: E401

from harness import Session, wait_for


def sounds(path):  # (seconds, peak) of each stretch above -40 dBFS, stretches parted by 0.1 s of silence
    w, runs = wave.open(path), []
    for i, v in enumerate(array.array("h", w.readframes(w.getnframes()))):
        if abs(v) > 328:
            runs += [[i, i, 0]] if not runs or i - runs[-1][1] > w.getframerate() / 10 else []
            runs[-1][1:] = i, max(runs[-1][2], abs(v))
    return [(round((end - start) / w.getframerate(), 3), round(peak / 32768, 3)) for start, end, peak in runs]


pactl = lambda *args: subprocess.run(["pactl", *args], capture_output=True, text=True).stdout  # noqa: E731

with Session("sound") as s:
    os.environ["HOME"] = s.folder  # the server's cookie and state stay in the test's folder
    # Its only sink, rewinds off: a stream joining the running sink is recorded from its first sample.
    s.spawn("pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n", "--load=module-always-sink",
            "--load=module-native-protocol-unix", "--load=module-null-sink sink_name=probe norewinds=1")
    wait_for("the sound server", lambda: "probe" in pactl("list", "short", "sinks"))
    record = s.spawn("parecord", "--latency-msec=20", "--device=probe.monitor", "--channels=1",
                     "--file-format=wav", s.folder + "/heard.wav")
    wait_for("the recorder", lambda: pactl("list", "short", "source-outputs"))
    pactl("suspend-sink", "probe", "1"), pactl("suspend-sink", "probe", "0")  # the null sink's data flows at once

    files = [sounds(s.bin + "/sonidos/" + f)[0] for f in ("hit0.wav", "dead.wav")]
    # A "Borrego mutante" (kind 2) just south of the hero, whom the map turns to face south.
    open(s.maps + "golpe.mapa", "w").write("9,9/inf//fin/%s/fin/4,4/fin/4,5:2/unit//fin/" % ("0," * 81))
    s.start("TarnwickQuest")
    s.play([("press", "Jugador Nuevo"), ("dialog", "Ana"), ("press", "Cargar mapa"), ("dialog", s.maps + "golpe.mapa"),
            ("label", "nenemigos", "Enemigos: 1"), ("keys", "keydown", "space", "sleep", "0.7", "keyup", "space")])
    wait_for("the hero's death", lambda: [n for n in s.nodes("label") if "Vida: 0/" in n.name], timeout=10)
    time.sleep(1.5)
    record.send_signal(signal.SIGINT)
    record.wait(timeout=5)
    heard = sounds(s.folder + "/heard.wav")  # a strike every 0.3 s while Space was held, then the death
    want = [files[0]] * (len(heard) - 1) + [files[1]]
    assert len(heard) >= 3 and all(abs(h[0] - w[0]) < 0.03 and abs(h[1] - w[1]) < 0.05 for h, w in zip(heard, want)), \
        "recorded (seconds, peak) %s, not those of the files %s" % (heard, want)
