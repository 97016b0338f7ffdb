// Placing, scrolling, the new-map sizes, and the view the editor composes.
#include <gtest/gtest.h>

#include "editor/neww.h"
#include "editor_fixture.h"

using namespace edittest;
using editor::Etiqueta;
namespace vk = platform::vk;

TEST(Placing, RulesAndSilentRefusals) {
  Editor e;
  auto& p = e.p;
  p.terr_Click(2);
  e.click(1, 1);  // no map yet
  p.nuevomapa(30, 20);
  const int presents = e.view.presents;
  p.modo = editor::kNinguno;
  e.click(1, 1);  // no tool yet
  EXPECT_EQ(p.mapa(1, 1).terreno, 0);
  EXPECT_EQ(e.view.presents, presents);

  p.pers_Click();
  e.click(3, 3);
  e.click(4, 4);  // the start moves
  int starts = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) starts += p.mapa(x, y).esjugador;
  EXPECT_EQ(starts, 1);
  EXPECT_TRUE(p.hayjugador);
  EXPECT_EQ(p.jugadorx, 4);
  EXPECT_EQ(p.jugadory, 4);

  p.terr_Click(3);
  e.click(4, 4);  // not under the start
  EXPECT_EQ(p.mapa(4, 4).terreno, 0);
  p.enem_Click(1);
  e.click(5, 5);
  e.click(4, 4);  // not on the start
  p.enem_Click(2);
  e.click(5, 5);  // not on another enemy
  EXPECT_EQ(p.mapa(5, 5).tipoenemigo, 1);
  EXPECT_FALSE(p.mapa(4, 4).hayenemigo);
  EXPECT_TRUE(p.listaenemigos[0].activo);
  EXPECT_FALSE(p.listaenemigos[1].activo);
  p.pers_Click();
  e.click(5, 5);  // the start cannot go on an enemy
  EXPECT_EQ(p.jugadorx, 4);
  p.terr_Click(3);
  e.click(5, 5);  // ground can be painted under an enemy
  EXPECT_EQ(p.mapa(5, 5).terreno, 3);
  EXPECT_TRUE(p.mapa(5, 5).hayenemigo);
}

TEST(Placing, The102ndEnemyIsRefusedAndNewMapsForgetTheOldOnes) {
  Editor e;
  auto& p = e.p;
  p.nuevomapa(30, 20);
  p.enem_Click(0);
  for (int i = 0; i < 102; ++i) e.click(i % 30, i / 30);
  EXPECT_TRUE(p.listaenemigos[100].activo);
  const int presents = e.view.presents;
  EXPECT_FALSE(p.mapa(101 % 30, 101 / 30).hayenemigo);  // not shown, so not lost on save
  EXPECT_EQ(p.mapa(101 % 30, 101 / 30).tipoenemigo, -1);
  e.click(101 % 30, 101 / 30);
  EXPECT_EQ(e.view.presents, presents);

  p.pers_Click();
  e.click(10, 10);
  p.nuevomapa(40, 30);
  EXPECT_FALSE(p.hayjugador);
  for (const auto& c : p.listaenemigos) EXPECT_FALSE(c.activo);
  EXPECT_EQ(p.modo, editor::kJugador);  // the tool survives
}

TEST(Scrolling, LimitsAndCaptions) {
  Editor e;
  auto& p = e.p;
  p.nuevomapa(200, 200);
  e.keys.held = {vk::Right};
  for (int i = 0; i < 80; ++i) p.maintimer_Timer();
  EXPECT_EQ(p.mapax, 170);
  EXPECT_EQ(e.view.captions[Etiqueta::mapcap], "Mapa (170,0)");
  e.keys.held = {vk::Left, vk::Right, vk::Down};
  p.maintimer_Timer();
  EXPECT_EQ(p.mapax, 170);
  EXPECT_EQ(p.mapay, 3);
  // The right-most column of the view is the map's last.
  p.terr_Click(3);
  p.mainpic_MouseDown(599, 0);
  EXPECT_EQ(p.mapa(199, 3).terreno, 3);

  p.nuevomapa(30, 20);
  e.keys.held = {vk::Right, vk::Down};
  p.maintimer_Timer();
  EXPECT_EQ(e.view.captions[Etiqueta::mapcap], "Mapa (0,0)");

  p.mapax = 12;
  // A drag may leave the view: pixels left of it lie in the columns before.
  for (const auto& [x, want] : {std::pair{39, "Mouse (13,1)"}, std::pair{-1, "Mouse (11,1)"},
                                std::pair{-20, "Mouse (11,1)"}, std::pair{-21, "Mouse (10,1)"}}) {
    p.mainpic_MouseMove(x, 20);
    EXPECT_EQ(e.view.captions[Etiqueta::mousecap], want) << x;
  }
  Editor fresh;  // the mouse is reported even before any map
  fresh.p.mainpic_MouseMove(599, 399);
  EXPECT_EQ(fresh.view.captions[Etiqueta::mousecap], "Mouse (29,19)");
  fresh.p.maintimer_Timer();
  EXPECT_EQ(fresh.view.captions.count(Etiqueta::mapcap), 0u);
}

TEST(NewMapSize, BoundsOnTheUnroundedNumber) {
  using editor::tamanonuevo;
  using Size = std::optional<std::pair<int16_t, int16_t>>;
  EXPECT_EQ(tamanonuevo("30", "20"), (Size{{30, 20}}));
  EXPECT_EQ(tamanonuevo("200", "200"), (Size{{200, 200}}));
  EXPECT_EQ(tamanonuevo("30.5", "21.5"), (Size{{30, 22}}));
  EXPECT_EQ(tamanonuevo("199.5", "20"), (Size{{200, 20}}));
  EXPECT_EQ(tamanonuevo("30,5", "20", ','), (Size{{30, 20}}));
  for (auto [w, h] : {std::pair{"29.6", "20"},
                      {"29", "20"},
                      {"201", "20"},
                      {"30", "19"},
                      {"30", "201"},
                      {"25", "20"},
                      {"treinta", "20"},
                      {"", "20"},
                      {"30", " "},
                      {"1e3", "20"}})
    EXPECT_EQ(tamanonuevo(w, h), std::nullopt) << w << " x " << h;
}

TEST(View, GroundFiguresAndEdges) {
  Editor e;
  auto& p = e.p;
  p.nuevomapa(30, 20);
  const auto& pics = pictures();
  auto tile = [&](int k, int r) {
    std::vector<uint32_t> t;
    for (int j = 0; j < 20; ++j)
      for (int i = 0; i < 20; ++i) t.push_back(p.mainpic().at(20 * k + i, 20 * r + j) & 0xFFFFFF);
    return t;
  };
  auto expected = [&](int ground, const platform::Bitmap* a, const platform::Bitmap* b) {
    std::vector<uint32_t> t;
    for (int j = 0; j < 20; ++j)
      for (int i = 0; i < 20; ++i) {
        uint32_t c = pics.terrenos.at(ground + i, j) & 0xFFFFFF;
        for (const platform::Bitmap* s : {a, b})
          if (s && (s->at(20 + i, 80 + j) & 0xFFFFFF) == 0) c = s->at(i, 80 + j) & 0xFFFFFF;
        t.push_back(c);
      }
    return t;
  };
  EXPECT_EQ(tile(29, 19), expected(0, nullptr, nullptr));
  // A start and an enemy on one cell (only from a file): the enemy on top.
  p.mapa(3, 3).esjugador = true;
  p.mapa(3, 3).tipoenemigo = 2;
  p.mapa(4, 3).tipoenemigo = 7;  // kept from a file, not drawn
  p.dibujar();
  EXPECT_EQ(tile(3, 3), expected(0, &pics.yo, &pics.enemigos[2]));
  EXPECT_EQ(tile(4, 3), expected(0, nullptr, nullptr));
  // Beyond a small map's edge: black, and clicks place nothing there.
  p.maxx = 9;
  p.dibujar();
  EXPECT_EQ(tile(10, 0), std::vector<uint32_t>(400, 0));
  p.terr_Click(2);
  e.click(12, 0);
  EXPECT_EQ(p.mapa(12, 0).terreno, 0);
}

TEST(Menus, AuthorManualAndQuit) {
  Editor e;
  e.p.mnumanual_Click();
  EXPECT_TRUE(e.messages.shown.empty());
  e.p.mnuacerca_Click();
  ASSERT_EQ(e.messages.shown.size(), 1u);
  EXPECT_EQ(e.messages.shown[0].text, "Diseñado y Programado por Veldrosa");
  EXPECT_EQ(e.messages.shown[0].icon, platform::Icon::Information);
  e.p.mnusalir_Click();
  EXPECT_TRUE(e.view.quitted);
}
