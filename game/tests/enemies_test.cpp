// The enemies' turn: sight, facing, walking, striking, the hero's death.
#include <gtest/gtest.h>

#include "fakes.h"

using namespace gametest;
namespace vk = platform::vk;

namespace {

struct Enemies : ::testing::Test {
  Game g;
  game::Main& m = g.main;
  game::Jugador& j = g.main.jugador;
  game::Enemigo& e(int i) { return m.listaenemigos[static_cast<std::size_t>(i)]; }
  std::pair<int, int> at(int i) { return {e(i).x, e(i).y}; }
};

}  // namespace

TEST_F(Enemies, SightAndDiagonalSteps) {
  jugando(g, mapa(40, 30, {"@....m", "", "..m"}));
  m.turnoenemigos();
  EXPECT_EQ(at(0), xy(5, 0));  // five columns away: unseen
  EXPECT_EQ(e(0).direccion, 0);
  EXPECT_EQ(at(1), xy(1, 1));  // two away diagonally: one diagonal step
  EXPECT_EQ(e(1).direccion, game::kNoroeste);
  EXPECT_EQ(m.casilla(1, 1).enemigo, 1);
  EXPECT_TRUE(m.casilla(1, 1).ocupada);
  EXPECT_FALSE(m.casilla(2, 2).ocupada);
  EXPECT_EQ(m.casilla(2, 2).enemigo, -1);
}

TEST_F(Enemies, BlockedGroundFlyingAndQueues) {
  // A tree stops the blot's column step but not its row step; the rat flies
  // over the water; the second blot in the corridor waits behind the first.
  jugando(g, mapa(40, 30, {"@.Tm", "", "", "..~~r", "TTTTTT", ".mm.."}));
  m.turnoenemigos();
  EXPECT_EQ(at(0), xy(3, 0));  // row equal, column blocked: stays
  EXPECT_EQ(at(1), xy(3, 2));  // the rat flew over the water, then up
  EXPECT_TRUE(m.casilla(3, 2).ocupada);
  m.casilla(2, 0).bloqueada = false;
  m.casilla(2, 0).terreno = 0;
  m.turnoenemigos();
  EXPECT_EQ(at(0), xy(2, 0));
  // Queue: the second blot cannot step into the first one's cell.
  j.y = 5;
  m.casilla(0, 0).heroe = m.casilla(0, 0).ocupada = false;
  m.casilla(0, 5).heroe = m.casilla(0, 5).ocupada = true;
  e(0).activo = true;
  m.turnoenemigos();
  EXPECT_EQ(at(2), xy(1, 5));
  EXPECT_EQ(at(3), xy(2, 5));
}

TEST_F(Enemies, StrikeCooldownAndLeastDamage) {
  jugando(g, mapa(40, 30, {"@m"}));
  std::vector<int> vida;
  for (int t = 0; t < 7; ++t) {
    m.turnoenemigos();
    vida.push_back(j.vida);
  }
  EXPECT_EQ(vida, (std::vector<int>{58, 58, 58, 56, 56, 56, 54}));  // strike, wait 2, strike
  j.defensa = 9;
  e(0).espera = 0;
  m.turnoenemigos();
  EXPECT_EQ(j.vida, 53);  // attack 2 against defense 9 still takes 1
}

TEST_F(Enemies, DeadEnemiesAreSkippedAndDeathDoesNotStopTheTurn) {
  jugando(g, mapa(40, 30, {"@s", "ss", "", "....m"}));
  e(0).muerto = true;  // early in the list: the others still act
  m.casilla(1, 0).ocupada = false;
  m.casilla(1, 0).enemigo = -1;
  j.vida = 7;
  m.turnoenemigos();
  // The first live sheep kills him with exactly 7; the next strikes again.
  EXPECT_TRUE(j.muerto);
  EXPECT_EQ(j.vida, 0);
  EXPECT_EQ(g.sound.played, (std::vector<std::string>(2, g.files.path("sonidos/dead.wav"))));
  EXPECT_EQ(at(3), xy(3, 2));  // the blot after them still walked
  m.turnoenemigos();           // a dead hero stops everyone
  EXPECT_EQ(at(3), xy(3, 2));
}

// Hand-made maps may stack units: a rat on the hero's start and two blots
// on one cell. Every one of them must stay visible and killable, and the
// map finishable.
TEST_F(Enemies, SharedCellsNeverHideAnEnemy) {
  nuevoHeroe(g);
  std::string celdas;
  for (int i = 0; i < 40 * 30; ++i) celdas += "0,";
  ASSERT_TRUE(cargar(g, "40,30/inf//fin/" + celdas +
                            "/fin/10,10/fin/10,10:1/unit/13,10:0/unit/13,10:0/unit//fin/"));
  EXPECT_EQ(m.casilla(13, 10).enemigo, 2);  // the last one placed is recorded
  for (int i = 0; i < 3; ++i) e(i).vida = 1;

  // The hero steps off the rat, and blot 1 off the cell it shares with
  // blot 2: each cell left records who still stands there.
  tick(g, {vk::Right});
  EXPECT_EQ(at(1), xy(12, 10));
  for (const auto& [x, enemigo] : {std::pair{10, 0}, std::pair{12, 1}, std::pair{13, 2}}) {
    EXPECT_EQ(m.casilla(x, 10).enemigo, enemigo) << x;
    EXPECT_TRUE(m.casilla(x, 10).ocupada) << x;
  }
  EXPECT_FALSE(m.casilla(10, 10).heroe);
  // Blot 2 is drawn: its tile is no longer bare grass.
  int differ = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) differ += m.mainpic().at(260 + x, 200 + y) != m.mainpic().at(x, y);
  EXPECT_GT(differ, 20);

  // Strike west, then east until the map is clear.
  tick(g, {vk::Left});  // the rat's cell is occupied: he only turns
  EXPECT_EQ(j.x, 11);
  tick(g, {vk::Space});
  EXPECT_TRUE(e(0).muerto);
  EXPECT_FALSE(m.casilla(10, 10).ocupada);
  tick(g, {vk::Right});
  for (int t = 0; t < 12 && m.enemigosrestantes > 0; ++t) tick(g, {vk::Space});
  EXPECT_TRUE(e(1).muerto && e(2).muerto);
  EXPECT_EQ(g.messages.shown.back().text, "Has terminado el nivel!\r\nGuardado con éxito!");
}
