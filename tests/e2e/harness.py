"""Drives the built programs in a private X server as a person or a screen reader would."""

import os, shutil, subprocess, sys, tempfile, time  # noqa: E401

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PROGRAMS = {"TarnwickQuest": ("Tarnwick quest 1.0", "Juego"), "TarnwickEdit": ("Tarnwick Editor", "Edit")}


def wait_for(what, predicate, timeout=20.0, interval=0.1):
    end = time.monotonic() + timeout
    while not (value := predicate()):
        assert time.monotonic() < end, "timed out waiting for " + what
        time.sleep(interval)
    return value


def walk(node, role=None, name=None, depth=0):
    """The accessible nodes under node (itself included) with this role and name."""
    try:
        found = [node] if role in (None, node.getRoleName()) and name in (None, node.name) else []
        return found + [n for c in node if c is not None and depth < 12 for n in walk(c, role, name, depth + 1)]
    except Exception:  # noqa: BLE001 (a window closing under our feet)
        return []


def find(app_name, role=None, name=None):
    return [n for app in pyatspi.Registry.getDesktop(0) if app is not None and app.name == app_name
            for n in walk(app, role, name)]


def picture(path=None):
    """(width, RGB bytes) of a picture file or, without one, the screen."""
    source = ["/usr/bin/convert", path] if path else ["import", "-window", "root"]
    data = subprocess.run(source + ["-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    _, size, _, pixels = data.split(b"\n", 3)
    return int(size.split()[0]), pixels


def tile(shot, x, y):
    """The 20 x 20 pixels whose top-left corner is (x, y), row after row."""
    w, pixels = shot
    return b"".join(pixels[3 * ((y + j) * w + x):3 * ((y + j) * w + x + 20)] for j in range(20))


def expected_tile(figure, row):
    """A grass tile with the figure drawn where its mask is black, from the pictures alone."""
    sheet = picture(os.path.join(ROOT, "assets", "pictures", figure + ".png"))
    grass = tile(picture(os.path.join(ROOT, "assets", "pictures", "terrenos.png")), 0, 0)
    art, mask = tile(sheet, 0, row), tile(sheet, 20, row)
    return b"".join(art[i:i + 3] if mask[i:i + 3] == b"\0\0\0" else grass[i:i + 3] for i in range(0, 1200, 3))


class Session:
    """A copy of build/bin in a temporary folder, with its own X display and buses."""

    def __init__(self, name):
        global pyatspi
        self.name, self.procs = name, []
        self.folder = tempfile.mkdtemp(prefix="tarnwick-e2e-")
        self.bin = os.path.join(self.folder, "bin")
        shutil.copytree(os.environ.get("TARNWICK_BIN", os.path.join(ROOT, "build", "bin")), self.bin)
        os.makedirs(os.path.join(self.folder, "runtime"), mode=0o700)
        os.environ.update(XDG_RUNTIME_DIR=os.path.join(self.folder, "runtime"), LC_ALL="C.UTF-8",
                          QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        os.environ.pop("QT_QPA_PLATFORM", None)
        os.environ["DISPLAY"] = ":" + self.daemon("Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24",
                                                  "-nolisten", "tcp")
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.daemon("dbus-daemon", "--session", "--nofork",
                                                             "--print-address=1")
        self.spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        time.sleep(0.3)
        import pyatspi  # finds the bus through the environment set above

    def spawn(self, args, stdout=subprocess.DEVNULL, **options):
        self.procs.append(subprocess.Popen(args, stdout=stdout, stderr=subprocess.DEVNULL, **options))
        return self.procs[-1]

    def daemon(self, *args):
        """Starts a daemon and returns the first line it prints: where to reach it."""
        return self.spawn(args, stdout=subprocess.PIPE).stdout.readline().decode().strip()

    def __enter__(self):
        return self

    def __exit__(self, kind, *_):
        if kind is not None:
            shot = os.path.join(tempfile.gettempdir(), "tarnwick-e2e-%s-failure.png" % self.name)
            subprocess.run(["import", "-window", "root", shot])
            print("screenshot of the failure: " + shot)
        for p in reversed(self.procs):
            p.terminate()
            p.wait(timeout=5)
        shutil.rmtree(self.folder, ignore_errors=True)

    def start(self, program):
        """Starts a program and returns the seconds until its window showed."""
        started = time.monotonic()
        self.program = self.spawn([os.path.join(self.bin, program)], cwd=self.folder)
        title, self.app_name = PROGRAMS[program]
        self.window = self.xdotool("search", "--sync", "--onlyvisible", "--name", "^%s$" % title).split()[0]
        shown = time.monotonic() - started
        self.focus()
        surface = wait_for("the drawing surface", lambda: self.nodes(name="mainpic"))[0]
        box = surface.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.origin = box.x, box.y
        return shown

    def path(self, *parts):
        return os.path.join(self.bin, *parts)

    def play(self, steps):
        """Runs steps given as (method name, arguments...)."""
        for verb, *args in steps:
            getattr(self, verb)(*args)

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True, timeout=20).stdout

    def focus(self, window=None):
        self.xdotool("windowfocus", "--sync", window or self.window)

    def keys(self, *args):
        """xdotool into the program's window: keys tapped, held, let go."""
        self.focus()
        self.xdotool(*args)

    def click(self, x, y):
        """Clicks at (x, y) of the drawing surface."""
        self.xdotool("mousemove", str(self.origin[0] + x), str(self.origin[1] + y), "click", "1")

    def fill(self, title, *texts):
        """Types texts into the window titled title, one field after another."""
        self.focus(self.xdotool("search", "--sync", "--onlyvisible", "--name", "^%s$" % title).split()[0])
        for text in texts:
            self.xdotool("key", "ctrl+a", "type", text)  # type takes every word after it
            self.xdotool("key", "Tab")

    def nodes(self, role=None, name=None):
        return find(self.app_name, role, name)

    def press(self, role, name):
        """Does a node's action from a helper: one opening a modal dialog returns when it closes."""
        wait_for("%s %s" % (role, name), lambda: self.nodes(role, name))
        subprocess.Popen(["/usr/bin/python3", __file__, self.app_name, role, name])

    def menu(self, item):
        self.press("menu item", item)

    def label(self, which, want):
        """Waits until the first line of the label the window names which reads want."""
        wait_for("label %s to read %r" % (which, want), lambda: [
            n.name.split("\n")[0] for n in self.nodes("label") if n.description == which] == [want])

    def message(self, want):
        """Waits for a message box, answers it with "Aceptar", and checks its text."""
        box = wait_for("a message box", lambda: self.nodes("alert"))[0]
        text = "\n".join(n.name for n in walk(box, "label") if n.name)
        walk(box, "push button", "Aceptar")[0].queryAction().doAction(0)
        wait_for("the message box to close", lambda: not self.nodes("alert"))
        assert text == want, "message %r, not %r" % (text, want)

    def dialog(self, name, typed=False):
        """Puts a name into the open file dialog, typed key by key or not, and accepts it."""
        dialog = wait_for("a file dialog", lambda: [d for d in self.nodes("dialog")
                                                    if d.name in ("Abrir", "Guardar como")])[0]
        field = [n for n in walk(dialog, "text") if n.getState().contains(pyatspi.STATE_EDITABLE)][-1]
        field.queryEditableText().setTextContents("" if typed else name)
        title = dialog.name
        self.focus(self.xdotool("search", "--onlyvisible", "--name", "^%s$" % title).split()[0])
        if typed:
            self.xdotool("type", "--delay", "40", name)
            wait_for("the typed name", lambda: field.queryText().getText(0, -1) == name, timeout=5)
        self.xdotool("key", "Return")
        wait_for("the file dialog to close", lambda: not self.nodes("dialog", title))


if __name__ == "__main__":  # Session.press's helper: application, role, name
    import pyatspi
    find(*sys.argv[1:4])[0].queryAction().doAction(0)
