"""The Debian package as a player gets it, and the portable folder as one who may not write to it.

    test_package.py PACKAGE.deb BIN_FOLDER SCREENS

Checks the package with lintian, its menu entries with desktop-file-validate and its
AppStream metadata with appstreamcli (each failing on errors), unpacks it with dpkg -x
and has an unprivileged user play it there (tests/package/play.py), keeping what he saw
in SCREENS (juego.png, editor.png); then the same user plays a read-only copy of the
portable folder. Nothing below either may change. Run as
root it makes the user (tarnwick-jugador) and switches to it; run as anyone else, it
plays as that user."""

import hashlib, os, pwd, shutil, stat, subprocess, sys, tempfile, time  # noqa: E401

HERE = os.path.dirname(os.path.abspath(__file__))
USER = "tarnwick-jugador"


def check(*command):
    result = subprocess.run(command, capture_output=True, text=True, timeout=120)
    output = (result.stdout + result.stderr).strip()
    print("%s: %s" % (os.path.basename(command[0]), output.replace("\n", "\n    ") or "clean"))
    assert result.returncode == 0, "%s failed" % command[0]


def tree(root):
    """Every entry below root: its type, mode, owner and, for a file, its digest."""
    seen = {}
    for folder, folders, files in os.walk(root):
        for name in folders + files:
            path = os.path.join(folder, name)
            info = os.lstat(path)
            digest = hashlib.sha256(open(path, "rb").read()).hexdigest() if stat.S_ISREG(info.st_mode) else ""
            seen[os.path.relpath(path, root)] = (info.st_mode, info.st_uid, digest)
    return seen


def player():
    """The command prefix that runs as an unprivileged user, and that user's fresh home."""
    if os.geteuid() != 0:
        home = tempfile.mkdtemp(prefix="tarnwick-home-")
        return ["env", "HOME=" + home], home
    try:
        pwd.getpwnam(USER)
    except KeyError:
        subprocess.run(["useradd", "--no-create-home", "--home-dir", "/nonexistent",
                        "--shell", "/usr/sbin/nologin", USER], check=True)
    account = pwd.getpwnam(USER)
    home = tempfile.mkdtemp(prefix="tarnwick-home-")
    os.chown(home, account.pw_uid, account.pw_gid)
    return ["runuser", "-u", USER, "--", "env", "-i", "HOME=" + home, "USER=" + USER,
            "PATH=/usr/bin:/bin", "LANG=C.UTF-8"], home


def scripts():
    """A copy of the player's scripts (and the pictures they compare with) that he may read:
    the checkout may lie in a folder only its owner can enter."""
    copy = tempfile.mkdtemp(prefix="tarnwick-scripts-")
    source = os.path.dirname(os.path.dirname(HERE))
    for part in ("tests/e2e", "tests/package/play.py", "assets/pictures"):
        target = os.path.join(copy, part)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        (shutil.copytree if os.path.isdir(os.path.join(source, part)) else shutil.copy)(
            os.path.join(source, part), target)
    for folder, _, files in os.walk(copy):
        os.chmod(folder, 0o755)
        for name in files:
            os.chmod(os.path.join(folder, name), 0o644)
    return copy


def play(prefix, *args):
    started = time.monotonic()
    copy = scripts()
    try:
        subprocess.run(prefix + ["PYTHONDONTWRITEBYTECODE=1", "/usr/bin/python3",
                                 os.path.join(copy, "tests", "package", "play.py"), *args], check=True, timeout=300)
    finally:
        shutil.rmtree(copy, ignore_errors=True)
    return time.monotonic() - started


def windows(display):
    """The names of the display's visible windows, to tell what showed instead."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", ".", "getwindowname", "%@"],
                           env=dict(os.environ, DISPLAY=display), capture_output=True, text=True)
    return found.stdout.splitlines()


def from_menu(deb, prefix):
    """Installs the package with dpkg -i, starts each menu entry's Exec line as the player would
    (the games folder on his PATH, as Debian's is) and waits for its window; then removes it."""
    subprocess.run(["dpkg", "-i", deb], check=True, capture_output=True, timeout=120)
    # -noreset: a server that resets as its last client leaves may refuse the next one meanwhile.
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                             "-noreset"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    display = ":" + xvfb.stdout.readline().decode().strip()
    try:
        for entry, title in (("org.tarnwick.TarnwickQuest", "Tarnwick quest 1.0"),
                             ("org.tarnwick.TarnwickEdit", "Tarnwick Editor")):
            lines = open("/usr/share/applications/%s.desktop" % entry).read().splitlines()
            command = next(line.split("=", 1)[1] for line in lines if line.startswith("Exec="))
            output = tempfile.TemporaryFile()
            program = subprocess.Popen(prefix + ["DISPLAY=" + display, "PATH=/usr/games:/usr/bin:/bin", "sh", "-c",
                                                 command.replace("%f", "").replace("%F", "")],
                                       stdout=output, stderr=subprocess.STDOUT)
            try:
                # Polled, not "search --sync": that gives up when a window it looks at goes
                # meanwhile, as the last entry's may.
                deadline = time.monotonic() + 60
                while not subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % title],
                                         env=dict(os.environ, DISPLAY=display), capture_output=True).stdout:
                    if time.monotonic() > deadline or program.poll() is not None:
                        output.seek(0)
                        raise AssertionError("%s: no window from %r; exit status %r; windows %r; it printed:\n%s" % (
                            entry, command, program.poll(), windows(display), output.read().decode(errors="replace")))
                    time.sleep(0.1)
                print("menu entry %s: %r shows its window" % (entry, command))
            finally:
                subprocess.run(["pkill", "-u", USER, "-f", command.split()[0]])
                program.wait(timeout=10)
    finally:
        xvfb.terminate()
        subprocess.run(["dpkg", "-r", "tarnwick"], check=True, capture_output=True, timeout=120)


def main(deb, portable_bin, screens):
    check("lintian", "--fail-on", "error", deb)
    root = tempfile.mkdtemp(prefix="tarnwick-deb-")
    os.chmod(root, 0o755)  # as /: the player may enter, not write
    try:
        subprocess.run(["dpkg", "-x", deb, root], check=True)
        share = os.path.join(root, "usr", "share")
        check("desktop-file-validate", *sorted(
            os.path.join(share, "applications", f) for f in os.listdir(os.path.join(share, "applications"))))
        check("appstreamcli", "validate", "--no-net", *sorted(
            os.path.join(share, "metainfo", f) for f in os.listdir(os.path.join(share, "metainfo"))))
        for size in (16, 22, 24, 32, 48, 64, 128, 256):
            for program in ("TarnwickQuest", "TarnwickEdit"):
                icon = "%s/icons/hicolor/%dx%d/apps/org.tarnwick.%s.png" % (share, size, size, program)
                assert open(icon, "rb").read(24)[16:24] == size.to_bytes(4, "big") * 2, icon

        prefix, home = player()
        before = tree(root)
        seconds = play(prefix, "installed", os.path.join(root, "usr", "games"), home)
        assert tree(root) == before, "the player's game wrote below the prefix"
        os.makedirs(screens, exist_ok=True)
        for shot in ("juego.png", "editor.png"):
            shutil.copy(os.path.join(home, shot), screens)
        print("installed, played in %.1f s; the screens as he saw them: %s" % (seconds, screens))

        # The portable folder, owned by someone else and read-only to him.
        folder = os.path.join(root, "portable")
        shutil.copytree(portable_bin, folder)
        for path in [folder] + [os.path.join(d, n) for d, ds, fs in os.walk(folder) for n in ds + fs]:
            os.chmod(path, os.stat(path).st_mode & ~0o222)
        before = tree(folder)
        seconds = play(prefix, "portable", folder)
        assert tree(folder) == before, "a save changed the read-only portable folder"
        print("portable and read-only, played in %.1f s" % seconds)
        if os.geteuid() == 0:  # only root may install it
            from_menu(deb, prefix)
        shutil.rmtree(home, ignore_errors=True)
    finally:
        subprocess.run(["chmod", "-R", "u+w", root])
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    main(*sys.argv[1:4])
