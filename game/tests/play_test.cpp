// Play, tick by tick: keys and moves, the view, the hero's own rules, the
// strike and its rewards, and the enemies' turn.
#include "game/testing/fakes.h"

using namespace gametest;
using namespace game;

TEST_F(Play, ArrowRulesKeyOrderAndLabels) {
  jugando(mapa(40, 30, {"", "", "", "", "", "", "", "", "", "", "..........@"}));
  keys.queries.clear();
  // The first rule whose keys are all held wins.
  const std::pair<std::set<int>, const char*> rows[] = {
      {{vk::Left, vk::Right}, "11 10 3 60"},
      {{vk::Up, vk::Down}, "11 9 1 60"},
      {{vk::Left, vk::Up, vk::Right}, "10 8 0 60"},
      {{vk::Up, vk::Right, vk::Down}, "11 7 2 60"},
      {{vk::Right, vk::Down, vk::Left}, "12 8 4 60"},
      {{vk::Down, vk::Left}, "11 9 6 60"},
      {{vk::Left}, "10 9 7 60"},
      {{vk::Down}, "10 10 5 60"}};
  for (const auto& [held, want] : rows) {
    tick(held);
    EXPECT_EQ(heroe(), want);
  }
  const auto& q = keys.queries;  // each key once a tick, in this order
  EXPECT_EQ(str(q.size(), q[0], q[1], q[2], q[3], q[4], q[5], q[6], q[7]),
            "64 37 39 38 40 32 72 82 71");
  EXPECT_EQ(view[Etiqueta::exy] + " " + view[Etiqueta::labmapa], "Persona (10,10) Mapa (0,0)");
  EXPECT_EQ(str(m.casilla(10, 10).heroe, m.casilla(10, 10).ocupada, m.casilla(10, 9).heroe,
                m.casilla(10, 9).ocupada),
            "1 1 0 0");
}

TEST_F(Play, DestinationWaitsForTheCellAndTheEdgeFreezesTheTick) {
  jugando(mapa(40, 30, {"", "@T"}));
  tick({vk::Right});  // a tree: no move, the destination stays
  m.casilla(1, 1).bloqueada = false;
  m.casilla(1, 1).ocupada = true;  // something else stands there now
  tick();
  EXPECT_EQ(j.x, 0);
  m.casilla(1, 1).ocupada = false;  // it leaves: he steps in with no key, even dead
  j.muerto = true;
  tick();
  EXPECT_EQ(j.x, 1);

  Game g;
  g.jugando(mapa(40, 30, {"", "@...m"}));
  g.tick({vk::Left});  // off the map: only the first drawing, nothing else
  g.tick();
  // Form_Load, the load, one drawing per tick; nobody walked, no label.
  EXPECT_EQ(g.enemigo(0) + " " + str(g.view.presents) + g.view[Etiqueta::exy], "4 1 0 20 4");
  g.tick({vk::Space});  // a strike points the destination at his own cell
  EXPECT_EQ(g.enemigo(0) + " " + g.view[Etiqueta::exy], "3 1 7 20 Persona (0,1)");
  // The frame shown after the tick has the enemies' moves in it.
  EXPECT_TRUE(!g.grass(3, 1) && g.grass(4, 1));
}

TEST_F(Play, ViewFollowsTheHeroAndStaysOnTheMap) {
  std::vector<std::string> rows(39);
  rows[38] = std::string(83, '.') + "@";
  jugando(mapa(100, 50, rows));
  EXPECT_EQ(str(m.mapax, m.mapay), "68 28");
  tick({vk::Right, vk::Down});  // the view's last column and row are not yet the map's
  EXPECT_EQ(view[Etiqueta::labmapa], "Mapa (69,29)");
  for (int i = 0; i < 16; ++i) tick({vk::Right, vk::Down});  // into the corner, and on
  for (int i = 0; i < 6; ++i) tick({vk::Right});
  EXPECT_EQ(str(j.x, j.y) + view[Etiqueta::labmapa], "99 49Mapa (70,30)");

  Game small;
  small.jugando(mapa(20, 10, {"", "", ".@"}));  // smaller than the view
  small.tick({vk::Down});
  EXPECT_EQ(str(small.m.mapax, small.m.mapay), "0 0");
}

TEST_F(Play, LevelFormulas) {
  // Level: defense, attack, experience for the next, life (and its maximum).
  for (const auto& [n, figures] :
       {std::pair{1, "0 5 100 61 61"},
        {10, "2 8 5500 79 79"},
        {327, "65 114 5362800 713 713"},
        {10000, "2000 3338 2147483647 20059 20059"},
        {0, "0 5 0 59 59"},
        {-1, "-1 4 0 57 57"},
        {-6, "-2 3 0 47 47"},
        {INT32_MAX, "429496729 715827887 2147483647 2147483647 2147483647"},
        {INT32_MIN, "-429496730 -715827878 0 -2147483648 -2147483648"}}) {
    j.vida = 1;
    j.nivel = n;
    m.calcularnivel();
    EXPECT_EQ(str(j.defensa, j.ataque, j.expsiguiente, j.vidamax, j.vida), figures) << n;
  }
  for (const auto& [n, piso] :
       {std::pair{3, 300}, {1, 0}, {-5, 0}, {1000000000, INT32_MAX}, {INT32_MAX, INT32_MAX}})
    EXPECT_EQ(Main::pisonivel(n), piso) << n;
}

TEST_F(Play, RegenerationReviveAndPotions) {
  jugando(mapa(40, 30, {"@"}));
  j.vida = 59;
  for (int i = 0; i < 62; ++i) tick();  // one point per 30 ticks, never past the maximum
  EXPECT_EQ(str(j.vida, m.contvida, m.cuadro), "60 2 14");
  j.vida = 10;
  j.muerto = true;
  m.contvida = 29;
  tick();  // dead when the counter turns: nothing gained
  EXPECT_EQ(str(j.vida, m.contvida), "10 0");

  j.experiencia = 10;
  j.pociones = 3;
  const int presents = view.presents;
  tick({vk::R});  // he is drawn again at once, then twice by the tick
  EXPECT_EQ(str(j.vida, j.pociones, j.experiencia, j.muerto, view.presents - presents),
            "60 0 0 0 3");
  j.nivel = 3;
  m.calcularnivel();
  for (const auto& [antes, despues] : {std::pair{500, 425}, {350, 300}}) {  // 300: level 3's floor
    j.experiencia = antes;
    j.muerto = true;
    tick({vk::R});
    EXPECT_EQ(str(j.nivel, j.experiencia), "3 " + std::to_string(despues));
  }

  // Potions, drunk while pushing against the edge, which cuts the tick short:
  // none left; at full life it is kept; up to the maximum; the dead drink and stay dead.
  for (const auto& [pociones, vida, muerto, after] : {std::tuple{0, 10, false, "10 0 0"},
                                                      {1, 65, false, "65 1 0"},
                                                      {1, 60, false, "65 0 0"},
                                                      {1, 0, true, "20 0 1"}}) {
    j.pociones = pociones;
    j.vida = vida;
    j.muerto = muerto;
    tick({vk::H, vk::Left});
    EXPECT_EQ(str(j.vida, j.pociones, j.muerto), after);
  }
  EXPECT_EQ(view[Etiqueta::nombre],
            "Nombre: pepe - Nivel 3\r\nVida: 20/65 - Pociones: 0\r\n"
            "Ataque: 6\r\nDefensa: 0\r\nExperiencia: 300/600");
}

TEST_F(Play, StrikeTargetsCooldownAndTheSelectedEnemy) {
  jugando(mapa(40, 30, {"m", "@"}));
  j.direccion = kNoroeste;  // from column 0 the column stays 0: the cell above
  e(0).defensa = 7;
  tick({vk::Space});  // attack 5 against defense 7 still takes 1
  // Slot 0 is selected from the start: its panel follows the hit.
  EXPECT_EQ(str(sound.played.size()) + sound.played[0] + view[Etiqueta::enedata1],
            "1" + files.path("sonidos/hit0.wav") + "Vida: 19/20");
  // The wait counts down only while Space is held: every third tick.
  for (const auto& held : {std::set<int>{}, {}, {vk::Space}, {vk::Space}, {vk::Space}, {vk::Space}})
    tick(held);
  EXPECT_EQ(e(0).vida, 18);
  m.enemigosel = 5;
  j.espera = 0;
  tick({vk::Space});  // another enemy selected: the panel stays
  EXPECT_EQ(str(e(0).vida) + view[Etiqueta::enedata1], "17Vida: 18/20");

  Game ring;  // each facing strikes its own neighbour, and only that one
  ring.jugando(mapa(40, 30, {"", "", ".mmm", ".m@m", ".mmm"}));
  ring.j.vida = 1000;
  const int target[] = {0, 1, 2, 4, 7, 6, 5, 3};
  for (int d = 0, total = 160; d < 8; ++d, total -= 5) {
    ring.j.direccion = static_cast<int16_t>(d);
    ring.j.espera = 0;
    ring.tick({vk::Space});
    int sum = 0;
    for (int i = 0; i < 8; ++i) sum += ring.e(i).vida;
    EXPECT_EQ(str(ring.e(target[d]).vida, sum), str(15, total - 5)) << d;
  }

  // Facing right from the last column strikes nothing; the last column and
  // row themselves are on the map.
  for (const auto& [rows, facing, hits] :
       {std::tuple{std::vector<std::string>{"m.@"}, kEste, 0}, {{".@", "..m"}, kSureste, 1}}) {
    Game edge;
    edge.jugando(mapa(3, 2, rows));
    edge.j.direccion = facing;
    edge.tick({vk::Space});
    EXPECT_EQ(str(edge.sound.played.size(), edge.j.espera), str(hits, 2)) << facing;
  }
}

TEST_F(Play, KillRewardsAndTheLastKillSaves) {
  jugando(mapa(40, 30, {"@m", ".m"}));
  j.direccion = kEste;
  e(0).vida = 5;
  j.experiencia = 175;    // the blot's 25 reach the new character's 200 exactly
  random.next_ = {0.58};  // 5: a potion
  tick({vk::Space});
  EXPECT_EQ(
      str(e(0).muerto, e(0).activo, m.enemigosel, m.casilla(1, 0).enemigo, m.casilla(1, 0).ocupada),
      "1 1 -1 -1 0");
  EXPECT_EQ(view[Etiqueta::enedata0] + view[Etiqueta::nenemigos], "Enemigos: 1");
  EXPECT_EQ(str(j.pociones, random.seeded, j.experiencia, j.nivel, j.expsiguiente),
            "1 1 200 2 300");

  j.experiencia = 5000;  // past several thresholds: still one level
  j.direccion = kSureste;
  j.espera = 0;
  e(1).vida = 1;
  random.next_ = {0.45};  // 4: a potion too
  // The end-of-level box opens over the new figures and a frame without the enemy.
  std::string shown;
  messages.whileShown = [&] { shown = view[Etiqueta::nombre] + (grass(1, 1) ? " gone" : ""); };
  tick({vk::Space});
  EXPECT_EQ(str(j.nivel, j.pociones, j.experiencia) + shown.substr(shown.rfind('\n')),
            "3 2 5025\nExperiencia: 5025/600 gone");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(view[Etiqueta::nenemigos] + " " + lastMessage() + " " + *files.get("personajes/pepe"),
            "Enemigos: 0 Has terminado el nivel!\r\nGuardado con éxito! pepe,3,5025,");
}

TEST_F(Play, EnemiesSeeFaceAndStepTowardsTheHero) {
  // Hero at (4, 4): eight enemies two cells away on every side, one at four
  // diagonally, two at five on one axis.
  jugando(
      mapa(40, 30, {"", "", "..m.m.m", "", "..m.@.m..m", "", "..m.m.m", "", "........m", "....m"}));
  for (auto& en : m.listaenemigos) en.direccion = 9;  // no facing yet
  m.turnoenemigos();
  const char* want[] = {"3 3 4 20", "4 3 5 20", "5 3 6 20", "3 4 3 20", "5 4 7 20", "9 4 9 20",
                        "3 5 2 20", "4 5 1 20", "5 5 0 20", "7 7 0 20", "4 9 9 20"};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(enemigo(i), want[i]) << i;

  // Column first, then row; trees stop walkers, not the flying rat; a blot
  // waits behind another.
  for (const auto& [rows, i, at] :
       {std::tuple{std::vector<std::string>{"@", "", "", "..Tm"}, 0, "3 2"},
        {{"@.Tm"}, 0, "3 0"},
        {{"@", "", "", "..~~r"}, 0, "3 2"},
        {{"@mm"}, 1, "2 0"}}) {
    Game g;
    g.jugando(mapa(40, 30, rows));
    g.m.turnoenemigos();
    EXPECT_EQ(g.enemigo(i).substr(0, 3), at) << rows.back();
  }
}

TEST_F(Play, EnemyStrikesAndTheHerosDeath) {
  jugando(mapa(40, 30, {"@m"}));
  std::string vida;
  for (int t = 0; t < 7; ++t) {
    m.turnoenemigos();
    vida += str(j.vida) + " ";
  }
  EXPECT_EQ(vida, "58 58 58 56 56 56 54 ");  // strike, wait 2, strike
  j.defensa = 9;
  e(0).espera = 0;
  j.vida = 2;
  m.turnoenemigos();  // attack 2 against defense 9 still takes 1; 1 life is alive
  EXPECT_EQ(str(j.vida, j.muerto), "1 0");

  Game g;
  g.jugando(mapa(40, 30, {"@s", "ss", "", "....m"}));
  g.e(0).muerto = true;  // early in the list: the others still act
  g.j.vida = 7;
  g.m.turnoenemigos();
  // The first live sheep kills him with exactly 7; the next strikes again.
  EXPECT_EQ(str(g.j.vida, g.j.muerto, g.e(2).espera), "0 1 2");
  EXPECT_EQ(g.enemigo(3), "3 2 0 20");  // the blot after them still walked
  g.m.turnoenemigos();                  // a dead hero stops everyone
  EXPECT_EQ(g.enemigo(3), "3 2 0 20");
}

// Eight sheep around the hero: the first to strike kills him, the other
// seven strike the fallen hero in the same tick. Each sound is asked for at
// most once a tick, and again in the next; a different one still follows.
TEST_F(Play, EachSoundAtMostOnceATick) {
  jugando(mapa(40, 30, {"sss", "s@s", "sss"}));  // he faces the sheep south of him
  const struct {
    int32_t vida;
    std::set<int> held;
    const char* heard;
  } ticks[] = {
      {1, {}, "dead "},
      {1, {vk::Space}, "hit0 dead "},
      {100, {vk::Space}, "hit0 "},  // eight strikes take 56: he lives
  };
  const std::string hit0 = files.path("sonidos/hit0.wav"), dead = files.path("sonidos/dead.wav");
  for (const auto& t : ticks) {
    j.vida = t.vida;
    j.muerto = false;
    j.espera = 0;
    for (int i = 0; i < 8; ++i) e(i).espera = 0;
    sound.played.clear();
    tick(t.held);
    std::string heard;
    for (const std::string& path : sound.played)
      heard += (path == hit0 ? "hit0" : path == dead ? "dead" : path) + " ";
    EXPECT_EQ(heard, t.heard) << t.vida << " " << t.held.size();
  }
}

// Hand-made maps may stack units: a rat on the hero's start and two blots
// on one cell. Each must stay visible and killable, the map finishable.
TEST_F(Play, SharedCellsNeverHideAnEnemy) {
  nuevoHeroe();
  std::string celdas;
  for (int i = 0; i < 40 * 30; ++i) celdas += "0,";
  ASSERT_TRUE(cargar("40,30/inf//fin/" + celdas +
                     "/fin/10,10/fin/10,10:1/unit/13,10:0/unit/13,10:0/unit//fin/"));
  EXPECT_EQ(m.casilla(13, 10).enemigo, 2);  // the last one placed is recorded
  for (int i = 0; i < 3; ++i) e(i).vida = 1;
  tick({vk::Right});  // the hero steps off the rat, which strikes; blot 1 steps off blot 2
  EXPECT_EQ(enemigo(1) + " " + view[Etiqueta::nombre].substr(24, 11), "12 10 7 1 Vida: 55/60");
  for (const auto& [x, enemigo] : {std::pair{10, 0}, {12, 1}, {13, 2}})
    EXPECT_EQ(str(m.casilla(x, 10).enemigo, m.casilla(x, 10).ocupada, m.casilla(x, 10).heroe),
              str(enemigo, 1, 0));
  EXPECT_FALSE(grass(13 - m.mapax, 10 - m.mapay));  // blot 2 is drawn

  tick({vk::Left});  // the rat's cell is occupied: he only turns
  tick({vk::Space});
  EXPECT_EQ(str(j.x, e(0).muerto, m.casilla(10, 10).ocupada), "11 1 0");
  tick({vk::Right});
  for (int t = 0; t < 12 && m.enemigosrestantes > 0; ++t) tick({vk::Space});
  EXPECT_EQ(lastMessage(), "Has terminado el nivel!\r\nGuardado con éxito!");
}
