"""Drives the built programs in a private X server as a person or a screen reader would."""

import os, shutil, subprocess, sys, tempfile, time  # noqa: E401

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from watch import MapWatch, XSession, geometry, wait_for, window_manager  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PROGRAMS = {"TarnwickQuest": ("Tarnwick quest 1.0", "Juego"), "TarnwickEdit": ("Tarnwick Editor", "Edit")}


def walk(node, role=None, name=None, depth=0):
    try:
        found = [node] if role in (None, node.getRoleName()) and name in (None, node.name) else []
        return found + [n for c in node if c is not None and depth < 12 for n in walk(c, role, name, depth + 1)]
    except Exception:  # noqa: BLE001 (a window closing under our feet)
        return []


def find(app_name, role=None, name=None):
    return [n for app in pyatspi.Registry.getDesktop(0) if app is not None and app.name == app_name
            for n in walk(app, role, name)]


def tile(x, y, picture=None):  # RGB bytes of the 20 x 20 pixels at (x, y) of a picture or the screen
    source = os.path.join(ROOT, "assets", "pictures", picture + ".png") if picture else "x:root"
    ppm = ["/usr/bin/convert", source, "-crop", "20x20+%d+%d" % (x, y), "-depth", "8", "ppm:-"]
    return subprocess.run(ppm, check=True, capture_output=True).stdout.split(b"\n", 3)[3]


def expected_tile(figure, row):
    """A grass tile with the figure drawn where its mask is black, from the pictures alone."""
    art, mask, grass = tile(0, row, figure), tile(20, row, figure), tile(0, 0, "terrenos")
    return b"".join(art[i:i + 3] if mask[i:i + 3] == b"\0\0\0" else grass[i:i + 3] for i in range(0, 1200, 3))


class Session(XSession):
    """A copy of build/bin in a temporary folder (or the programs' folder given, as it is),
    with its own X display and buses."""
    kind, cwd = "e2e", None

    def __init__(self, name, programs=None):
        global pyatspi
        self.name, self.procs = name, []
        self.folder = tempfile.mkdtemp(prefix="tarnwick-e2e-")  # private: the runtime folder too
        self.bin, self.maps = programs or self.folder + "/bin", self.folder + "/bin/mapas/"
        if not programs:
            shutil.copytree(os.environ.get("TARNWICK_BIN", os.path.join(ROOT, "build", "bin")), self.bin)
        os.environ.update(XDG_RUNTIME_DIR=self.folder, LC_ALL="C.UTF-8", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        os.environ.pop("QT_QPA_PLATFORM", None)
        self.x_server()
        self.wm = window_manager(self.spawn)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.daemon("dbus-daemon", "--session", "--nofork",
                                                             "--print-address=1")
        self.spawn("/usr/libexec/at-spi-bus-launcher", "--launch-immediately")
        self.watch = MapWatch(self.spawn)
        time.sleep(0.3)
        import pyatspi  # finds the bus through the environment set above

    def start(self, program):  # returns the seconds until its window was mapped
        self.title, self.app_name = PROGRAMS[program]
        started = time.monotonic()
        self.program = self.spawn(os.path.join(self.bin, program), cwd=self.folder)
        shown = self.watch.shown(self.title, started)
        surface = wait_for("the drawing surface", lambda: self.nodes(name="mainpic"))[0]
        self.origin = surface.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)[:2]
        return shown

    def idle(self, seconds):  # the program's share of a core, as XSession.cpu
        return self.cpu(seconds, lambda: [self.program.pid])

    def play(self, steps):
        for verb, *args in steps:
            getattr(self, verb)(*args)

    def keys(self, *args, title=None):  # xdotool into a window, the program's unless titled otherwise
        self.xdotool("search", "--sync", "--onlyvisible", "--name", "^%s$" % (title or self.title),
                     "windowfocus", "--sync")
        self.xdotool(*args)  # chained after the search, xdotool would send synthetic events instead

    def screen(self, x, y):  # a point of the drawing surface, on the screen
        return str(self.origin[0] + x), str(self.origin[1] + y)

    def click(self, x, y):  # on the drawing surface
        self.xdotool("mousemove", *self.screen(x, y), "click", "1")

    def closed(self, title):
        wait_for("%s to close" % title, lambda: not self.shown(title))

    def move(self, title, to):
        """Moves the window so titled to `to` on the screen; returns where its top left lies then."""
        found = self.window(title)
        self.xdotool("windowmove", "--sync", found, str(to[0]), str(to[1]))
        return geometry(found)[:2]

    def fill(self, title, *texts):
        for text in texts:
            self.keys("key", "ctrl+a", "type", text + "\t", title=title)  # Tab typed: "type" eats the rest

    def nodes(self, role=None, name=None):
        return find(self.app_name, role, name)

    def press(self, name, role="menu item"):
        """Does a node's action from a helper: one opening a modal dialog returns when it closes."""
        wait_for("%s %s" % (role, name), lambda: self.nodes(role, name))
        subprocess.Popen(["/usr/bin/python3", __file__, self.app_name, role, name])

    def caption(self, which):  # the first line of the label the window names which
        return next((n.name.split("\n")[0] for n in self.nodes("label") if n.description == which), None)

    def label(self, which, want):
        wait_for("label %s to read %r" % (which, want), lambda: self.caption(which) == want)

    def message(self, want, typed=False):
        """Checks the text of the message box and answers it: with its button, or with
        Return typed wherever the keyboard is, as a player does with the box just opened."""
        box = wait_for("a message box", lambda: self.nodes("alert"))[0]
        text = "\n".join(n.name for n in walk(box, "label") if n.name)
        if typed:
            time.sleep(0.2)  # a box takes no key pressed just after the release of one held as it opened
            self.xdotool("key", "Return")
        else:
            walk(box, "push button", "Aceptar")[0].queryAction().doAction(0)
        wait_for("the message box to close", lambda: not self.nodes("alert"))
        assert text == want, "message %r, not %r" % (text, want)

    def dialog(self, name, typed=False, focus=True):
        """Into the open file dialog, typed key by key or not, and accepted (None accepts what it
        proposes): typed into the dialog, or, if not `focus`, wherever the keyboard is, as a player
        types into the dialog that has just opened."""
        dialog = wait_for("a file dialog", lambda: [d for d in self.nodes("dialog")
                                                    if d.name in ("Abrir", "Guardar como")])[0]
        field = [n for n in walk(dialog, "text") if n.getState().contains(pyatspi.STATE_EDITABLE)][-1]
        if name is not None:
            field.queryEditableText().setTextContents("" if typed else name)
        title = dialog.name
        into = self.keys if focus else lambda *args, title: self.xdotool(*args)
        if typed:
            into("type", "--delay", "40", name, title=title)
        into("key", "Return", title=title)
        wait_for("the file dialog to close", lambda: not self.nodes("dialog", title))


if __name__ == "__main__":  # Session.press's helper: application, role, name
    import pyatspi
    find(*sys.argv[1:4])[0].queryAction().doAction(0)
