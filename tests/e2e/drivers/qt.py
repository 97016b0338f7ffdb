"""The Qt front end under X: xdotool for keys and the mouse, the accessibility bus for
menus, labels, message boxes and file dialogs."""

import atexit, functools, os, shutil, subprocess, sys, tempfile, time  # noqa: E401

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import x11  # noqa: E402
from x11 import MapWatch, geometry, wait_for  # noqa: E402

EXECUTABLES = {"game": "TarnwickQuest", "editor": "TarnwickEdit"}


def walk(node, role=None, name=None, depth=0):
    try:
        found = [node] if role in (None, node.getRoleName()) and name in (None, node.name) else []
        return found + [n for c in node if c is not None and depth < 12 for n in walk(c, role, name, depth + 1)]
    except Exception:  # noqa: BLE001 (a window closing under our feet)
        return []


def find(app_name, role=None, name=None):
    return [n for app in pyatspi.Registry.getDesktop(0) if app is not None and app.name == app_name
            for n in walk(app, role, name)]


@functools.cache
def buses():
    """A private session bus with the accessibility bus on it, kept for every session of the run:
    the accessibility library finds its bus once. Started with no X server, so none ends them."""
    folder = tempfile.mkdtemp(prefix="tarnwick-buses-")
    env = dict(os.environ, XDG_RUNTIME_DIR=folder)
    env.pop("DISPLAY", None)
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"], env=env,
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def end():
        for p in (launcher, bus):
            p.terminate()
            p.wait(timeout=10)
        shutil.rmtree(folder, ignore_errors=True)
    atexit.register(end)
    return env["DBUS_SESSION_BUS_ADDRESS"]


class Session(x11.Session):
    """A copy of build/bin (TARNWICK_BIN) in the session's folder, or the programs'
    folder given, as it is; the run's session bus with the accessibility bus on it."""
    kind, under, where, counted = "e2e", "", "(Linux)", ""

    def __init__(self, name, programs=None, **display):
        global pyatspi
        super().__init__(name, **display)
        self.bin = programs or os.path.join(self.folder, "bin")
        if not programs:
            shutil.copytree(os.environ.get("TARNWICK_BIN", os.path.join(x11.ROOT, "build", "bin")), self.bin)
        os.environ.update(XDG_RUNTIME_DIR=self.folder, LC_ALL="C.UTF-8", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        os.environ.pop("QT_QPA_PLATFORM", None)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = buses()
        self.watch = MapWatch(self.spawn)
        if self.scale != 1:  # the X server's DPI, as a desktop sets it, read by Qt at start
            subprocess.run(["xrdb", "-nocpp", "-merge"], input=b"Xft.dpi: %d\n" % round(96 * self.scale), check=True)
        import pyatspi  # finds the bus through the environment set above
        wait_for("the accessibility bus", lambda: pyatspi.Registry.getDesktop(0) is not None)

    def start(self, program):
        """Starts "game" or "editor"; returns the seconds until its window was mapped."""
        self.title, self.box, self.size = x11.PROGRAMS[program]
        self.app_name = self.box  # on the bus too
        started = time.monotonic()
        self.program = self.spawn(os.path.join(self.bin, EXECUTABLES[program]), cwd=self.folder)
        shown = self.watch.shown(self.title, started)
        surface = wait_for("the drawing surface", lambda: self.nodes(name="mainpic"))[0]
        # The bus tells places in layout pixels; the screen shows each as k x k below the menu bar.
        self.layout_origin = surface.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)[:2]
        x, y, w, h = geometry(self.window(self.title))
        self.k = w // self.size[0]
        self.origin = x, y + h - self.size[1] * self.k
        return shown

    def ended(self):
        wait_for("the program to end", lambda: self.program.poll() is not None)

    def idle(self, seconds):
        return self.cpu(seconds, lambda: [self.program.pid])

    def resident_mb(self):
        return int(open("/proc/%d/statm" % self.program.pid).read().split()[1]) * os.sysconf("SC_PAGE_SIZE") / 2 ** 20

    def nodes(self, role=None, name=None):
        return find(self.app_name, role, name)

    def menu(self, item):
        self.press(item, "menu item")

    def press(self, name, role):
        """Does a node's action from a helper process: one opening a modal dialog returns when it closes."""
        wait_for("%s %s" % (role, name), lambda: self.nodes(role, name))
        subprocess.Popen(["/usr/bin/python3", __file__, self.app_name, role, name])

    def label(self, name):  # the first line of the label the window names so
        return next((n.name.split("\n")[0] for n in self.nodes("label") if n.description == name), None)

    def label_boxes(self):
        """Where each named label lies in the client area: x, y, width, height."""
        boxes = {}
        for n in self.nodes("label"):
            if n.description:
                x, y, w, h = n.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
                boxes[n.description] = (x - self.layout_origin[0], y - self.layout_origin[1], w, h)
        return boxes

    def boxes(self):  # message boxes open
        return len(self.nodes("alert"))

    def message(self, typed=False):
        """Reads the open message box's text and answers it: with its button, or with Return
        typed wherever the keyboard is, as a player does with the box just opened."""
        box = wait_for("a message box", lambda: self.nodes("alert"))[0]
        text = "\n".join(n.name for n in walk(box, "label") if n.name)
        if typed:
            time.sleep(0.2)  # a box takes no key pressed just after the release of one held as it opened
            self.key("Return", self.box, force=False)
        else:
            walk(box, "push button", "Aceptar")[0].queryAction().doAction(0)
        wait_for("the message box to close", lambda: not self.nodes("alert"))
        return text

    def file_dialog(self, path, keys=False, force=True):
        """Into the open file dialog, and accepted: `path` (None: what it proposes), typed key by key
        if `keys`, into the dialog, or if not `force` wherever the keyboard is once the dialog has it."""
        dialog = wait_for("a file dialog", lambda: [d for d in self.nodes("dialog")
                                                    if d.name in ("Abrir", "Guardar como")])[0]
        field = [n for n in walk(dialog, "text") if n.getState().contains(pyatspi.STATE_EDITABLE)][-1]
        title = dialog.name
        if path is not None:
            path = self.path(path)  # a relative path is in the programs' folder
            field.queryEditableText().setTextContents(os.path.dirname(path) + "/" if keys else path)
            if keys:
                self.type(os.path.basename(path), title, force)
        self.key("Return", title, force)
        wait_for("the file dialog to close", lambda: not self.nodes("dialog", title))

    def dialog_open(self):
        return any(d.name in ("Abrir", "Guardar como") for d in self.nodes("dialog"))

    def fill(self, title, *texts):
        """Into the fields of the dialog so titled, from the one with the keyboard on."""
        for text in texts:
            self.key("ctrl+a", title)
            self.type(text + "\t", title)  # Tab typed: "key" after "type" would be eaten

    def button(self, title, name):
        self.press(name, "push button")

    def move(self, title, to):
        """Moves the window so titled to `to` on the screen; returns where its client area lies then."""
        found = self.window(title)
        self.xdotool("windowmove", "--sync", found, str(to[0]), str(to[1]))
        return geometry(found)[:2]


if __name__ == "__main__":  # Session.press's helper: application, role, name
    import pyatspi
    find(*sys.argv[1:4])[0].queryAction().doAction(0)
