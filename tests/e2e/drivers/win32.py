"""The Win32 front end under Wine: xdotool for keys and the mouse (menus are opened with
it), Wine's common dialogs, and boxtext.exe to read a message box's or the editor's texts
inside the Wine session. The game paints its labels: there is no text of them to read."""

import os, shutil, subprocess, sys, time  # noqa: E401

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import x11  # noqa: E402
from x11 import MapWatch, Picture, geometry, picture, wait_for  # noqa: E402

# Per program: the executable, a picture it paints at a place of its client area (how the
# client is found in Wine's frame), its menus' items in order, and those that open "Save As".
PROGRAMS = {
    "game": ("TarnwickQuest.exe", "derecha", (600, 0),
             {"Archivo": ["Jugador Nuevo", "Guardar", "Cargar jugador", "Cargar mapa", "Salir"],
              "Ayuda": ["Controles", "Acerca..."]}, {"Jugador Nuevo"}),
    "editor": ("TarnwickEdit.exe", "paleta_pasto", (634, 34),
               {"Archivo": ["Nuevo", "Abrir", "Guardar", "Salir"], "Ayuda": ["Manual de usuario", "Acerca..."]},
               {"Guardar"}),
}
DIALOGS = {"Nuevo Mapa": (252, 123)}  # client sizes of the programs' own dialogs
# The labels read, known by how they start: the editor's, then the game's.
LABELS = {"mapcap": "Mapa", "mousecap": "Mouse", "labmapa": "Mapa", "exy": "Persona", "nombre": "Nombre:",
          "nenemigos": "Enemigos:"}


class Session(x11.Session):
    """A copy of build-windows/bin (TARNWICK_WINDOWS_BIN) and a fresh Wine prefix."""
    kind, under, where = "windows", " under Wine", "under Wine"
    counted = ", the {program}'s process and the wineserver together"

    def __init__(self, name, **display):
        super().__init__(name, **display)
        self.bin = self.cwd = os.path.join(self.folder, "bin")
        shutil.copytree(os.environ["TARNWICK_WINDOWS_BIN"], self.bin)
        os.environ.update(WINEDEBUG="-all", WINEPREFIX=os.path.join(self.folder, "prefix"))
        started = time.monotonic()
        # Under a window manager Wine's windows are its to manage, as on a desktop.
        subprocess.run([os.path.join(x11.ROOT, "tools", "wine-prefix.sh"), os.environ["WINEPREFIX"]]
                       + (["managed"] if self.wm else []), check=True,
                       env=dict(os.environ, WINE_LOGPIXELS=str(round(96 * self.scale))))
        print("fresh Wine prefix: %.1f s" % (time.monotonic() - started))
        self.watch = MapWatch(self.spawn)
        self.expected = "Open"

    def ending(self):
        subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL)

    def start(self, program):
        """Starts "game" or "editor" and finds its client area by the picture it paints:
        the frame around it must be as wide on the left, right and bottom, so the client
        is exactly as large as the layout says. Returns the seconds until the window was mapped."""
        self.program = program
        self.title, self.box, self.size = x11.PROGRAMS[program]
        exe, panel, at, self.menus, self.saves = PROGRAMS[program]
        started = time.monotonic()
        self.spawn("wine", exe)
        shown = self.watch.shown(self.title, started)
        self.main = self.window(self.title)
        # At the display scale k, the picture k times larger (a caption and menu as large as Wine draws them).
        wants = [(k, picture(panel).enlarged(k)[:20 * k]) for k in (1, 2, 3)]
        shot, x0, y0, self.k = wait_for("the painted window", lambda: (p := Picture("x:" + self.main)) and next(
            ((p, x, y, k) for y in range(0, 160) for x in range(0, 12) for k, want in wants
             if p.block(x + at[0] * k, y + at[1] * k, 20 * k, 20 * k) == [r[:60 * k] for r in want]), None))
        assert (shot.w, shot.h) == (self.size[0] * self.k + 2 * x0, y0 + self.size[1] * self.k + x0), \
            "client area of %s in a %dx%d window at (%d, %d)" % (self.title, shot.w, shot.h, x0, y0)
        left, top = geometry(self.main)[:2]
        self.origin = left + x0, top + y0
        return shown

    def ended(self):
        self.closed(self.title)

    def idle(self, seconds):
        """The share of a core of the program's process and the wineserver, which serves its every call."""
        prefix, exe = ("WINEPREFIX=%s\0" % os.environ["WINEPREFIX"]).encode(), PROGRAMS[self.program][0].encode()

        def counted(pid):  # by the prefix in its environment: other tests' Wine may be running
            try:
                env, command = (open("/proc/%s/%s" % (pid, f), "rb").read() for f in ("environ", "cmdline"))
            except OSError:  # ended meanwhile
                return False
            return prefix in env and any(name in command.split(b"\0")[0] for name in (exe, b"wineserver"))

        def pids():
            found = list(filter(counted, filter(str.isdigit, os.listdir("/proc"))))
            assert len(found) == 2, "%s and the wineserver, not %d processes" % (exe, len(found))
            return found
        return self.cpu(seconds, pids)

    def menu(self, item):
        """Chooses a menu item with the mouse, as the keyboard may be held meanwhile."""
        title, items = next((t, i) for t, i in self.menus.items() if item in i)
        self.expected = "Save As" if item in self.saves else "Open"
        self.open_menu(title)
        # Wine draws its menus at the display's scale, whatever the window's k.
        self.click(self.origin[0] + round((x11.MENU_BAR[title] + 20) * self.scale),
                   self.origin[1] + round((10 + 17 * items.index(item)) * self.scale), screen=True)

    def texts(self, title):
        """The texts of the window so titled, read from its controls inside Wine, one per line;
        None while it is not open."""
        got = subprocess.run(["wine", os.environ["TARNWICK_BOXTEXT"], title], capture_output=True,
                             timeout=x11.DEADLINE)
        return got.stdout.decode("utf-8").replace("\r", "").strip() if got.returncode == 0 else None

    def keyboard(self):
        """Under Wine the keys go to the window Wine holds active, whichever of the program's
        windows has the X focus."""
        return x11.Session.keyboard(self) and self.texts("--foreground")

    def label(self, name):
        return next((t for t in (self.texts(self.title) or "").splitlines() if t.startswith(LABELS[name])), None)

    def boxes(self):
        return len(self.windows(self.box))

    def answer(self, title, force, *keys):
        self.window(title)
        # A box takes no key pressed within 100 ms of the release of one held when it
        # opened (the Return that closed the dialog before, say).
        self.focus(title, force)
        time.sleep(0.2)
        for k in keys:
            self.xdotool(*k)
        self.key("Return", title, force)
        self.closed(title)

    def message(self, typed=False):
        """Reads the open message box's text, then answers it with Return: into the box, or
        if `typed` wherever the keyboard is, once the box has taken it."""
        self.window(self.box)
        text = wait_for("the text of the box " + self.box, lambda: self.texts(self.box))
        self.answer(self.box, not typed)
        return text

    def file_dialog(self, path, keys=False, force=True):
        """Types the whole path (Wine's dialog starts in folders of its own choosing) and Return."""
        path = path and "Z:" + self.path(path).replace("/", "\\")
        self.answer(self.expected, force, *([("key", "ctrl+a"), ("type", "--delay", "20", path)] if path else []))

    def dialog_open(self):
        return self.shown(self.expected)

    def fill(self, title, *texts):
        for text in texts:
            self.key("ctrl+a", title)
            self.type(text, title)
            self.key("Tab", title)

    def button(self, title, name):  # its default button
        self.key("Return", title)

    def move(self, title, to):
        """Drags the window so titled by its caption, as a person would, until its client
        area lies at `to` on the screen; returns that."""
        found, (width, height) = self.window(title), DIALOGS[title]

        def client():
            x, y, w, h = geometry(found)
            side = (w - width) // 2  # the frame Wine draws, or none inside a window manager's
            return x + side, y + h - side - height
        start = client()
        grip = start[0] + 60, start[1] - 8  # on the caption
        self.xdotool("mousemove", str(grip[0]), str(grip[1]), "mousedown", "1", *[a for i in range(1, 11) for a in (
            "mousemove", str(grip[0] + (to[0] - start[0]) * i // 10), str(grip[1] + (to[1] - start[1]) * i // 10))],
            "mouseup", "1")
        wait_for("%s to move" % title, lambda: client() == tuple(to))
        return tuple(to)
