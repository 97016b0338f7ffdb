"""Hearing the game from outside: a private PulseAudio server
whose only sink is recorded, the stretches of sound in a WAV, and the fight the sound scenario plays."""

import array, os, signal, subprocess  # noqa: E401

from x11 import wait_for


def samples(path):
    """The rate and the samples of a mono 16-bit WAV; one still being written, as far as it goes."""
    data = open(path, "rb").read()
    body = data[data.index(b"data") + 8:]
    return int.from_bytes(data[data.index(b"fmt ") + 12:][:4], "little"), array.array("h", body[:len(body) // 2 * 2])


def stretches(wav, rate, runs, start=0):
    """Adds to runs [start, end, peak] (in frames) each stretch of wav[start:] above -40 dBFS,
    stretches parted by 25 ms of silence."""
    for i in range(start, len(wav)):
        if abs(wav[i]) > 328:
            runs += [[i, i, 0]] if not runs or i - runs[-1][1] > rate / 40 else []
            runs[-1][1:] = i, max(runs[-1][2], abs(wav[i]))
    return runs


def sounds(path):
    """(seconds, peak) of each stretch of sound. Strikes come 0.3 s apart and sound for 0.174 s,
    but a first play may start 90 ms late (under Wine); a busy machine may drop some 12 ms from
    a sound, which still counts as one."""
    rate, wav = samples(path)
    return [(round((end - start) / rate, 3), round(peak / 32768, 3)) for start, end, peak in stretches(wav, rate, [])]


def pactl(*args):
    return subprocess.run(["pactl", *args], capture_output=True, text=True).stdout


class Recorder:
    """A sound server of the test's own, its socket, cookie and state in `folder`, recording
    from its first sample whatever a program started afterwards plays. `spawn` keeps the
    processes to end them."""

    def __init__(self, spawn, folder):
        os.environ.update(HOME=folder, XDG_RUNTIME_DIR=folder, PULSE_SERVER="unix:%s/pulse/native" % folder)
        # Its only sink, rewinds off: a stream joining the running sink is recorded from its first sample.
        spawn("pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n", "--load=module-always-sink",
              "--load=module-native-protocol-unix", "--load=module-null-sink sink_name=probe norewinds=1")
        wait_for("the sound server", lambda: "probe" in pactl("list", "short", "sinks"))
        self.path = os.path.join(folder, "heard.wav")
        self.recording = spawn("parecord", "--latency-msec=20", "--device=probe.monitor", "--channels=1",
                               "--file-format=wav", self.path)
        wait_for("the recorder", lambda: pactl("list", "short", "source-outputs"))
        pactl("suspend-sink", "probe", "1"), pactl("suspend-sink", "probe", "0")  # the null sink's data flows at once

    def quiet(self, count, seconds):
        """Waits until `count` sounds were recorded, then `seconds` of silence."""
        runs, scanned = [], [0]

        def done():  # reading on from where it stopped: the fight goes on meanwhile
            rate, wav = samples(self.path)
            stretches(wav, rate, runs, scanned[0])
            scanned[0] = len(wav)
            return len(runs) >= count and len(wav) - runs[-1][1] >= seconds * rate
        try:
            wait_for("%d sounds, then %.1f s of silence" % (count, seconds), done, interval=0.2)
        except AssertionError:
            rate = samples(self.path)[0]
            raise AssertionError("timed out waiting for %d sounds, then %.1f s of silence; heard %s" % (
                count, seconds, [(round(s / rate, 2), round((e - s) / rate, 3)) for s, e, _ in runs])) from None

    def heard(self):
        self.recording.send_signal(signal.SIGINT)
        self.recording.wait(timeout=5)
        return sounds(self.path)


# The hero starts at (6, 8) facing south, a blot ("Mancha asesina", kind 0) below him. Held
# Space kills it in four strikes, each heard whole, and strikes nothing after; the blot
# strikes back, 2 a time, until it dies. Five sheep ("Borrego mutante", kind 2) stand just
# out of his sight, which one step up and right, to (7, 7), brings them into: from four
# cells away they walk in together, then strike together every third tick. Their first
# volley leaves him 10 to 20 life, the second fells him with its second or third strike,
# and the other sheep strike the fallen hero in the same tick.
FIGHT_MAP = "30,20/inf//fin/%s/fin/6,8/fin/6,9:0/unit/%s/fin/" % (
    "0," * 600, "".join("%d,%d:2/unit/" % xy for xy in ((3, 3), (7, 3), (11, 3), (11, 7), (11, 11))))
STRIKES = 4


def judge(heard, sonidos, where):
    """Every strike and the death recorded whole and as loud as their files, and nothing else;
    prints each sound's length in its file and as recorded."""
    files = {name: sounds(os.path.join(sonidos, name))[0] for name in ("hit0.wav", "dead.wav")}
    want = ["hit0.wav"] * STRIKES + ["dead.wav"]
    for i in range(max(len(want), len(heard))):
        name = want[i] if i < len(want) else "nothing"
        length = "%.3f s in the file" % files[name][0] if name in files else "not in the game"
        recorded = "recorded %.3f s, peak %.2f" % heard[i] if i < len(heard) else "not recorded"
        print("sound %s %d %s: %s, %s" % (where, i + 1, name, length, recorded))
    assert len(heard) == len(want) and all(
        abs(h[0] - files[w][0]) < 0.03 and abs(h[1] - files[w][1]) < 0.05 for h, w in zip(heard, want)), \
        "recorded (seconds, peak) %s, not %s" % (heard, [files[w] for w in want])
