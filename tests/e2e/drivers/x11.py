"""What the X front ends' drivers share: a private X server whose keys, clicks and screenshots
go to the windows that should have them. Every wait is on a condition with a deadline a loaded
machine meets (DEADLINE); a key goes out only once its window has the keyboard."""

import atexit, os, shutil, subprocess, tempfile, threading, time  # noqa: E401

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
DEADLINE = 60.0
# Title, message boxes' title and client size of each program's main window.
PROGRAMS = {"game": ("Tarnwick quest 1.0", "Juego", (720, 526)), "editor": ("Tarnwick Editor", "Edit", (714, 428))}


def wait_for(what, predicate, timeout=DEADLINE, interval=0.05):
    end = time.monotonic() + timeout
    while not (value := predicate()):
        assert time.monotonic() < end, "timed out waiting for " + what
        time.sleep(interval)
    return value


def cpu_seconds(pid):  # user and system time used so far
    return sum(map(int, open("/proc/%s/stat" % pid).read().rsplit(")", 1)[1].split()[11:13])) / os.sysconf(
        "SC_CLK_TCK")


class Picture:
    """RGB pixels of a PNG, a window or the screen (or a part of it), read through ImageMagick."""

    def __init__(self, source, crop=None, k=1):
        """At a display scale k, the crop is k times larger and each k x k block read as one pixel."""
        cut = ["-crop", "%dx%d+%d+%d" % (crop[2], crop[3], crop[0], crop[1]), "+repage"] if crop else []
        if k > 1:
            cut += ["-sample", "%dx%d!" % (crop[2] // k, crop[3] // k)]
        ppm = subprocess.run(["/usr/bin/convert", source, *cut, "-depth", "8", "ppm:-"], check=True,
                             capture_output=True).stdout
        _, size, _, self.rgb = ppm.split(b"\n", 3)
        self.w, self.h = map(int, size.split())

    def block(self, x, y, w=20, h=20):  # its rows
        return [self.rgb[((y + j) * self.w + x) * 3:((y + j) * self.w + x + w) * 3] for j in range(h)]

    def at(self, x, y):
        return self.rgb[(y * self.w + x) * 3:(y * self.w + x) * 3 + 3]

    def enlarged(self, k):
        """Each pixel as k x k, as a crisp display scale k shows it: the rows."""
        rows = [b"".join(self.rgb[i:i + 3] * k for i in range(j * self.w * 3, (j + 1) * self.w * 3, 3))
                for j in range(self.h)]
        return [row for row in rows for _ in range(k)]


def picture(name):
    return Picture(os.path.join(ROOT, "assets", "pictures", name + ".png"))


class MapWatch:
    """When top-level windows are mapped, to the millisecond, from X's own events
    (xev on the root window), ready before any program starts."""

    def __init__(self, spawn):
        self.mapped, ready = [], threading.Event()
        xev = spawn("xev", "-root", "-event", "substructure", "-event", "property", stdout=subprocess.PIPE)
        # A window manager frames each window before it maps the frame: the frame's mapping shows the window.
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
        # Listening once a change to the root window comes back.
        said = [""]

        def listening():
            assert xev.poll() is None, "xev ended (status %s) before it listened" % xev.returncode
            said[0] = subprocess.run(["xprop", "-root", "-f", "TARNWICK", "8s", "-set", "TARNWICK", "1"],
                                     capture_output=True, text=True).stderr.strip()
            return ready.wait(0.05)
        try:
            wait_for("xev", listening)
        except AssertionError as e:
            raise AssertionError("%s; xprop said: %r" % (e, said[0])) from None

    def shown(self, title, since):
        """Seconds from `since` until a top-level window so titled was mapped."""
        def named(window):
            name = subprocess.run(["xdotool", "getwindowname", window], capture_output=True, text=True).stdout
            return name == title + "\n"
        return wait_for("the window " + title, lambda: next(
            (t - since for t, w in list(self.mapped) if t >= since and named(w)), None), interval=0.005)

    def any_since(self, since):  # a window (a menu's, say) mapped since then
        return any(t >= since for t, _ in list(self.mapped))


def geometry(window):
    """Where an X window lies on the screen, inside a window manager's frame too: x, y, width, height."""
    info = subprocess.run(["xwininfo", "-id", window], check=True, capture_output=True, text=True).stdout
    found = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
    return tuple(int(found[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


class Driver:
    """What every driver's session shares: the processes it starts, ended on leaving, last first;
    keys held until they show, menu items that open a file dialog."""
    cwd = None

    def hold(self, keys, until, what, into=None, force=True):
        """Holds keys until the program shows their effect, then lets go; returns what `until` found."""
        self.down(keys, into, force)
        try:
            return wait_for(what, until)
        finally:
            self.up(keys)

    def choose(self, item, path=..., **how):
        """A menu item chosen, and the file dialog it opens answered with `path` (as file_dialog)."""
        self.menu(item)
        if path is not ...:
            self.file_dialog(path, **how)


    def spawn(self, *args, stdout=subprocess.DEVNULL, cwd=None, env=None, stderr=subprocess.DEVNULL):
        self.procs.append(subprocess.Popen(args, stdout=stdout, stderr=stderr, cwd=cwd or self.cwd, env=env))
        return self.procs[-1]

    def daemon(self, *args):  # the first line a daemon prints tells where to reach it
        return self.spawn(*args, stdout=subprocess.PIPE).stdout.readline().decode().strip()

    def __enter__(self):
        return self

    def end_processes(self):
        while self.procs:
            p = self.procs.pop()
            p.terminate()
            p.wait(timeout=10)


class Session(Driver):
    """A private X server (openbox on it if TARNWICK_WM says so) and the processes started, ended
    on leaving; a screenshot if a scenario fails. On start: title, box (its boxes' title), size, origin."""

    def __init__(self, name, scale=1, screen=(1024, 768)):
        """`scale` is the display's (1.5 for 144 dots per inch), on a screen of that size."""
        self.name, self.procs, self.scale, self.k = name, [], scale, 1
        self.folder = tempfile.mkdtemp(prefix="tarnwick-%s-" % self.kind)  # private: the runtime folder too
        # Setting up may fail before the session is entered: then nothing is left behind at exit.
        atexit.register(self.end)
        os.environ["DISPLAY"] = ":" + self.daemon("Xvfb", "-displayfd", "1", "-screen", "0", "%dx%dx24" % screen,
                                                  "-nolisten", "tcp", "-noreset")
        self.wm = os.environ.get("TARNWICK_WM") or None
        if self.wm:  # nothing but the programs moves the keyboard focus on a bare server
            assert self.wm == "openbox", "TARNWICK_WM=%s: only openbox is known" % self.wm
            self.spawn("openbox", "--sm-disable")
            wait_for("openbox", lambda: b"window id" in subprocess.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True).stdout)

    def __exit__(self, kind, *_):
        if kind is not None:
            shot = os.path.join(tempfile.gettempdir(), "tarnwick-%s-%s-failure.png" % (self.kind, self.name))
            subprocess.run(["import", "-window", "root", shot])
            print("screenshot of the failure: " + shot)
        getattr(self, "ending", lambda: None)()
        self.end()

    def end(self):  # the processes, last first, and the folder
        self.end_processes()
        shutil.rmtree(self.folder, ignore_errors=True)

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True, timeout=DEADLINE).stdout

    # Windows, found by their titles.
    def windows(self, title):
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title],
                              capture_output=True, text=True).stdout.split()

    def window(self, title):  # once it shows
        return wait_for("the window " + title, lambda: self.windows(title))[0]

    def shown(self, title):
        return bool(self.windows(title))

    def closed(self, title):
        wait_for("%s to close" % title, lambda: not self.shown(title))

    # The keyboard.
    def focus(self, title=None, force=True):
        """Waits until the window so titled (the main one if None) has the keyboard: given
        to it if `force`, else as it takes it by itself (a dialog just opened, a window
        a dialog gave back to), as a player waits for it before typing."""
        title, where = title or self.title, [None]

        def has():
            where[0] = self.keyboard()
            if where[0] == title:
                return True
            if force:
                subprocess.run(["xdotool", "windowfocus", self.window(title)], capture_output=True)
            return False
        try:
            wait_for("the keyboard in " + title, has)
        except AssertionError:
            raise AssertionError("the keyboard stayed in %r, not in %s" % (where[0], title)) from None

    def keyboard(self):  # the title of the window the keys go to
        return subprocess.run(["xdotool", "getwindowfocus", "getwindowname"], capture_output=True,
                              text=True).stdout.strip()

    def key(self, keys, into=None, force=True):
        """Taps keys ("Down", "ctrl+a", "Up+Right") into a window, the main one if None."""
        self.focus(into, force)
        self.xdotool("key", keys)

    def type(self, text, into=None, force=True):
        self.focus(into, force)
        self.xdotool("type", "--delay", "20", text)

    def down(self, keys, into=None, force=True):  # keys ("Right space") held
        self.focus(into, force)
        self.xdotool("keydown", *keys.split())

    def up(self, keys):
        self.xdotool("keyup", *keys.split())

    def keys(self, *steps):
        """Keys sent in one go wherever the keyboard is: ("down" | "up" | "tap", keys), or a pause in seconds."""
        verbs = {"down": "keydown", "up": "keyup", "tap": "key"}
        self.xdotool(*[a for s in steps for a in (["sleep", str(s)] if isinstance(s, (int, float))
                                                   else [verbs[s[0]], *s[1].split()])])

    # The mouse, in the main window's client coordinates (layout pixels: at the
    # display scale k, the middle of the k x k device pixels of one).
    def screen(self, x, y):
        return str(self.origin[0] + x * self.k + self.k // 2), str(self.origin[1] + y * self.k + self.k // 2)

    def click(self, x, y, screen=False):  # at a point of the screen if `screen`
        self.xdotool("mousemove", *(map(str, (x, y)) if screen else self.screen(x, y)), "click", "1")

    def mouse(self, x, y, button=None):
        """Moves the pointer to (x, y), then presses ("down") or lets go ("up") the first button."""
        self.xdotool("mousemove", *self.screen(x, y), *(["mouse" + button, "1"] if button else []))

    def open_menu(self, menu):
        """Opens a menu of the menu bar with a click and waits for it to show: the keys walk it then."""
        since = time.monotonic()
        self.click(MENU_BAR[menu], -10)
        wait_for("the menu " + menu, lambda: self.watch.any_since(since))

    def pixels(self):  # the main window's client area, a pixel per layout pixel
        return Picture("x:root", (*self.origin, *(n * self.k for n in self.size)), self.k)

    def shot(self):  # the same as the display shows it, k x k device pixels per layout pixel
        return Picture("x:root", (*self.origin, *(n * self.k for n in self.size)))

    def see(self, name, want):
        """Waits for the label `name` to read `want`."""
        wait_for("label %s to read %r" % (name, want), lambda: self.label(name) == want)

    def resident_mb(self):  # None where not measured
        return None

    # The program's folder.
    def path(self, *parts):  # a relative path is in the programs' folder
        return os.path.join(self.bin, *parts)

    def files(self, folder):
        return sorted(os.listdir(self.path(folder)))

    def read(self, *parts):
        return open(self.path(*parts)).read()

    def write(self, relative, text):
        open(self.path(relative), "w").write(text)

    def cpu(self, seconds, pids):
        """Percent of one core the processes `pids()` use together over `seconds` left alone, and
        the seconds. Under a window manager None: the figures are the bare server's."""
        if self.wm:
            time.sleep(1)  # what a key typed before might do has happened
            return None
        pids = pids()
        before, started = sum(map(cpu_seconds, pids)), time.monotonic()
        time.sleep(seconds)
        elapsed = time.monotonic() - started
        return 100 * (sum(map(cpu_seconds, pids)) - before) / elapsed, elapsed


# Where each menu's title lies over the client area.
MENU_BAR = {"Archivo": 25, "Ayuda": 69}
