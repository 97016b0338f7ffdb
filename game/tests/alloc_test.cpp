// Steady play allocates nothing: once its buffers have grown, a tick of the
// rules (keys, moves, the enemies' turn, drawing, every caption) makes no
// heap allocation, idle, walking, fighting or falling.
#include "labelled.h"
#include "platform/testing/allocations.h"
#include "game/testing/scenes.h"

using gametest::Steady;

TEST(Allocations, NoneInATickOfSteadyPlay) {
  const struct {
    Steady::Play play;
    std::string mapa;
  } cases[] = {{Steady::Play::Idle, gametest::walkMap()},
               {Steady::Play::Walking, gametest::walkMap()},
               {Steady::Play::Fighting, gametest::fightMap()},
               {Steady::Play::Dying, gametest::fightMap()}};
  for (const auto& c : cases) {
    Steady s;
    s.jugar(c.mapa);
    const int x0 = s.m.jugador.x;
    long long n = 0;
    for (; n < 30; ++n) s.tick(c.play, n);
    const long long before = platform::testing::allocations.load(), sonidos = s.sound.plays;
    int16_t xs = 0;
    bool golpeado = false;
    long long muertes = 0;
    for (; n < 230; ++n) {
      s.tick(c.play, n);
      xs = static_cast<int16_t>(xs | (1 << (s.m.jugador.x - x0 + 1)));
      golpeado = golpeado || s.m.jugador.vida < (1 << 30);
      muertes += s.m.jugador.muerto;
    }
    EXPECT_EQ(platform::testing::allocations.load() - before, 0) << static_cast<int>(c.play);
    // What ran was that kind of play: the hero stood, walked to and fro,
    // fought all 101 enemies and was hit, or fell every third tick, his
    // death sound asked for once each time however many struck him.
    EXPECT_EQ(xs, c.play == Steady::Play::Walking ? 0b11 : 0b10) << static_cast<int>(c.play);
    if (c.play == Steady::Play::Fighting) {
      EXPECT_EQ(gametest::labelled({{"restantes", s.m.enemigosrestantes},
                                    {"golpeado", golpeado},
                                    {"sonidos>50", s.sound.plays > 50}}),
                "restantes=101 golpeado=1 sonidos>50=1");
    }
    if (c.play == Steady::Play::Dying) {
      EXPECT_EQ(gametest::labelled({{"muertes", muertes}, {"sonidos", s.sound.plays - sonidos}}),
                "muertes=67 sonidos=67");
    }
  }
}
