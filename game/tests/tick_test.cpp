// The tick: key order, facing rules, the edge stop, moving and the view.
#include <gtest/gtest.h>

#include "fakes.h"

using namespace gametest;
using game::Etiqueta;
namespace vk = platform::vk;

namespace {

struct Tick : ::testing::Test {
  Game g;
  game::Main& m = g.main;
  game::Jugador& j = g.main.jugador;
};

}  // namespace

TEST_F(Tick, KeysAskedOnceInOrderAndThreeKeyRules) {
  jugando(g, mapa(40, 30, {"", "", "", "", "", "", "", "", "", "", "..........@"}));
  g.keys.queries.clear();
  tick(g, {vk::Left, vk::Right});  // rule 6: right wins over nothing
  EXPECT_EQ(g.keys.queries, (std::vector<int>{37, 39, 38, 40, 32, 72, 82, 71}));
  EXPECT_EQ(j.direccion, game::kEste);
  EXPECT_EQ(xy(j.x, j.y), xy(11, 10));
  tick(g, {vk::Up, vk::Down});  // rule 5: up
  EXPECT_EQ(j.direccion, game::kNorte);
  EXPECT_EQ(xy(j.x, j.y), xy(11, 9));
  tick(g, {vk::Left, vk::Up, vk::Right});  // rule 1: up-left
  EXPECT_EQ(j.direccion, game::kNoroeste);
  EXPECT_EQ(xy(j.x, j.y), xy(10, 8));
  tick(g, {vk::Down, vk::Right});
  EXPECT_EQ(j.direccion, game::kSureste);
  EXPECT_EQ(g.view[Etiqueta::exy], "Persona (11,9)");
  EXPECT_EQ(g.view[Etiqueta::labmapa], "Mapa (0,0)");
  EXPECT_TRUE(m.casilla(11, 9).heroe && m.casilla(11, 9).ocupada);
  EXPECT_FALSE(m.casilla(10, 8).heroe || m.casilla(10, 8).ocupada);
}

TEST_F(Tick, DestinationPersistsUntilTheCellFrees) {
  jugando(g, mapa(40, 30, {"", "@T"}));
  tick(g, {vk::Right});  // a tree: no move, the destination stays
  EXPECT_EQ(j.x, 0);
  EXPECT_EQ(j.destx, 1);
  m.casilla(1, 1).ocupada = true;  // something stands there instead of the tree
  m.casilla(1, 1).bloqueada = false;
  tick(g);
  EXPECT_EQ(j.x, 0);
  m.casilla(1, 1).ocupada = false;  // it leaves: the hero steps in with no key, even dead
  j.muerto = true;
  tick(g);
  EXPECT_EQ(j.x, 1);
}

TEST_F(Tick, EdgeStopFreezesEnemiesAndLabels) {
  jugando(g, mapa(40, 30, {"", "@...m"}));
  tick(g, {vk::Left});  // off the map: only the first drawing happens
  EXPECT_EQ(m.listaenemigos[0].x, 4);
  EXPECT_EQ(g.view[Etiqueta::exy], "");
  const int presents = g.view.presents;
  tick(g);  // released, but the destination is still off the map
  EXPECT_EQ(g.view.presents, presents + 1);
  EXPECT_EQ(m.listaenemigos[0].x, 4);
  EXPECT_EQ(g.view[Etiqueta::nombre],
            "Nombre: pepe - Nivel 1\r\nVida: 60/60 - Pociones: 0\r\n"
            "Ataque: 5\r\nDefensa: 0\r\nExperiencia: 0/200");
  tick(g, {vk::Space});  // a strike points the destination at his own cell
  EXPECT_EQ(m.listaenemigos[0].x, 3);
  EXPECT_EQ(g.view[Etiqueta::exy], "Persona (0,1)");
}

TEST_F(Tick, SpaceHeldStrikesEveryThirdTickAndGSavesEveryTick) {
  jugando(g, mapa(40, 30, {"@", "s"}));
  for (int i = 0; i < 7; ++i) tick(g, {vk::Space});
  EXPECT_EQ(g.sound.played.size(), 3u);  // ticks 1, 4 and 7
  EXPECT_EQ(m.listaenemigos[0].vida, 65 - 3 * 3);
  g.messages.shown.clear();
  for (int i = 0; i < 3; ++i) tick(g, {vk::G});
  EXPECT_EQ(g.messages.shown.size(), 3u);
}

TEST_F(Tick, ViewFollowsTheHeroAndStaysOnTheMap) {
  std::vector<std::string> rows(26);
  rows[25] = std::string(97, '.') + "@";
  jugando(g, mapa(100, 50, rows));
  EXPECT_EQ(xy(m.mapax, m.mapay), xy(70, 15));
  tick(g, {vk::Right});
  EXPECT_EQ(g.view[Etiqueta::labmapa], "Mapa (70,15)");
  tick(g, {vk::Right});  // the last column: pressing on stops at the edge
  tick(g, {vk::Right});
  EXPECT_EQ(j.x, 99);
  EXPECT_EQ(m.mapax + 29, 99);

  Game small;
  jugando(small, mapa(20, 10, {"", "", ".@"}));  // smaller than the view
  tick(small, {vk::Down});
  EXPECT_EQ(xy(small.main.mapax, small.main.mapay), xy(0, 0));
}

TEST_F(Tick, CountersCycle) {
  jugando(g, mapa(40, 30, {"@"}));
  j.vida = 50;
  for (int i = 0; i < 32; ++i) tick(g);
  EXPECT_EQ(m.cuadro, 0);  // 32 ticks: twice round 0..15
  EXPECT_EQ(m.contvida, 2);
  EXPECT_EQ(j.vida, 51);
}
