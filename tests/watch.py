"""Watching the programs from outside, for both end-to-end harnesses: waiting for a
condition, the CPU time a process used, and when its windows were mapped."""

import os, subprocess, threading, time  # noqa: E401


def wait_for(what, predicate, timeout=20.0, interval=0.05):
    end = time.monotonic() + timeout
    while not (value := predicate()):
        assert time.monotonic() < end, "timed out waiting for " + what
        time.sleep(interval)
    return value


def cpu_seconds(pid):  # user and system time used so far
    return sum(map(int, open("/proc/%s/stat" % pid).read().rsplit(")", 1)[1].split()[11:13])) / os.sysconf(
        "SC_CLK_TCK")


class MapWatch:
    """When top-level windows are mapped, to the millisecond, from X's own events:
    xdotool's --sync polls every half second, longer than a window takes to show.
    It listens to the display's root window through xev, started with `spawn`
    (which keeps the process to end it), and is ready before any program starts."""

    def __init__(self, spawn):
        self.mapped, ready = [], threading.Event()
        xev = spawn("xev", "-root", "-event", "substructure", "-event", "property", stdout=subprocess.PIPE)

        def read():
            mapped = None
            for line in xev.stdout:
                if line.startswith(b"MapNotify"):
                    mapped = time.monotonic()
                elif mapped and b" window " in line:  # the mapped window is named on the next line
                    self.mapped.append((mapped, line.split(b" window ")[1].split(b",")[0].decode()))
                    mapped = None
                ready.set()
        threading.Thread(target=read, daemon=True).start()
        # Listening once a change to the root window comes back: only then may a program start.
        wait_for("xev", lambda: subprocess.run(["xprop", "-root", "-f", "TARNWICK", "8s", "-set", "TARNWICK", "1"])
                 and ready.wait(0.05))

    def shown(self, title, since):
        """Seconds from `since` until a top-level window so titled was mapped."""
        def named(window):  # one gone by now is not it
            name = subprocess.run(["xdotool", "getwindowname", window], capture_output=True, text=True).stdout
            return name == title + "\n"
        return wait_for("the window " + title, lambda: next(
            (t - since for t, w in list(self.mapped) if t >= since and named(w)), None), interval=0.005)
