"""Drives a Windows program under Wine in a private X server, with keys, clicks and screenshots."""

import os, shutil, subprocess, sys, tempfile, time  # noqa: E401

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from watch import MapWatch, XSession, geometry, wait_for, window_manager  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


class Picture:
    """RGB pixels of a PNG, a window or the screen, read through ImageMagick."""

    def __init__(self, source):
        ppm = subprocess.run(["convert", source, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
        _, size, _, self.rgb = ppm.split(b"\n", 3)
        self.w, self.h = map(int, size.split())

    def block(self, x, y, w=20, h=20):
        return [self.rgb[((y + j) * self.w + x) * 3:((y + j) * self.w + x + w) * 3] for j in range(h)]


def picture(name):
    return Picture(os.path.join(ROOT, "assets", "pictures", name + ".png"))


class Session(XSession):
    """A copy of build-windows/bin, a fresh Wine prefix and an X display of its own."""
    kind = "windows"

    def __init__(self, name):
        self.name, self.procs = name, []
        self.folder = tempfile.mkdtemp(prefix="tarnwick-wine-")
        self.bin = self.cwd = os.path.join(self.folder, "bin")
        shutil.copytree(os.environ["TARNWICK_WINDOWS_BIN"], self.bin)
        self.x_server()
        os.environ.update(WINEDEBUG="-all", WINEPREFIX=os.path.join(self.folder, "prefix"))
        self.wm = window_manager(self.spawn)
        started = time.monotonic()
        # Under a window manager Wine's windows are its to manage, as on a desktop.
        subprocess.run([os.path.join(ROOT, "tools", "wine-prefix.sh"), os.environ["WINEPREFIX"]]
                       + (["managed"] if self.wm else []), check=True)
        print("fresh Wine prefix: %.1f s" % (time.monotonic() - started))
        self.watch = MapWatch(self.spawn)

    def idle(self, seconds, exe):
        """The share of a core, as XSession.cpu, of the program's process and the wineserver,
        which serves its every call."""
        prefix = ("WINEPREFIX=%s\0" % os.environ["WINEPREFIX"]).encode()

        def counted(pid):  # by the prefix in its environment: other tests' Wine may be running
            try:
                env, command = (open("/proc/%s/%s" % (pid, f), "rb").read() for f in ("environ", "cmdline"))
            except OSError:  # ended meanwhile
                return False
            return prefix in env and any(name in command.split(b"\0")[0] for name in (exe.encode(), b"wineserver"))

        def pids():
            found = list(filter(counted, filter(str.isdigit, os.listdir("/proc"))))
            assert len(found) == 2, "%s and the wineserver, not %d processes" % (exe, len(found))
            return found
        return self.cpu(seconds, pids)

    def ending(self):
        subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL)

    def start(self, exe, title, width, height, panel, at):
        """Starts the program and finds its client area by a picture it paints at `at`:
        the frame around it must be as wide on the left, right and bottom, so the
        client is exactly width x height. Returns the seconds until the window was mapped."""
        started = time.monotonic()
        self.spawn("wine", exe)
        shown = self.watch.shown(title, started)
        self.main = self.window(title)
        want = picture(panel).block(0, 0)
        shot = wait_for("the painted window", lambda: (p := Picture("x:" + self.main)) and next(
            ((p, x, y) for y in range(0, 80) for x in range(0, 12) if p.block(x + at[0], y + at[1]) == want),
            None))
        shot, self.x0, self.y0 = shot
        assert (shot.w, shot.h) == (width + 2 * self.x0, self.y0 + height + self.x0), \
            "client area of %s in a %dx%d window at (%d, %d)" % (title, shot.w, shot.h, self.x0, self.y0)
        self.left, self.top = geometry(self.main)[:2]
        return shown

    def shot(self):
        return Picture("x:" + self.main)

    def screen(self, x, y):  # a point of the main window's client area, on the screen
        return str(self.left + self.x0 + x), str(self.top + self.y0 + y)

    def click(self, x, y):  # client coordinates of the main window
        self.xdotool("mousemove", *self.screen(x, y), "click", "1")

    def keys(self, *args):
        self.xdotool("windowfocus", "--sync", self.main)
        self.xdotool(*args)

    def menu(self, downs):
        """The item `downs` below the first of the first menu, from the keyboard."""
        # Wine opens the menu's window a moment after each key, later under a window manager.
        self.keys("key", "--delay", "100", "F10", "Return", *["Down"] * downs, "Return")

    def dialog(self, title, path=None, focus=True):
        """Answers a file dialog or a message box: types the path if given, then Return;
        into the window so titled, or, if not `focus`, wherever the keyboard is, as a
        player types into the dialog that has just opened."""
        found = self.window(title)
        # As a person would: a box takes no key pressed within 100 ms of the
        # release of one held when it opened (the Return that closed the dialog before).
        time.sleep(0.2)
        into = ["windowfocus", "--sync", found] if focus else []
        if path:
            self.xdotool(*into, "key", "ctrl+a", "type", "--delay", "20", path)
        self.xdotool(*into, "key", "Return")
        wait_for("%s to close" % title, lambda: not self.shown(title))

    def move(self, title, width, height, to):
        """Drags the window so titled by its caption, as a person would, until its
        width x height client area lies at `to` on the screen."""
        found = self.window(title)

        def client():
            x, y, w, h = geometry(found)
            side = (w - width) // 2  # the frame Wine draws, or none inside a window manager's
            return x + side, y + h - side - height
        start = client()
        grip = start[0] + 60, start[1] - 8  # on the caption
        self.xdotool("mousemove", str(grip[0]), str(grip[1]), "mousedown", "1")
        for i in range(1, 11):
            self.xdotool("mousemove", str(grip[0] + (to[0] - start[0]) * i // 10),
                         str(grip[1] + (to[1] - start[1]) * i // 10))
        self.xdotool("mouseup", "1")
        wait_for("%s to move" % title, lambda: client() == tuple(to))

    def texts(self, title):
        """The texts of the window so titled (a message box's, or the editor's labels),
        read from its controls inside Wine, one per line; None while it is not open."""
        got = subprocess.run(["wine", os.environ["TARNWICK_BOXTEXT"], title], capture_output=True, timeout=20)
        return got.stdout.decode("utf-8").replace("\r", "").strip() if got.returncode == 0 else None

    def box_text(self, title):
        """The text of the message box so titled."""
        self.window(title)
        return wait_for("the text of the box %s" % title, lambda: self.texts(title))

    def label(self, title, start):
        """The text of the label of the window so titled that starts with `start`."""
        return next((t for t in (self.texts(title) or "").splitlines() if t.startswith(start)), None)

    def windows_path(self, *parts):
        return "Z:" + os.path.join(self.bin, *parts).replace("/", "\\")
