// The hero's own rules: regeneration, reviving, potions, the strike and its
// rewards, and the level formulas.
#include <gtest/gtest.h>

#include <limits>

#include "fakes.h"

using namespace gametest;
using game::Etiqueta;
namespace vk = platform::vk;

namespace {

struct Hero : ::testing::Test {
  Game g;
  game::Main& m = g.main;
  game::Jugador& j = g.main.jugador;
  void nivel(int32_t n) {
    j.nivel = n;
    m.calcularnivel();
  }
};

}  // namespace

TEST_F(Hero, LevelFormulas) {
  struct Row {
    int32_t n, defensa, ataque, siguiente, vida;
  };
  for (const Row& r : {Row{1, 0, 5, 100, 61}, Row{4, 0, 6, 1000, 67}, Row{10, 2, 8, 5500, 79},
                       Row{327, 65, 114, 5362800, 713}, Row{0, 0, 5, 0, 59}, Row{-1, -1, 4, 0, 57},
                       Row{-6, -2, 3, 0, 47}}) {
    j.vida = 1;
    nivel(r.n);
    EXPECT_EQ(j.defensa, r.defensa) << r.n;
    EXPECT_EQ(j.ataque, r.ataque) << r.n;
    EXPECT_EQ(j.expsiguiente, r.siguiente) << r.n;
    EXPECT_EQ(j.vidamax, r.vida) << r.n;
    EXPECT_EQ(j.vida, r.vida) << r.n;
  }
  // Beyond 327 nothing wraps: the figures grow, then stop at the limit.
  nivel(328);
  EXPECT_EQ(j.expsiguiente, 5395600);
  nivel(10000);
  EXPECT_EQ(j.expsiguiente, std::numeric_limits<int32_t>::max());
  // The sum's 64-bit product would overflow from about 3 x 10^8 on.
  j.experiencia = 0;
  nivel(1000000000);
  EXPECT_NE(g.view[game::Etiqueta::nombre].find("Vida: 2000000059/2000000059"), std::string::npos);
  EXPECT_NE(g.view[game::Etiqueta::nombre].find("Experiencia: 0/2147483647"), std::string::npos);
  EXPECT_EQ(game::Main::pisonivel(1000000000), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(game::Main::pisonivel(std::numeric_limits<int32_t>::max()),
            std::numeric_limits<int32_t>::max());
  nivel(std::numeric_limits<int32_t>::max());
  EXPECT_EQ(j.vidamax, std::numeric_limits<int32_t>::max());
  EXPECT_GT(j.ataque, 0);
  nivel(std::numeric_limits<int32_t>::min());
  EXPECT_EQ(j.vidamax, std::numeric_limits<int32_t>::min());
  EXPECT_EQ(game::Main::pisonivel(3), 300);
  EXPECT_EQ(game::Main::pisonivel(1), 0);
  EXPECT_EQ(game::Main::pisonivel(-5), 0);
}

TEST_F(Hero, RegenerationReviveAndPotions) {
  jugando(g, mapa(40, 30, {"@"}));
  j.vida = 10;
  j.muerto = true;
  m.contvida = 29;
  tick(g);  // dead when the counter turns: nothing gained
  EXPECT_EQ(m.contvida, 0);
  EXPECT_EQ(j.vida, 10);

  j.experiencia = 10;
  j.pociones = 3;
  tick(g, {vk::R});
  EXPECT_FALSE(j.muerto);
  EXPECT_EQ(j.vida, 60);
  EXPECT_EQ(j.pociones, 0);
  EXPECT_EQ(j.experiencia, 0);  // 10 - 25 is below the floor 0
  nivel(3);
  j.experiencia = 350;
  j.muerto = true;
  tick(g, {vk::R});
  EXPECT_EQ(j.experiencia, 300);  // 275 is below the floor of level 3
  EXPECT_EQ(j.nivel, 3);

  j.pociones = 1;
  tick(g, {vk::H});  // full life: the potion is kept
  EXPECT_EQ(j.pociones, 1);
  j.vida = j.vidamax - 5;
  tick(g, {vk::H});
  EXPECT_EQ(j.vida, j.vidamax);
  EXPECT_EQ(j.pociones, 0);
  j.pociones = 1;
  j.vida = 0;
  j.muerto = true;
  tick(g, {vk::H});  // a dead hero drinks and stays dead
  EXPECT_EQ(j.vida, 20);
  EXPECT_TRUE(j.muerto);
}

TEST_F(Hero, StrikeTargets) {
  jugando(g, mapa(40, 30, {"m", "@"}));
  j.direccion = game::kNoroeste;  // from column 0 the column stays 0: the cell above
  m.listaenemigos[0].defensa = 7;
  tick(g, {vk::Space});
  EXPECT_EQ(m.listaenemigos[0].vida, 19);  // attack 5 against defense 7: 1 life
  EXPECT_EQ(g.sound.played, std::vector<std::string>{g.files.path("sonidos/hit0.wav")});

  // Facing right from the last column strikes nothing.
  Game edge;
  jugando(edge, mapa(3, 2, {"m.@"}));
  edge.main.jugador.direccion = game::kEste;
  tick(edge, {vk::Space});
  EXPECT_TRUE(edge.sound.played.empty());
  EXPECT_EQ(edge.main.jugador.espera, 2);
}

TEST_F(Hero, KillSequence) {
  jugando(g, mapa(40, 30, {"@m", ".m"}));
  j.direccion = game::kEste;
  m.enemigosel = 0;
  m.listaenemigos[0].vida = 5;
  j.experiencia = 190;
  g.random.next_ = {0.45};  // r = 4: a potion
  tick(g, {vk::Space});
  EXPECT_TRUE(m.listaenemigos[0].muerto);
  EXPECT_TRUE(m.listaenemigos[0].activo);
  EXPECT_EQ(m.enemigosel, -1);
  EXPECT_EQ(g.view[Etiqueta::enedata0], "");
  EXPECT_EQ(g.view[Etiqueta::nenemigos], "Enemigos: 1");
  EXPECT_EQ(j.pociones, 1);
  EXPECT_EQ(g.random.seeded, 1);
  EXPECT_EQ(m.casilla(1, 0).enemigo, -1);
  EXPECT_FALSE(m.casilla(1, 0).ocupada);
  EXPECT_EQ(j.experiencia, 215);
  EXPECT_EQ(j.nivel, 2);  // 215 passes the new character's 200
  EXPECT_EQ(j.expsiguiente, 300);

  // The last kill: experience and level first, then the end-of-level save.
  j.experiencia = 5000;  // past several thresholds: still one level
  j.direccion = game::kSureste;
  j.espera = 0;
  m.listaenemigos[1].vida = 1;
  g.random.next_ = {0.6};  // r = 6: no potion
  g.messages.shown.clear();
  tick(g, {vk::Space});
  EXPECT_EQ(j.nivel, 3);
  EXPECT_EQ(j.pociones, 1);
  EXPECT_EQ(g.view[Etiqueta::nenemigos], "Enemigos: 0");
  ASSERT_EQ(g.messages.shown.size(), 1u);
  EXPECT_EQ(g.messages.shown[0].text, "Has terminado el nivel!\r\nGuardado con éxito!");
  EXPECT_EQ(g.files.get("personajes/pepe"), "pepe,3,5025,");
  // The next kill would raise the level again: the threshold is still behind.
  EXPECT_GE(j.experiencia, j.expsiguiente);
}
