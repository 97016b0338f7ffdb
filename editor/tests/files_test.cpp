// "Abrir" and "Guardar": the exact text, the target name, what a reopen
// restores, and maps the game reads.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "editor_fixture.h"
#include "mapformat/reader.h"

using namespace edittest;

namespace {

std::string grass(int cells) {
  std::string s;
  for (int i = 0; i < cells; ++i) s += "0,";
  return s;
}

}  // namespace

TEST(Guardar, ExactTextAndTargetName) {
  Editor e;
  e.p.nuevomapa(30, 20);
  EXPECT_FALSE(e.guardar("mapas/sin.mapa"));  // no player start yet
  EXPECT_EQ(e.messages.shown.back().text, "Tienes que colocar al jugador!");
  EXPECT_EQ(e.messages.shown.back().icon, platform::Icon::Critical);
  EXPECT_FALSE(e.files.get("mapas/sin.mapa"));

  e.p.pers_Click();
  e.click(5, 7);
  ASSERT_TRUE(e.guardar("mapas/nivel.txt"));
  EXPECT_EQ(e.messages.shown.back().icon, platform::Icon::Information);
  EXPECT_EQ(e.files.get("mapas/nivel.mapa"), "30,20/inf//fin/" + grass(600) + "/fin/5,7/fin//fin/");
  EXPECT_FALSE(e.files.get("mapas/nivel.txt"));
  ASSERT_TRUE(e.guardar("mapas/otro"));
  EXPECT_TRUE(e.files.get("mapas/otro.mapa"));
  ASSERT_TRUE(e.guardar("mapas/a.b.c"));
  EXPECT_TRUE(e.files.get("mapas/a.mapa"));
  EXPECT_FALSE(e.guardar("mapas/.txt"));  // nothing before the dot
  EXPECT_EQ(e.messages.shown.back().text, "El nombre del archivo no es válido.");
  EXPECT_FALSE(e.files.get("mapas/.mapa"));
  const auto shown = e.messages.shown.size();
  e.dialog.answers.push_back(std::nullopt);  // cancelled, or no name at all
  e.dialog.answers.push_back(platform::FileChoice{"", ""});
  e.p.mnuguardar_Click();
  e.p.mnuguardar_Click();
  EXPECT_EQ(e.messages.shown.size(), shown);
  // Only this platform's separator cuts the path: here "\\" is a letter.
  ASSERT_TRUE(e.guardar("mapas/a\\b.txt"));
  EXPECT_TRUE(e.files.get("mapas/a\\b.mapa"));

  e.p.enem_Click(2);
  e.click(1, 0);
  e.p.enem_Click(0);
  e.click(0, 19);
  ASSERT_TRUE(e.guardar("mapas/nivel.mapa"));
  EXPECT_EQ(e.files.get("mapas/nivel.mapa"),
            "30,20/inf//fin/" + grass(600) + "/fin/5,7/fin/1,0:2/unit/0,19:0/unit//fin/");

  e.files.failWrites = true;  // a failed write is said, and the old file stays
  EXPECT_FALSE(e.guardar("mapas/nivel.mapa"));
  EXPECT_EQ(e.messages.shown.back().icon, platform::Icon::Critical);
  EXPECT_TRUE(e.files.get("mapas/nivel.mapa"));
}

TEST(Abrir, ReplacesTheWholeMapOrNothing) {
  Editor e;
  e.p.nuevomapa(40, 30);
  e.p.enem_Click(1);
  for (int i = 0; i < 10; ++i) e.click(i, 10);
  e.p.pers_Click();
  e.click(2, 2);
  e.p.mapax = 4;

  e.files.put("mapas/tres.mapa", "30,20/inf/9/fin/" + grass(600) +
                                     "/fin/1,1/fin/0,0:0/unit/3,10:1/unit/29,19:7/unit//fin/");
  const int drawn = e.view.presents;
  e.abrir("mapas/tres.mapa");
  EXPECT_GT(e.view.presents, drawn);
  EXPECT_TRUE(e.p.conmapa && e.p.hayjugador);
  EXPECT_EQ(e.p.maxx, 29);
  EXPECT_EQ(e.p.mapax, 4);  // the origin waits for the next tick
  int enUso = 0;
  for (const auto& c : e.p.listaenemigos) enUso += c.activo;
  EXPECT_EQ(enUso, 3);
  EXPECT_FALSE(e.p.mapa(2, 2).esjugador);
  EXPECT_FALSE(e.p.mapa(5, 10).hayenemigo);
  EXPECT_TRUE(e.p.mapa(1, 1).esjugador);
  EXPECT_EQ(e.p.mapa(29, 19).tipoenemigo, 7);
  EXPECT_TRUE(e.p.mapa(29, 19).hayenemigo);
  // Saved again: three units, the odd kind kept, the number dropped.
  ASSERT_TRUE(e.guardar("mapas/tres.mapa"));
  EXPECT_EQ(
      e.files.get("mapas/tres.mapa"),
      "30,20/inf//fin/" + grass(600) + "/fin/1,1/fin/0,0:0/unit/3,10:1/unit/29,19:7/unit//fin/");

  // More than 101 units, a corrupt file, a missing one: nothing changes.
  std::string muchos;
  for (int i = 0; i < 102; ++i) muchos += "1,1:0/unit/";
  e.files.put("mapas/muchos.mapa",
              "30,20/inf//fin/" + grass(600) + "/fin/0,0/fin/" + muchos + "/fin/");
  e.files.put("mapas/roto.mapa", "30,20/inf//fin/0,0,/fin/0,0/fin//fin/");
  // Nor do files that are no plain files: a FIFO (opening it must not
  // block), a device behind a link, a folder.
  ASSERT_EQ(::mkfifo(e.files.path("mapas/tubo.mapa").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", e.files.path("mapas/cero.mapa"));
  const int presents = e.view.presents;
  for (const char* f : {"mapas/muchos.mapa", "mapas/roto.mapa", "mapas/no.mapa", "mapas/tubo.mapa",
                        "mapas/cero.mapa", "mapas"})
    e.abrir(f);
  EXPECT_EQ(e.view.presents, presents);
  EXPECT_TRUE(e.messages.shown.back().text == "Guardado con éxito!");
  EXPECT_TRUE(e.p.mapa(1, 1).esjugador);
  EXPECT_EQ(e.p.listaenemigos[2].tipo, 7);
}

TEST(RoundTrip, LargestEditorMapAndTheGamesReader) {
  Editor e;
  e.p.nuevomapa(200, 200);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 200; ++x) e.p.mapa(x, y).terreno = static_cast<int16_t>((x * 7 + y) % 4);
  e.p.pers_Click();
  e.click(3, 4);
  for (int i = 0; i < 101; ++i) {
    e.p.enem_Click(i % 3);
    e.p.mapax = static_cast<int16_t>(i);
    e.p.mapay = static_cast<int16_t>(i % 50);
    e.click(29, 19);
  }
  ASSERT_TRUE(e.guardar("mapas/grande.mapa"));
  const auto text = e.files.get("mapas/grande.mapa");

  Editor again;
  again.files.put("mapas/grande.mapa", *text);
  again.abrir("mapas/grande.mapa");
  ASSERT_TRUE(again.guardar("mapas/copia.mapa"));
  EXPECT_EQ(again.files.get("mapas/copia.mapa"), text);

  // The game's reader sees the same ground, start and enemies.
  mapformat::MapData game, mine;
  ASSERT_EQ(mapformat::read(*text, mapformat::Reader::Game, game), mapformat::Fault::None);
  e.p.amapa(mine);
  EXPECT_EQ(game, mine);
  EXPECT_EQ(game.unitCount, 101);
  EXPECT_EQ(game.px, 3);
  EXPECT_EQ(game.units[100], (mapformat::Unit{129, 19, 1}));
}
