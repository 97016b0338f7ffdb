"""The floor checker refuses each kind of planted fault and passes a clean tree."""
import importlib.util, pathlib, tempfile, unittest  # noqa: E401

spec = importlib.util.spec_from_file_location("check_layers", pathlib.Path(__file__).parents[1] / "check_layers.py")
check_layers = importlib.util.module_from_spec(spec)
spec.loader.exec_module(check_layers)

CLEAN = {
    "mapformat/reader.cpp": '#include <string>\n#include "mapformat/reader.h"\n',
    "platform/system.h": "#ifdef _WIN32\n#endif\n",
    "platform/posixfiles.cpp": "#include <unistd.h>\n#include \"platform/files.h\"\n",
    "platform/qt/qtkeys.cpp": '#include <QKeyEvent>\n#include "platform/keys.h"\n#if defined(Q_OS_LINUX)\n#endif\n',
    "platform/win32/win32keys.cpp": "#include <windows.h>\n#ifdef _WIN32\n#endif\n",
    "platform/web/webkeys.cpp": "#include <emscripten/html5.h>\n",
    "game/tick.cpp": '#include "game/main.h"\n#include "platform/keys.h"\n',
    "game/web/mainwindow.cpp": '#include "platform/web/webkeys.h"\n#include "game/main.h"\n',
    "game/tests/play_test.cpp": '#include <windows.h>\n#include "platform/qt/qtkeys.h"\n#ifdef _WIN32\n#endif\n',
}

PLANTED = [  # (file, text it is given, what the fault names)
    ("game/tick.cpp", "#include <windows.h>\n", "<windows.h>"),
    ("game/tick.cpp", "#include <QWidget>\n", "<QWidget>"),
    ("media/bitmap.cpp", "#include <QtGui/QImage>\n", "<QtGui/QImage>"),
    ("editor/files.cpp", "#include <shlwapi.h>\n", "<shlwapi.h>"),
    ("platform/files.cpp", "#include <emscripten/html5.h>\n", "<emscripten/html5.h>"),
    ("platform/qt/qtkeys.cpp", "#include <windows.h>\n", "<windows.h>"),
    ("platform/win32/win32keys.cpp", '#include "platform/qt/qtkeys.h"\n', "qt front end"),
    ("game/tick.cpp", '#include "platform/web/webkeys.h"\n', "web front end"),
    ("mapformat/reader.cpp", '#include "game/main.h"\n', "higher floor"),
    ("platform/files.cpp", '#include "editor/principal.h"\n', "higher floor"),
    ("game/main.cpp", '#include "game/qt/mainwindow.h"\n', "higher floor"),
    ("game/main.cpp", "#ifdef _WIN32\n#endif\n", "_WIN32"),
    ("media/bitmap.cpp", "#if defined(__EMSCRIPTEN__) || 1\n#endif\n", "__EMSCRIPTEN__"),
    ("platform/files.h", "#  elif __linux__\n", "__linux__"),
    ("game/sdl/window.cpp", "#include <SDL.h>\n", "<SDL.h>"),
    ("editor/win32x/window.cpp", "#include <windows.h>\n", "<windows.h>"),
]


def check(files):
    with tempfile.TemporaryDirectory() as folder:
        root = pathlib.Path(folder)
        for name, text in files.items():
            (root / name).parent.mkdir(parents=True, exist_ok=True)
            (root / name).write_text(text, encoding="utf-8")
        return list(check_layers.faults(root))


class CheckLayers(unittest.TestCase):
    def test_clean_tree_passes(self):
        self.assertEqual(check(CLEAN), [])

    def test_each_planted_fault_is_refused(self):
        for name, text, named in PLANTED:
            with self.subTest(name=name, text=text):
                found = check({**CLEAN, name: text})
                self.assertTrue(any(named in f and f.startswith(name) for f in found), found)

    def test_a_front_end_folder_needs_its_seam(self):
        tree = {k: v for k, v in CLEAN.items() if not k.startswith("platform/web/")}
        self.assertTrue(any("platform/web/" in f for f in check(tree)))


if __name__ == "__main__":
    unittest.main()
