// The editor's rules driven without a window: placing, scrolling, the
// new-map sizes, the view it composes, and "Abrir" and "Guardar".
#include <gtest/gtest.h>

#include <sstream>

#include "assets/loadpictures.h"
#include "editor/layout.h"
#include "editor/neww.h"
#include "editor/principal.h"
#include "platform/testing/fakes.h"

struct Editor : editor::View, platform::Messages {
  // Every mouse caption and the first word of every message so far, the
  // latter followed by "(x)" if critical, "(i)" if not; the map caption.
  std::string mouse, said, mapa;
  int presents = 0;
  media::Rect changed;  // by the last present
  void setCaption(editor::Etiqueta l, const std::string& t) override {
    if (l == editor::Etiqueta::mousecap) mouse += t + " ";
    if (l == editor::Etiqueta::mapcap) mapa = t;
  }
  void present(const media::Rect& c) override {
    ++presents;
    changed = c;
  }
  void quit() override {}
  void show(const std::string& text, platform::Icon icon) override {
    said += text.substr(0, text.find(' ')) + (icon == platform::Icon::Critical ? "(x) " : "(i) ");
  }
  const assets::Pictures pics = assets::loadPictures();
  platform::testing::FakeKeys keys;
  platform::testing::FakeDialog dialog;
  platform::testing::TempFiles files;
  editor::Principal p{editor::Services{keys, dialog, *this, files}, pics, *this};
  Editor() { p.Form_Load(); }

  // A script of words: "n30,20" a new map (of any size) and "c30,20" one
  // through "Nuevo Mapa"'s "Crear", "t2" ground 2, "e1" enemy kind 1 and
  // "p" the start from the palettes' buttons (found by name), "3,4" a click
  // on a cell and "@5,400" on a pixel, "m-1,0" a mouse move, "k80" 80
  // ticks, and "Abrir" or "Guardar" on a file ("g:mapas/x.mapa") or
  // cancelled ("g").
  void run(const std::string& script) {
    std::istringstream in(script);
    for (std::string w; in >> w;) {
      const int a = std::atoi(w.c_str() + (w[0] <= '9' ? 0 : 1));
      const int b = std::atoi(w.c_str() + (w.find(',') + 1));  // npos + 1 is 0
      if (w[1] == ':')
        dialog.answers.push_back(
            {{files.path(w.substr(2)),
              w.substr(w.find_last_of(platform::kSeparators + std::string("/")) + 1)}});
      if (w[0] == 'a') p.mnuabrir_Click();
      if (w[0] == 'g') p.mnuguardar_Click();
      if (w[0] == 'n') p.nuevomapa(static_cast<int16_t>(a), static_cast<int16_t>(b));
      if (w[0] == 'c') p.crear_Click(w.substr(1, w.find(',') - 1), w.substr(w.find(',') + 1), '.');
      if (w[0] == 't' || w[0] == 'e' || w[0] == 'p') {
        const std::string name = w[0] == 't'   ? "terr" + w.substr(1)
                                 : w[0] == 'e' ? "enem" + w.substr(1)
                                               : "pers";
        for (std::size_t i = 0; i < editor::layout::kBotones.size(); ++i)
          if (editor::layout::kBotones[i].name == name) p.pulsarBoton(i);
      }
      if (w[0] == 'm') p.mainpic_MouseMove(a, b);
      if (w[0] == '@') p.mainpic_MouseDown(a, b);
      if (w[0] <= '9') p.mainpic_MouseDown(a * 20 + 5, b * 20 + 5);
      for (int k = 0; w[0] == 'k' && k < a; ++k) p.maintimer_Timer();
    }
  }
};

TEST(Editing, PlacingScrollingAndTheMouse) {
  Editor e;
  // Before any map clicks and ticks do nothing, and the mouse is reported:
  // pixels left of or above the view (a drag) lie in the tiles before it.
  e.run("t2 0,0 k1");
  e.p.mapax = 12;
  e.run("m599,399 m-1,-1 m-20,0 m-21,0");
  EXPECT_EQ(e.mouse + e.mapa + "presents=" + std::to_string(e.presents),
            "Mouse (41,19) Mouse (11,-1) Mouse (11,0) Mouse (10,0) presents=0");

  // Only pixels inside the 600 x 400 view place, its edges included; only
  // a placement draws.
  e.run("n200,200 t3 @-1,5 @5,-1 @600,5 @5,400 @0,0 @599,399");
  EXPECT_TRUE(e.presents == 3 && e.p.mapa(29, 19).terreno == 3);
  // Every tick scrolls with the arrows held, clamps and draws; opposite
  // arrows cancel, and the view may end at the map's last cells.
  e.keys.held = {platform::vk::Right, platform::vk::Down};
  e.run("k80");
  EXPECT_EQ(e.mapa + " presents=" + std::to_string(e.presents), "Mapa (170,180) presents=83");
  e.keys.held = {platform::vk::Left, platform::vk::Right, platform::vk::Up};
  e.p.mapax = 169;
  e.p.mapay = 182;
  e.run("k1");
  EXPECT_EQ(e.mapa, "Mapa (169,179)");
  // A refused size says so, and leaves the map and the view as they were.
  e.run("c29.9,20");
  EXPECT_EQ(e.said + std::to_string(e.p.maxx) + " presents=" + std::to_string(e.presents),
            "El(x) 199 presents=84");

  // 101 enemies at most: the refused one is neither kept nor drawn. A new
  // map forgets the start and the enemies, and one smaller than the view
  // shows its first cells.
  e.run("c30,20 e0");
  for (int i = 0; i < 102; ++i) e.run(std::to_string(i % 30) + "," + std::to_string(i / 30));
  EXPECT_TRUE(e.p.listaenemigos[100].activo && e.p.mapa(11, 3).tipoenemigo == -1);
  e.run("p 5,5");
  // The start moves; no enemy on it nor on another enemy, no start on an
  // enemy, ground under an enemy but not under the start. "Guardar" refuses a
  // map without a start or a name, and a cancelled one writes and says nothing.
  std::filesystem::create_directories(e.files.path("mapas/v1.0"));
  std::filesystem::create_directories(e.files.path("mapas/a"));
  e.run("n4,3 k1 g:mapas/sin.mapa p 0,0 1,0 e1 2,0 1,0 e2 2,0 p 2,0 t1 0,0 1,0 2,0 g:mapas/.txt g");
  // What follows the first dot of the name becomes ".mapa"; the folder ends
  // at the last separator. A failed write keeps the old file.
  e.run("g:mapas/a.txt g:mapas/v1.0/a.b.c");
  e.files.failWrites = true;
  e.run("t2 3,0 g:mapas/a.mapa");
  for (auto* f : {"a.mapa", "v1.0/a.mapa"})
    EXPECT_EQ(e.files.get(std::string("mapas/") + f),
              "4,3/inf//fin/1,0,1,0,0,0,0,0,0,0,0,0,/fin/1,0/fin/2,0:1/unit//fin/")
        << f;
  e.p.mnuacerca_Click();
  EXPECT_EQ(e.said, "El(x) Tienes(x) El(x) Guardado(i) Guardado(i) No(x) Diseñado(i) ");
}

TEST(Editing, NewMapSizeBoundsOnTheUnroundedNumber) {
  using Size = std::optional<std::pair<int16_t, int16_t>>;
  EXPECT_EQ(editor::tamanonuevo("30", "20"), (Size{{30, 20}}));
  EXPECT_EQ(editor::tamanonuevo("200", " 200"), (Size{{200, 200}}));
  EXPECT_EQ(editor::tamanonuevo("30.5", "21.5"), (Size{{30, 22}}));
  EXPECT_EQ(editor::tamanonuevo("199,5", "20", ','), (Size{{200, 20}}));
  for (auto [w, h] : {std::pair{"29.9", "20"},
                      {"201", "20"},
                      {"treinta", "20"},
                      {"30", "19.9"},
                      {"30", "200.1"},
                      {"30", ""}})
    EXPECT_EQ(editor::tamanonuevo(w, h), std::nullopt) << w << " x " << h;
}

TEST(Files, AbrirReplacesTheMapAndDrawsIt) {
  Editor e;
  // Tile k of the top row shows ground (-1: black), then each figure where
  // its mask is black, the last on top.
  auto shows = [&](int k, int ground, std::vector<const media::Bitmap*> figures) {
    for (int j = 0; j < 20; ++j)
      for (int i = 0; i < 20; ++i) {
        uint32_t c = ground < 0 ? 0 : e.pics.terrenos.at(ground + i, j);
        for (auto* s : figures)
          if ((s->at(20 + i, 80 + j) & 0xFFFFFF) == 0) c = s->at(i, 80 + j);
        if ((e.p.mainpic().at(20 * k + i, j) ^ c) & 0xFFFFFF) return false;
      }
    return true;
  };
  // Codes other than 0 to 3 and kinds other than 0 to 2 come only from
  // files: kept, drawn as grass and not at all. A start under an enemy too.
  // Nothing of the map before remains: not its start, not its enemies.
  e.run("n7,2 e1 0,0 1,0 2,0 5,0 6,0 p 4,0");
  const std::string units = ",/fin/3,0/fin/2,0:0/unit/3,0:2/unit/4,0:3/unit/5,0:5/unit/";
  e.files.put("mapas/v.mapa", "6,1/inf/9/fin/3,4,-1,1,0,0" + units + "/fin/");
  e.run("a:mapas/v.mapa a");  // the second cancelled
  EXPECT_TRUE(shows(0, 60, {}) && shows(1, 0, {}) && shows(2, 0, {&e.pics.enemigos[0]}));
  EXPECT_TRUE(shows(3, 20, {&e.pics.yo, &e.pics.enemigos[2]}) && shows(4, 0, {}));
  // A repainted cell shows its new ground alone; the opened start and
  // enemies refuse placements, the other cells take them. A corrupt file or
  // a missing one changes nothing; saved again, the number is dropped.
  e.files.put("mapas/roto.mapa", "3,2/inf/8/fin/0,0,/fin/0,0/fin//fin/");
  e.run("t1 0,0 3,0 p 2,0 e0 1,0 a:mapas/roto.mapa a:mapas/no.mapa g:mapas/v.mapa");
  EXPECT_TRUE(e.presents == 10 && shows(0, 20, {}) && shows(5, 0, {}) && shows(6, -1, {}));
  EXPECT_EQ(e.files.get("mapas/v.mapa"), "6,1/inf//fin/1,4,-1,1,0,0" + units + "1,0:0/unit//fin/");
  // A view narrower than the picture (none of the program's) leaves the
  // rest of it white, and all of it is shown anew.
  e.p.vistaancho = 5;
  e.p.dibujar();
  EXPECT_TRUE(shows(0, 20, {}) && e.p.mainpic().at(130, 5) == e.pics.resp.at(130, 5) &&
              e.changed == (media::Rect{0, 0, 600, 400}));
}

// A name before ".mapa" that Windows cannot hold as a file of its own is
// refused on every platform before anything is written, so that a folder of
// maps moves between them; names that only look like those are saved.
TEST(Files, GuardarRefusesNamesWindowsCannotHold) {
  const struct {
    std::vector<std::string> titles;
    bool saved;
  } cases[] = {
      {{"CON", "nul.x", "COM1", "LPT1.txt", "aux", "Com\u00B9.txt", "lpt0", "nul .txt", "a<b",
        "a:b.txt", "a|b", "a?b", "a*b", "a\"b", "x .txt", "tab\tx", std::string(251, 'a')},
       false},
      {{"CONSOLA", "COM10.txt", "nulo", "lpt", "Com\u00B9a", std::string(250, 'a')}, true},
  };
  Editor e;
  e.run("n30,20 p 1,1");
  for (const auto& c : cases)
    for (const std::string& title : c.titles) {
      e.said.clear();
      const std::string stem = title.substr(0, title.find('.'));
      e.dialog.answers.push_back(platform::FileChoice{e.files.path("mapas/" + title), title});
      e.p.mnuguardar_Click();
      const auto files = std::distance(std::filesystem::directory_iterator(e.files.root / "mapas"),
                                       std::filesystem::directory_iterator{});
      EXPECT_EQ(e.said, c.saved ? "Guardado(i) " : "El(x) ") << title;
      EXPECT_EQ(e.files.get("mapas/" + stem + ".mapa").has_value(), c.saved) << title;
      EXPECT_EQ(files, c.saved ? 1 : 0) << title;  // nothing else written
      if (c.saved) e.files.remove(e.files.path("mapas/" + stem + ".mapa"));
    }
}

// Installed, "Abrir" and "Guardar" open in the player's own maps folder,
// made on first use, where he may write and the game looks first; the
// portable editor proposes nothing, as ever.
TEST(Files, InstalledDialogsOpenInThePlayersMapsFolder) {
  Editor portable, e;
  e.files.install();
  e.p.Form_Load();
  portable.run("n30,20 p 1,1 g a");
  e.run("n30,20 p 1,1 g:home/.local/share/tarnwick/mapas/mio a");
  const std::string folder =
      e.files.path("home/.local/share/tarnwick/mapas") + platform::kSeparator;
  std::string proposed;
  for (const auto& asked : portable.dialog.asked) proposed += "[" + asked.proposed + "]";
  for (const auto& asked : e.dialog.asked) proposed += "[" + asked.proposed + "]";
  EXPECT_EQ(proposed, "[][][" + folder + "][" + folder + "]");
  EXPECT_TRUE(e.files.get("home/.local/share/tarnwick/mapas/mio.mapa").has_value());
  EXPECT_EQ(e.said, "Guardado(i) ");
}
