"""Watching the programs from outside, for both end-to-end harnesses: waiting for a
condition, the CPU time a process used, when its windows were mapped and where
they lie, the window manager the tests run under, if any, and what their sessions share."""

import os, shutil, subprocess, tempfile, threading, time  # noqa: E401


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

        # A window manager puts each window in a frame of its own before it maps the
        # frame: the frame's mapping shows the window it holds.
        framed = {}

        def read():
            event = None
            for line in xev.stdout:
                if line[:1].isalpha():
                    event = line.split(b" ")[0], time.monotonic()
                elif event and b" window " in line:  # the window is named on the next line
                    window = line.split(b" window ")[1].split(b",")[0].decode()
                    if event[0] == b"MapNotify":
                        self.mapped.append((event[1], framed.get(window, window)))
                    elif event[0] == b"ReparentNotify":
                        framed[line.split(b" parent ")[1].split(b",")[0].decode()] = window
                    event = None
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


def geometry(window):
    """Where an X window lies on the screen, inside a window manager's frame too: x, y, width, height."""
    info = subprocess.run(["xwininfo", "-id", window], check=True, capture_output=True, text=True).stdout
    found = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
    return tuple(int(found[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


def window_manager(spawn):
    """Starts the window manager named by TARNWICK_WM on the display, if any, and
    returns its name once it manages the screen: "openbox" (Debian's), or None
    for a bare X server, where nothing moves the keyboard focus but the programs."""
    name = os.environ.get("TARNWICK_WM") or None
    if name is None:
        return None
    assert name == "openbox", "TARNWICK_WM=%s: only openbox is known" % name
    spawn("openbox", "--sm-disable")
    wait_for("openbox", lambda: b"window id" in subprocess.run(
        ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True).stdout)
    return name


class XSession:
    """What both harnesses' sessions share: the processes they start (ended, last first, on
    leaving, with the session's folder removed), a private X server, xdotool, the windows
    showing, idle CPU, and a screenshot when a test fails. Subclasses set name, kind,
    folder, procs, cwd (where programs start) and wm."""

    def spawn(self, *args, stdout=subprocess.DEVNULL, cwd=None):
        self.procs.append(subprocess.Popen(args, stdout=stdout, stderr=subprocess.DEVNULL, cwd=cwd or self.cwd))
        return self.procs[-1]

    def daemon(self, *args):  # the first line a daemon prints tells where to reach it
        return self.spawn(*args, stdout=subprocess.PIPE).stdout.readline().decode().strip()

    def x_server(self):
        os.environ["DISPLAY"] = ":" + self.daemon("Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24",
                                                  "-nolisten", "tcp")

    def __enter__(self):
        return self

    def __exit__(self, kind, *_):
        if kind is not None:
            shot = os.path.join(tempfile.gettempdir(), "tarnwick-%s-%s-failure.png" % (self.kind, self.name))
            subprocess.run(["import", "-window", "root", shot])
            print("screenshot of the failure: " + shot)
        self.ending()
        for p in reversed(self.procs):
            p.terminate()
            p.wait(timeout=5)
        shutil.rmtree(self.folder, ignore_errors=True)

    def ending(self):  # before the processes are ended
        pass

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True, timeout=20).stdout

    def window(self, title):  # the X window of the top-level window so titled, once it shows
        return self.xdotool("search", "--sync", "--onlyvisible", "--name", "^%s$" % title).split()[0]

    def count(self, title):  # how many windows so titled show
        return len(subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title],
                                  capture_output=True, text=True).stdout.split())

    def shown(self, title):
        return self.count(title) > 0

    def cpu(self, seconds, pids):
        """Percent of one core the processes `pids()` use together over `seconds` left alone, and
        the seconds. Under a window manager None, after a second: the figures are the bare server's."""
        if self.wm:
            time.sleep(1)
            return None
        pids = pids()
        before, started = sum(map(cpu_seconds, pids)), time.monotonic()
        time.sleep(seconds)
        elapsed = time.monotonic() - started
        return 100 * (sum(map(cpu_seconds, pids)) - before) / elapsed, elapsed
