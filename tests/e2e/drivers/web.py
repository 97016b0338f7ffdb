"""The browser front end: the site's pages (TARNWICK_SITE) served on this machine and played in
Debian's headless Chromium through the DevTools protocol. Keys and the mouse go in as input
events, so the page sees what a player's keyboard and mouse would send; menus, labels, boxes and
dialogs are found by the page's ids and roles; the player's files through the page's own storage.
No X server: Chromium draws off screen, and the client area is read from its screenshots."""

import atexit, base64, collections, json, os, shutil, subprocess, sys, tempfile, threading, time  # noqa: E401

import websocket

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import x11  # noqa: E402
from x11 import DEADLINE, Picture, wait_for  # noqa: E402

SITE = os.environ.get("TARNWICK_SITE") or os.path.join(x11.ROOT, "build-web", "site")
PAGES = {"game": "index.html", "editor": "editor.html"}
CHROMIUM = next((p for p in ("/usr/lib/chromium/chromium", "/usr/bin/chromium") if os.path.exists(p)),
                "/usr/bin/chromium")
# The X drivers' screen: the page fits the window at one device pixel per art pixel, with room
# beside it for "Nuevo Mapa" moved aside.
VIEWPORT = (1024, 768)
SHIPPED, PLAYER = "/juego/share/tarnwick", "/datos/tarnwick"
FILE_DIALOG = ".velo [role=dialog].archivos"

# X key names (as xdotool spells them) as the DevTools protocol wants them: key, code, Windows
# virtual key, the text a press types. Enter and Space type as on a real keyboard (a keypress
# follows), arrows and Escape do not.
KEYS = {"Left": ("ArrowLeft", "ArrowLeft", 37, ""), "Up": ("ArrowUp", "ArrowUp", 38, ""),
        "Right": ("ArrowRight", "ArrowRight", 39, ""), "Down": ("ArrowDown", "ArrowDown", 40, ""),
        "space": (" ", "Space", 32, " "), "Return": ("Enter", "Enter", 13, "\r"),
        "Escape": ("Escape", "Escape", 27, ""), "Tab": ("Tab", "Tab", 9, ""),
        "BackSpace": ("Backspace", "Backspace", 8, ""), "F10": ("F10", "F10", 121, ""),
        "ctrl": ("Control", "ControlLeft", 17, ""), "shift": ("Shift", "ShiftLeft", 16, ""),
        "alt": ("Alt", "AltLeft", 18, "")}
MODIFIERS = {"alt": 1, "ctrl": 2, "shift": 8}
PUNCTUATION = {".": ("Period", 190), ",": ("Comma", 188), "/": ("Slash", 191), "-": ("Minus", 189),
               ";": ("Semicolon", 186), "'": ("Quote", 222), "=": ("Equal", 187)}


def key_of(name):
    """(key, code, virtual key, text, with shift) of an X key name or a character typed."""
    if name in KEYS:
        return (*KEYS[name], False)
    if len(name) == 1 and name.isascii() and name.isalpha():
        return name, "Key" + name.upper(), ord(name.upper()), name, name.isupper()
    if len(name) == 1 and name.isdigit():
        return name, "Digit" + name, ord(name), name, False
    if name in PUNCTUATION:
        return (name, *PUNCTUATION[name], name, False)
    return name, "", 0, name, False  # typed as its text: a key no layout here has


def descendants(root):
    """The process `root` and all it started, as pids."""
    children = collections.defaultdict(list)
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            children[int(open("/proc/%s/stat" % pid).read().rsplit(")", 1)[1].split()[1])].append(int(pid))
        except OSError:  # ended meanwhile
            pass
    found, todo = [], [root]
    while todo:
        found.append(todo.pop())
        todo += children[found[-1]]
    return found


def command_line(pid):  # Chromium's children rewrite theirs into one string
    try:
        return open("/proc/%d/cmdline" % pid, "rb").read().replace(b"\0", b" ")
    except OSError:
        return b""


class DevTools:
    """One connection to the browser; each page is reached through its own session on it."""

    def __init__(self, url):
        self.ws = websocket.create_connection(url, timeout=DEADLINE, suppress_origin=True, enable_multithread=True)
        self.count, self.replies, self.closed = 0, {}, False
        self.events = collections.deque(maxlen=20000)
        self.changed = threading.Condition()
        threading.Thread(target=self.read, daemon=True).start()

    def read(self):
        try:
            while True:
                message = json.loads(self.ws.recv())
                with self.changed:
                    if "id" in message:
                        self.replies[message["id"]] = message
                    else:
                        self.events.append(message)
                    self.changed.notify_all()
        except Exception:  # noqa: BLE001 (the browser closed: every call waiting fails at once)
            with self.changed:
                self.closed = True
                self.changed.notify_all()

    def call(self, method, session=None, **params):
        with self.changed:
            self.count += 1
            ident = self.count
        message = {"id": ident, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        self.ws.send(json.dumps(message))
        with self.changed:
            assert self.changed.wait_for(lambda: ident in self.replies or self.closed, DEADLINE), \
                "timed out waiting for the browser to answer " + method
            reply = self.replies.pop(ident, None)
        assert reply is not None, "the browser closed the connection during " + method
        if "error" in reply:
            raise RuntimeError("%s: %s" % (method, reply["error"].get("message")))
        return reply["result"]

    def taken(self, method, session=None):
        """The events so named received so far, taken off the queue."""
        with self.changed:
            found = [e for e in self.events if e["method"] == method and e.get("sessionId") == session]
            for e in found:
                self.events.remove(e)
        return found

    def close(self):
        self.ws.close()


class Page:
    """A tab: its session, its viewport set as the X drivers' screen, focused as the page a player looks at."""

    def __init__(self, tools, target, dpr=1):
        self.tools, self.target = tools, target
        self.session = tools.call("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        for domain in ("Page", "Runtime"):
            self.call(domain + ".enable")
        self.call("Emulation.setDeviceMetricsOverride", width=VIEWPORT[0], height=VIEWPORT[1], deviceScaleFactor=dpr,
                  mobile=False)
        self.call("Emulation.setFocusEmulationEnabled", enabled=True)
        self.program = None

    def call(self, method, **params):
        return self.tools.call(method, self.session, **params)

    def js(self, expression):
        """The value of a JavaScript expression in the page, a promise awaited."""
        got = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in got:
            details = got["exceptionDetails"]
            raise RuntimeError("in the page: %s (%s)" % (details.get("exception", {}).get("description")
                                                         or details.get("text"), expression[:200]))
        return got["result"].get("value")

    def log(self):
        """What the page wrote to its console and the exceptions it threw, since the last call."""
        lines = []
        for e in self.tools.taken("Runtime.consoleAPICalled", self.session):
            lines.append("console.%s: %s" % (e["params"]["type"], " ".join(
                str(a.get("value", a.get("description", ""))) for a in e["params"]["args"])))
        for e in self.tools.taken("Runtime.exceptionThrown", self.session):
            details = e["params"]["exceptionDetails"]
            lines.append("exception: %s" % (details.get("exception", {}).get("description") or details.get("text")))
        return lines


class Session(x11.Driver):
    """The site served from 127.0.0.1 and a Chromium with a profile of its own in the session's
    folder (HOME, XDG_* and TMPDIR there too), started at the first need, so that a sound server
    made before (listen.Recorder) is the one it plays to; all ended on leaving, a screenshot and
    the page's console kept if a scenario fails. On start: title (the document's), box (its
    boxes' title), size, origin of the client area in the page and its scale."""
    kind, under, where = "web", " in Chromium", "in Chromium"
    counted = ", Chromium's browser, GPU, renderer and utility processes together"
    antialiased = True  # its text: see scenarios.parity

    def __init__(self, name, scale=1, screen=None):
        """`scale` is the display's: the browser's device pixels per CSS pixel (its window is
        VIEWPORT CSS pixels large, whatever the `screen` a desktop session would have)."""
        self.dpr, self.k = scale, 1
        self.name, self.procs, self.browser, self.tools, self.page, self.held = name, [], None, None, None, []
        self.modifiers, self.pressed = 0, False
        self.folder = tempfile.mkdtemp(prefix="tarnwick-web-")
        atexit.register(self.end)
        assert os.path.exists(os.path.join(SITE, "index.html")), "no site in %s (TARNWICK_SITE)" % SITE
        served = self.daemon("/usr/bin/python3", "-u", "-m", "http.server", "0", "--bind", "127.0.0.1",
                             "--directory", SITE)
        self.site = "http://127.0.0.1:%s/" % served.split(" port ")[1].split()[0]

    def __exit__(self, kind, *_):
        if kind is not None and self.page:
            try:
                shot = os.path.join(tempfile.gettempdir(), "tarnwick-web-%s-failure.png" % self.name)
                open(shot, "wb").write(base64.b64decode(self.page.call("Page.captureScreenshot")["data"]))
                print("screenshot of the failure: " + shot)
                print("\n".join(["the page's console:"] + self.page.log()[-40:]))
            except Exception as e:  # noqa: BLE001 (the browser is what failed)
                print("no screenshot of the failure: %s" % e)
        self.end()

    def end(self):  # the browser, then the other processes, last first, and the folder
        self.close_browser()
        self.end_processes()
        shutil.rmtree(self.folder, ignore_errors=True)

    # The browser.
    def launch(self):
        """Starts Chromium on the session's profile and attaches to its first tab."""
        profile, home = os.path.join(self.folder, "profile"), self.folder
        port_file = os.path.join(profile, "DevToolsActivePort")
        if os.path.exists(port_file):
            os.remove(port_file)
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"), XDG_CACHE_HOME=os.path.join(
            home, ".cache"), XDG_DATA_HOME=os.path.join(home, ".local", "share"), XDG_RUNTIME_DIR=home,
            TMPDIR=os.path.join(home, "tmp"))
        os.makedirs(env["TMPDIR"], exist_ok=True)
        log = open(os.path.join(self.folder, "chromium.log"), "ab")
        self.browser = self.spawn(
            CHROMIUM, "--headless=new", "--no-sandbox", "--user-data-dir=" + profile, "--remote-debugging-port=0",
            "--no-first-run", "--no-default-browser-check", "--disable-background-networking",
            "--disable-component-update", "--disable-sync", "--disable-extensions", "--disable-default-apps",
            "--password-store=basic", "--force-color-profile=srgb", "--hide-scrollbars",
            "--window-size=%d,%d" % VIEWPORT, "about:blank",
            env=env, stderr=log)
        log.close()  # Chromium holds its own
        port, path = wait_for("Chromium's DevTools port", lambda: os.path.exists(port_file) and (
            lines := open(port_file).read().split()) and len(lines) == 2 and lines)
        self.tools = DevTools("ws://127.0.0.1:%s%s" % (port, path))
        target = wait_for("the first tab", lambda: next((t["targetId"] for t in self.tools.call(
            "Target.getTargets")["targetInfos"] if t["type"] == "page"), None))
        self.page = Page(self.tools, target, self.dpr)

    def close_browser(self):
        if not self.browser:
            return
        try:
            self.tools.call("Browser.close")
        except Exception:  # noqa: BLE001 (it may close before it answers, or be gone)
            pass
        try:
            self.browser.wait(timeout=DEADLINE)
        except subprocess.TimeoutExpired:
            self.browser.kill()
            self.browser.wait()
        self.procs.remove(self.browser)
        if self.tools:
            self.tools.close()
        self.browser, self.tools, self.page = None, None, None

    def open(self, program, reload=False):
        """Goes to the program's page (or reloads the one shown) and waits until it has drawn its
        first frame; returns the seconds that took."""
        self.page.js("window.tarnwickDriverLeft = true")  # the page left behind
        started = time.monotonic()
        if reload:
            self.page.call("Page.reload", ignoreCache=False)
        else:
            self.page.call("Page.navigate", url=self.site + PAGES[program])

        def drawn():
            try:
                return self.page.js("!window.tarnwickDriverLeft && typeof tarnwick === 'object' && tarnwick.ready")
            except RuntimeError:  # asked while the page left behind was going
                return False
        wait_for("the page %s to draw its first frame" % PAGES[program], drawn, interval=0.01)
        shown = time.monotonic() - started
        self.page.program, self.program = program, program
        _, self.box, self.size = x11.PROGRAMS[program]
        self.title = self.page.js("document.title")
        self.measure()
        return shown

    def measure(self):
        """Where the client area lies in the page and how many page pixels an art pixel is."""
        x, y, w, h, k = self.page.js("""(() => { const r = document.getElementById('cliente').getBoundingClientRect();
            return [r.x, r.y, r.width, r.height, tarnwick.scale] })()""")
        self.scale, self.k = w / self.size[0], k
        assert abs(h / self.scale - self.size[1]) < 0.01 and abs(self.scale * self.dpr - k) < 0.01, \
            "client area %gx%g at scale %s, not %dx%d" % (w, h, k, *self.size)
        self.origin = x, y

    def ready_page(self):
        """The page, once a program runs in it: the game's, if none was started yet."""
        if not self.browser:
            self.launch()
        if not self.page.program:
            self.open("game")
        return self.page

    def start(self, program):
        """Starts "game" or "editor" (its page opened in the tab); returns the seconds until its first frame."""
        if not self.browser:
            self.launch()
        return self.open(program)

    def reload(self):
        """The page reloaded, as a player does: the program starts anew."""
        return self.open(self.program, reload=True)

    def restart(self):
        """The browser closed and started again on the same profile, the program's page opened anew."""
        self.close_browser()
        self.launch()
        return self.open(self.program)

    def new_tab(self):
        """A second tab on the same profile with the program this one shows; the keys, the mouse
        and the files are its own from then on. Returns the tab left behind, for use()."""
        left = self.page
        self.page = Page(self.tools, self.tools.call("Target.createTarget", url="about:blank")["targetId"], self.dpr)
        self.open(left.program)
        return left

    def use(self, page):
        """Brings a tab to the front and drives it; returns the one left behind."""
        left, self.page = self.page, page
        page.call("Page.bringToFront")
        self.program, self.title = page.program, page.js("document.title")
        _, self.box, self.size = x11.PROGRAMS[page.program]
        self.measure()
        return left

    def ended(self):
        wait_for("the program to end", lambda: self.page.js(
            "tarnwick.ended === true && !!document.querySelector('#fin[role=alert]')"))

    def idle(self, seconds):
        return self.cpu(seconds)

    def chromium(self):
        return descendants(self.browser.pid)

    def cpu(self, seconds):
        """Percent of one core Chromium's processes use together over `seconds` left alone, and the seconds."""
        def used(pids):
            found = {}
            for pid in pids:
                try:
                    found[pid] = x11.cpu_seconds(pid)
                except OSError:  # ended meanwhile
                    pass
            return found
        before, started = used(self.chromium()), time.monotonic()
        time.sleep(seconds)
        after, elapsed = used(self.chromium()), time.monotonic() - started
        return 100 * sum(t - before.get(pid, 0) for pid, t in after.items()) / elapsed, elapsed

    def resident_mb(self):
        """The resident memory of the renderer that holds the page: the largest but Chromium's own UI's."""
        pages = [p for p in self.chromium() if b"--type=renderer" in (line := command_line(p))
                 and b"--top-chrome-webui" not in line]
        return max(int(open("/proc/%d/statm" % p).read().split()[1]) for p in pages) * os.sysconf(
            "SC_PAGE_SIZE") / 2 ** 20

    # What the page shows.
    def element(self, selector, text=None, within="document"):
        """The middle of the first element shown that matches (and whose text is `text`), in page pixels."""
        return self.page.js("""(() => { for (const e of %s.querySelectorAll(%s)) {
                const r = e.getBoundingClientRect();
                if (r.width > 0 && r.height > 0 && (%s === null || e.textContent.trim() === %s))
                    return [r.x + r.width / 2, r.y + r.height / 2]; }
                return null })()""" % (within, json.dumps(selector), json.dumps(text), json.dumps(text)))

    def count(self, selector):
        return self.page.js("document.querySelectorAll(%s).length" % json.dumps(selector))

    def label(self, name):  # the first line of the label so named
        return self.page.js("(e => e && e.textContent.split('\\n')[0])(document.querySelector(%s))" % json.dumps(
            "div.etiqueta#" + name))

    def see(self, name, want):
        """Waits for the label `name` to read `want`."""
        wait_for("label %s to read %r" % (name, want), lambda: self.label(name) == want)

    def label_boxes(self):
        """Where each named label lies in the client area: x, y, width, height."""
        boxes = self.page.js("""(() => { const c = document.getElementById('cliente').getBoundingClientRect();
            return [...document.querySelectorAll('div.etiqueta[id]')].map(e => { const r = e.getBoundingClientRect();
                return [e.id, r.x - c.x, r.y - c.y, r.width, r.height] }) })()""")
        return {name: tuple(round(v / self.scale) for v in box) for name, *box in boxes}

    def capture(self):
        """A screenshot of the client area as the display shows it, k x k device pixels per layout pixel."""
        clip = dict(x=self.origin[0], y=self.origin[1], width=self.size[0] * self.scale,
                    height=self.size[1] * self.scale, scale=1 / self.scale)
        shot = os.path.join(self.folder, "shot.png")
        open(shot, "wb").write(base64.b64decode(self.page.call("Page.captureScreenshot", format="png",
                                                               clip=clip)["data"]))
        return shot

    def shot(self):
        got = Picture(self.capture())
        assert (got.w, got.h) == (self.size[0] * self.k, self.size[1] * self.k), \
            "a screenshot of %dx%d pixels at k = %d" % (got.w, got.h, self.k)
        return got

    def pixels(self):
        """The client area's pixels, exactly its size: a pixel of each k x k block."""
        if self.k == 1:
            return self.shot()
        return Picture(self.capture(), (0, 0, self.size[0] * self.k, self.size[1] * self.k), self.k)

    def boxes(self):  # message boxes open
        return self.count("[role=alertdialog]")

    def dialog_open(self):
        return self.count(FILE_DIALOG) > 0

    def shown(self, title):
        if title == "Nuevo Mapa":  # a player sees it closed once it is hidden or gone
            return self.element("#neww") is not None
        if title in ("Abrir", "Guardar como"):
            return self.count('%s[aria-label="%s"]' % (FILE_DIALOG, title)) > 0
        if title == self.box:
            return self.boxes() > 0
        return self.page.js("document.title") == title and not self.page.js("tarnwick.ended === true")

    def closed(self, title):
        wait_for("%s to close" % title, lambda: not self.shown(title))

    # The keyboard.
    def keyboard(self):
        """Where the keys go: the title of the box, dialog or window the focused element is in."""
        return self.page.js("""(a => {
            const box = a && a.closest('[role=alertdialog]'), files = a && a.closest('.archivos');
            if (box) return (box.querySelector('.titulo') || {}).textContent;
            if (files) return files.getAttribute('aria-label');
            if (a && a.closest('#neww')) return 'Nuevo Mapa';
            return document.title })(document.activeElement)""")

    def focus(self, title=None, force=True):
        """Waits until the window so titled (the main one if None) has the keyboard: given to it if
        `force` (a click into "Nuevo Mapa"'s field, or beside the window for the main one), else
        as it takes it by itself, as a player waits for it before typing. A box or file dialog
        takes it as it opens: a player cannot give it to one."""
        title, where = title or self.title, [None]

        def has():
            where[0] = self.keyboard()
            if where[0] == title:
                return True
            if force and title == "Nuevo Mapa":
                self.click(*self.element("#neww input"), screen=True)
            elif force and title == self.title and where[0] == "Nuevo Mapa":
                self.click(*self.beside(), screen=True)
            return False
        try:
            wait_for("the keyboard in " + title, has)
        except AssertionError:
            raise AssertionError("the keyboard stayed in %r, not in %s" % (where[0], title)) from None

    def beside(self):
        """A point of the page outside the window and every dialog."""
        return self.page.js("""(() => { const inside = (x, y) => [...document.querySelectorAll('#ventana, #neww')]
                .some(e => { const r = e.getBoundingClientRect();
                             return x >= r.left && x < r.right && y >= r.top && y < r.bottom });
            for (const [x, y] of [[2, innerHeight - 2], [innerWidth - 2, innerHeight - 2], [2, 2], [innerWidth - 2, 2]])
                if (!inside(x, y)) return [x, y] })()""")

    def send(self, name, down):
        """One key pressed or let go, with the modifiers held."""
        key, code, vk, text, _ = key_of(name)
        if down and name in MODIFIERS:
            self.modifiers |= MODIFIERS[name]
        typed = text if down and not self.modifiers & ~MODIFIERS["shift"] else ""
        event = dict(type=("keyDown" if typed else "rawKeyDown") if down else "keyUp", key=key, code=code,
                     windowsVirtualKeyCode=vk, nativeVirtualKeyCode=vk, modifiers=self.modifiers,
                     location=1 if name in MODIFIERS else 0)
        if typed:
            event.update(text=typed, unmodifiedText=typed)
        self.page.call("Input.dispatchKeyEvent", **event)
        if not down and name in MODIFIERS:
            self.modifiers &= ~MODIFIERS[name]

    def tap(self, combination):
        """Keys pressed together ("Up+Right", "ctrl+a"), then let go, last first."""
        names = combination.split("+")
        for name in names:
            self.send(name, True)
        for name in reversed(names):
            self.send(name, False)

    def key(self, keys, into=None, force=True):
        """Taps keys ("Down", "ctrl+a", "Up+Right") into a window, the main one if None."""
        self.focus(into, force)
        for combination in keys.split():
            self.tap(combination)

    def type(self, text, into=None, force=True):
        self.focus(into, force)
        for c in text:
            shifted = key_of(c)[4]
            for name, down in ((("shift", True),) if shifted else ()) + ((c, True), (c, False)) + (
                    (("shift", False),) if shifted else ()):
                self.send(name, down)

    def down(self, keys, into=None, force=True):  # keys ("Right space") held
        self.focus(into, force)
        self.press(keys)

    def press(self, keys):  # wherever the keyboard is
        for name in keys.split():
            self.send(name, True)
            self.held.append(name)

    def up(self, keys):
        for name in keys.split():
            self.send(name, False)
            if name in self.held:
                self.held.remove(name)

    def keys(self, *steps):
        """Keys sent in one go wherever the keyboard is: ("down" | "up" | "tap", keys), or a pause in seconds."""
        for s in steps:
            if isinstance(s, (int, float)):
                time.sleep(s)
            elif s[0] == "tap":
                for combination in s[1].split():
                    self.tap(combination)
            else:
                (self.press if s[0] == "down" else self.up)(s[1])

    # Menus, boxes and dialogs.
    def open_menu(self, menu):
        """Opens a menu of the menu bar with a click and waits for it to show: the keys walk it then."""
        ident = wait_for("the menu " + menu, lambda: self.page.js("""(() => {
            for (const e of document.querySelectorAll('#barra [role=menuitem]'))
                if (e.textContent.trim() === %s) return e.id })()""" % json.dumps(menu)))
        self.click(*self.element("#" + ident), screen=True)
        wait_for("the menu %s to open" % menu, lambda: self.element("#%s-items [role=menuitem]" % ident))

    def menu(self, item):
        """Chooses a menu item with the mouse, as the keyboard may be held meanwhile."""
        menu = wait_for("the menu of " + item, lambda: self.page.js("""(() => {
            for (const e of document.querySelectorAll('[role=menu] [role=menuitem]'))
                if (e.textContent.trim() === %s) {
                    const m = document.getElementById(e.closest('[role=menu]').id.replace(/-items$/, ''));
                    return m && m.textContent.trim() } return null })()""" % json.dumps(item)))
        self.open_menu(menu)
        self.click(*wait_for("the menu item " + item, lambda: self.element("[role=menu] [role=menuitem]", item)),
                   screen=True)

    def message(self, typed=False):
        """Reads the open message box's text and answers it: with a click on its button, or with
        Return typed wherever the keyboard is once the box has it, as a player does."""
        text = wait_for("a message box", lambda: self.page.js(
            "(b => b && b.querySelector('.texto').textContent)(document.querySelector('[role=alertdialog]'))"))
        if typed:
            time.sleep(0.2)  # a box takes no key pressed just after the release of one held as it opened
            self.key("Return", self.box, force=False)
        else:
            self.click(*wait_for("the box's button", lambda: self.element("[role=alertdialog] button", "Aceptar")),
                       screen=True)
        wait_for("the message box to close", lambda: not self.boxes())
        return text

    def file_dialog(self, path, keys=False, force=True):
        """Into the open file dialog, and accepted: `path` (None: what it proposes), as the page's
        path the contract gives it, typed key by key if `keys` (the folder put in first), into the
        dialog, or if not `force` wherever the keyboard is once the dialog has it."""
        title = wait_for("a file dialog", lambda: self.page.js(
            "(d => d && d.getAttribute('aria-label'))(document.querySelector(%s))" % json.dumps(FILE_DIALOG)))
        if path is not None:
            full = self.page_path(path, writing=title == "Guardar como")
            self.page.js("""(f => { f.value = %s; f.dispatchEvent(new Event('input', {bubbles: true})) })(
                document.querySelector('%s input.nombre'))""" % (json.dumps(
                full.rsplit("/", 1)[0] + "/" if keys else full), FILE_DIALOG))
            if keys:
                self.type(full.rsplit("/", 1)[1], title, force)
        self.key("Return", title, force)
        wait_for("the file dialog to close", lambda: not self.dialog_open())

    def fill(self, title, *texts):
        """Into the fields of the dialog so titled, from the one with the keyboard on."""
        for text in texts:
            self.key("ctrl+a", title)
            self.type(text, title)
            self.key("Tab", title)

    def button(self, title, name):
        self.click(*wait_for("the button " + name, lambda: self.element("button", name, within="document.querySelector("
                                                                        "'[aria-label=\"%s\"]')" % title)),
                   screen=True)

    def move(self, title, to):
        """Moves the dialog so titled ("Nuevo Mapa") to `to` in the page; returns where its client area lies then."""
        assert title == "Nuevo Mapa", "only 'Nuevo Mapa' moves"
        wait_for("the dialog " + title, lambda: self.shown(title))
        at = self.page.js("(p => Array.isArray(p) ? p : [p.x, p.y])(tarnwick.moveDialog(%d, %d))" % tuple(to))
        return round(at[0]), round(at[1])

    # The mouse, in the client area's art pixels, or the page's.
    def point(self, x, y):
        return self.origin[0] + x * self.scale, self.origin[1] + y * self.scale

    def mouse_event(self, kind, at, **more):
        self.page.call("Input.dispatchMouseEvent", type=kind, x=at[0], y=at[1], modifiers=self.modifiers, **more)

    def click(self, x, y, screen=False):  # at a point of the page if `screen`
        at = (x, y) if screen else self.point(x, y)
        self.mouse_event("mouseMoved", at, buttons=1 if self.pressed else 0)
        self.mouse_event("mousePressed", at, button="left", buttons=1, clickCount=1)
        self.mouse_event("mouseReleased", at, button="left", buttons=0, clickCount=1)
        self.pressed = False

    def mouse(self, x, y, button=None):
        """Moves the pointer to (x, y), then presses ("down") or lets go ("up") the first button."""
        at = self.point(x, y)
        self.mouse_event("mouseMoved", at, button="left" if self.pressed else "none", buttons=int(self.pressed))
        if button:
            self.pressed = button == "down"
            self.mouse_event("mousePressed" if self.pressed else "mouseReleased", at, button="left",
                             buttons=int(self.pressed), clickCount=1)

    def unnamed(self):
        """The controls of the page a screen reader finds no name for, as (role, text) pairs."""
        controls = {"button", "menuitem", "menubar", "menu", "textbox", "combobox", "listbox", "option", "dialog",
                    "alertdialog", "image", "main"}
        nodes = self.page.call("Accessibility.getFullAXTree")["nodes"]
        value = lambda n, key: (n.get(key) or {}).get("value") or ""  # noqa: E731
        return [(value(n, "role"), value(n, "description")) for n in nodes
                if not n.get("ignored") and value(n, "role") in controls and not value(n, "name").strip()]

    # Files brought from this machine and offered back to it.
    def bring(self, name, data=b"", size=None):
        """Into the open "Abrir" dialog, with "Subir…": a file of this machine so named holding
        `data`, or `size` bytes of nothing."""
        local = os.path.join(self.folder, "subidas", name)
        os.makedirs(os.path.dirname(local), exist_ok=True)
        with open(local, "wb") as f:
            f.write(data)
            if size is not None:
                f.truncate(size)
        wait_for("a file dialog", self.dialog_open)
        found = self.page.call("Runtime.evaluate", expression="document.querySelector(%s)" % json.dumps(
            FILE_DIALOG + " input[type=file]"))
        self.page.call("DOM.setFileInputFiles", files=[local], objectId=found["result"]["objectId"])

    def cancel(self):
        """The open file dialog cancelled with Escape."""
        self.key("Escape", wait_for("a file dialog", lambda: self.page.js(
            "(d => d && d.getAttribute('aria-label'))(document.querySelector(%s))" % json.dumps(FILE_DIALOG))))
        wait_for("the file dialog to close", lambda: not self.dialog_open())

    def offered(self):
        """The name of the file the page offers to download, if any."""
        return self.page.js("(a => a && a.download)(document.querySelector('#descarga a'))")

    def refuse_storage(self):
        """From now on the browser's storage refuses every change, as a full one does."""
        self.page.js("tarnwick.storage.sync = () => Promise.resolve(false)")

    # The files, in the page's storage: a relative path is the player's if he has it or it is
    # being written, else the shipped one.
    def exists(self, path):
        return self.ready_page().js("(p => { try { tarnwick.fs.stat(p); return true } catch (e) { return false } })"
                                    "(%s)" % json.dumps(path))

    def page_path(self, relative, writing=False):
        player, shipped = PLAYER + "/" + relative, SHIPPED + "/" + relative
        return player if writing or self.exists(player) or not self.exists(shipped) else shipped

    def files(self, folder):
        """The names in the folder, the player's and the shipped ones together."""
        return sorted(set(self.ready_page().js("""[%s, %s].flatMap(d => { try { return tarnwick.fs.readdir(d) }
            catch (e) { return [] } }).filter(n => n !== '.' && n !== '..')""" % (
            json.dumps(PLAYER + "/" + folder), json.dumps(SHIPPED + "/" + folder)))))

    def read(self, *parts):
        return self.ready_page().js("tarnwick.fs.readFile(%s, {encoding: 'utf8'})" % json.dumps(
            self.page_path("/".join(parts))))

    def write(self, relative, text):
        """Written and kept, as a save does."""
        self.ready_page().js("tarnwick.storage.write(%s, %s)" % (json.dumps(PLAYER + "/" + relative), json.dumps(text)))

    def path(self, *parts):
        """A copy, on this machine, of the file or folder (its files) the page has there."""
        relative = "/".join(parts)
        found = self.ready_page().js("""(p => {
            const bytes = b => { let s = '';
                for (let i = 0; i < b.length; i += 32768)
                    s += String.fromCharCode.apply(null, b.subarray(i, i + 32768));
                return btoa(s) };
            try { return {file: bytes(tarnwick.fs.readFile(p))} } catch (e) {}
            const files = {};
            for (const n of tarnwick.fs.readdir(p))
                try { files[n] = bytes(tarnwick.fs.readFile(p + '/' + n)) } catch (e) {}
            return {files} })(%s)""" % json.dumps(self.page_path(relative)))
        local = os.path.join(self.folder, "copia", relative)
        if "file" in found:
            os.makedirs(os.path.dirname(local), exist_ok=True)
            open(local, "wb").write(base64.b64decode(found["file"]))
            return local
        os.makedirs(local, exist_ok=True)
        for name, data in found["files"].items():
            open(os.path.join(local, name), "wb").write(base64.b64decode(data))
        return local
