"""Runs the built programs in a private X server and drives them from outside,
as a person or a screen reader would: xdotool for keys and the mouse, the
accessibility bus for menus, labels, message boxes and file dialogs.

Each test makes a Session: a copy of build/bin in a temporary folder, its own
Xvfb display, its own session bus with the accessibility bus on it.
"""

import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
PICTURES = os.path.join(ROOT, "assets", "pictures")

TITLES = {"TarnwickQuest": "Tarnwick quest 1.0", "TarnwickEdit": "Tarnwick Editor"}
APP_NAMES = {"TarnwickQuest": "Juego", "TarnwickEdit": "Edit"}


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(what, predicate, timeout=15.0, interval=0.1):
    """Polls until predicate() gives something true; returns it."""
    end = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what)
        time.sleep(interval)


class Picture:
    """An RGB picture read through ImageMagick as PPM."""

    def __init__(self, data):
        assert data[:2] == b"P6"
        assert data.split(maxsplit=4)[3] == b"255", "8-bit pictures only"
        parts = data.split(maxsplit=4)
        self.w, self.h = int(parts[1]), int(parts[2])
        self.pixels = parts[4][: self.w * self.h * 3]

    @staticmethod
    def load(path):
        return Picture(subprocess.run(["/usr/bin/convert", path, "-depth", "8", "ppm:-"], check=True,
                                      capture_output=True).stdout)

    def at(self, x, y):
        i = 3 * (y * self.w + x)
        r, g, b = self.pixels[i:i + 3]
        return (r << 16) | (g << 8) | b


def sheet(name):
    return Picture.load(os.path.join(PICTURES, name + ".png"))


def expected_tile(ground, figure_sheet=None, row=0):
    """A 20 x 20 tile as the programs compose it: the ground, then the figure
    wherever its mask is black. Worked out here from the pictures alone."""
    terrain = sheet("terrenos")
    tile = []
    for j in range(20):
        for i in range(20):
            c = terrain.at(20 * ground + i, j)
            if figure_sheet is not None and figure_sheet.at(20 + i, row + j) == 0:
                c = figure_sheet.at(i, row + j)
            tile.append(c)
    return tile


class Session:
    def __init__(self, name):
        self.name = name
        self.folder = tempfile.mkdtemp(prefix="tarnwick-e2e-")
        self.bin = os.path.join(self.folder, "bin")
        build = os.environ.get("TARNWICK_BIN", os.path.join(ROOT, "build", "bin"))
        shutil.copytree(build, self.bin)
        self.procs = []
        self.env = dict(os.environ)
        runtime = os.path.join(self.folder, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.env["XDG_RUNTIME_DIR"] = runtime
        self.env.pop("QT_QPA_PLATFORM", None)
        self._start_display()
        self._start_buses()
        self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        self.env["LC_ALL"] = "C.UTF-8"
        # pyatspi finds the bus through the environment at import time.
        os.environ.update({k: self.env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                                                     "XDG_RUNTIME_DIR")})
        import pyatspi  # noqa: E402 (needs the bus above)
        self.atspi = pyatspi
        self.program = None

    # -- infrastructure

    def _start_display(self):
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
                                 "-nolisten", "tcp"], pass_fds=(write_fd,),
                                stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.procs.append(xvfb)
        number = b""
        with os.fdopen(read_fd, "rb") as r:
            while not number.endswith(b"\n"):
                chunk = r.read(1)
                if not chunk:
                    raise Failure("Xvfb did not start")
                number += chunk
        self.env["DISPLAY"] = ":" + number.decode().strip()

    def _start_buses(self):
        address_file = os.path.join(self.folder, "bus")
        with open(address_file, "w") as out:
            daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                      stdout=out, stderr=subprocess.DEVNULL, env=self.env)
        self.procs.append(daemon)
        address = wait_for("the session bus", lambda: open(address_file).readline().strip())
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self.procs.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                           env=self.env, stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL))
        time.sleep(0.3)

    def close(self):
        for p in reversed(([self.program] if self.program else []) + self.procs):
            if p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    p.kill()
        shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, kind, value, trace):
        if kind is not None:
            try:
                shot = os.path.join(tempfile.gettempdir(), "tarnwick-e2e-%s-failure.png" % self.name)
                self.screenshot(shot)
                print("screenshot of the failure: " + shot)
            except Exception:  # noqa: BLE001 (the failure itself matters more)
                pass
        self.close()

    # -- programs

    def start(self, program):
        started = time.monotonic()
        self.program = subprocess.Popen([os.path.join(self.bin, program)], cwd=self.folder,
                                        env=self.env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.PIPE)
        self.app_name = APP_NAMES[program]
        self.window = self.xdotool("search", "--sync", "--onlyvisible", "--name",
                                   "^%s$" % TITLES[program]).split()[0]
        shown = time.monotonic() - started
        self.focus()
        return shown

    def running(self):
        return self.program is not None and self.program.poll() is None

    def xdotool(self, *args, timeout=20):
        return subprocess.run(["xdotool", *args], env=self.env, check=True, capture_output=True,
                              text=True, timeout=timeout).stdout

    def focus(self, window=None):
        self.xdotool("windowfocus", "--sync", window or self.window)

    def keys(self, *names):
        self.focus()
        self.xdotool("key", "--delay", "60", *names)

    def hold(self, names, seconds):
        self.focus()
        self.xdotool("keydown", *names)
        time.sleep(seconds)
        self.xdotool("keyup", *names)

    def screenshot(self, path=None):
        data = subprocess.run(["import", "-display", self.env["DISPLAY"], "-window", "root", "-depth", "8", "ppm:-"],
                              check=True, capture_output=True).stdout
        if path:
            subprocess.run(["/usr/bin/convert", "ppm:-", path], input=data, check=True)
        return Picture(data)

    # -- the accessibility bus

    def app(self):
        def find():
            desktop = self.atspi.Registry.getDesktop(0)
            for a in desktop:
                if a is not None and a.name == self.app_name:
                    return a
            return None
        return wait_for("the application on the accessibility bus", find)

    def nodes(self, role=None, name=None):
        found = []

        def walk(node, depth):
            if node is None or depth > 12:
                return
            try:
                if (role is None or node.getRoleName() == role) and (name is None or node.name == name):
                    found.append(node)
                for child in node:
                    walk(child, depth + 1)
            except Exception:  # noqa: BLE001 (a window closing under our feet)
                return
        walk(self.app(), 0)
        return found

    def menu(self, item):
        """Chooses a menu item by its text, like a screen-reader user."""
        self.press("menu item", item)

    def press(self, role, name):
        """Does the default action of a node (a menu item, a button). Sent
        from a helper process without waiting: an action that opens a modal
        dialog does not answer until the dialog closes."""
        wait_for("%s %s" % (role, name), lambda: self.nodes(role, name))
        code = ("import pyatspi,sys\n"
                "def w(n,k=0):\n"
                "  if n is None or k>12: return None\n"
                "  if n.getRoleName()==sys.argv[2] and n.name==sys.argv[3]: return n\n"
                "  for c in n:\n"
                "    r=w(c,k+1)\n"
                "    if r: return r\n"
                "for a in pyatspi.Registry.getDesktop(0):\n"
                "  if a is not None and a.name==sys.argv[1]:\n"
                "    i=w(a)\n"
                "    if i: i.queryAction().doAction(0)\n")
        subprocess.Popen(["/usr/bin/python3", "-c", code, self.app_name, role, name], env=self.env)

    def click_screen(self, x, y):
        self.xdotool("mousemove", str(x), str(y), "click", "1")

    def enabled(self, item):
        node = wait_for("menu item " + item, lambda: self.nodes("menu item", item))[0]
        return node.getState().contains(self.atspi.STATE_ENABLED)

    def label(self, description):
        """The text of the label the window names `description`."""
        for node in self.nodes("label"):
            if node.description == description:
                return node.name
        raise Failure("no label " + description)

    def wait_label(self, description, predicate, timeout=10):
        return wait_for("label %s" % description,
                        lambda: (lambda t: t if predicate(t) else None)(self.label(description)),
                        timeout)

    def message(self, timeout=10):
        """Waits for a message box, returns its text and presses its button."""
        box = wait_for("a message box", lambda: self.nodes("alert"), timeout)[0]
        texts = [n.name for n in _descendants(box) if n.getRoleName() == "label" and n.name]
        buttons = [n for n in _descendants(box) if n.getRoleName() == "push button"]
        check(buttons, "message box without a button")
        buttons[0].queryAction().doAction(0)
        wait_for("the message box to close", lambda: not self.nodes("alert"))
        return "\n".join(texts)

    def file_dialog(self, name, timeout=10, typed=False):
        """Puts a name into the open file dialog and accepts it; typed=True
        types it key by key, as a person does."""
        dialog = wait_for("a file dialog", lambda: [d for d in self.nodes("dialog")
                                                    if d.name in ("Abrir", "Guardar como")], timeout)[0]
        fields = [n for n in _descendants(dialog) if n.getRoleName() == "text"
                  and n.getState().contains(self.atspi.STATE_EDITABLE)]
        check(fields, "file dialog without a name field")
        field = fields[-1]
        field.queryEditableText().setTextContents("" if typed else name)
        window = self.xdotool("search", "--onlyvisible", "--name", "^%s$" % dialog.name).split()[0]
        self.focus(window)
        if typed:
            self.xdotool("type", "--delay", "40", name)
            wait_for("the typed name", lambda: field.queryText().getText(0, -1) == name, timeout=5)
        self.xdotool("key", "Return")
        wait_for("the file dialog to close", lambda: not [d for d in self.nodes("dialog")
                                                          if d.name == dialog.name])

    def field_origin(self):
        """Screen position of the drawing surface's top-left pixel."""
        surface = wait_for("the drawing surface", lambda: self.nodes(name="mainpic"))[0]
        box = surface.queryComponent().getExtents(self.atspi.DESKTOP_COORDS)
        return box.x, box.y

    def resident_mb(self):
        with open("/proc/%d/status" % self.program.pid) as status:
            for line in status:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024
        return 0

    def path(self, *parts):
        return os.path.join(self.bin, *parts)


def _descendants(node, depth=0):
    if node is None or depth > 10:
        return
    for child in node:
        if child is None:
            continue
        yield child
        yield from _descendants(child, depth + 1)


def field_tile(shot, origin, k, r):
    """The 20 x 20 pixels of field tile (k, r) in a screenshot."""
    ox, oy = origin
    return [shot.at(ox + 20 * k + i, oy + 20 * r + j) for j in range(20) for i in range(20)]


def run(test):
    """Runs one test function and turns its outcome into an exit status."""
    started = time.monotonic()
    try:
        test()
    except Failure as failure:
        print("FAILED: %s" % failure)
        sys.exit(1)
    print("passed in %.1f s" % (time.monotonic() - started))
