// Play, tick by tick: keys and moves, the view, the hero's own rules, the
// strike and its rewards, and the enemies' turn.
#include "labelled.h"
#include "game/testing/fakes.h"

using namespace gametest;
using namespace game;

TEST_F(Play, ArrowRulesKeyOrderAndLabels) {
  jugando(mapa(40, 30, {"", "", "", "", "", "", "", "", "", "", "..........@"}));
  keys.queries.clear();
  // The first rule whose keys are all held wins.
  const std::pair<std::set<int>, const char*> rows[] = {
      {{vk::Left, vk::Right}, "x=11 y=10 dir=3 vida=60"},
      {{vk::Up, vk::Down}, "x=11 y=9 dir=1 vida=60"},
      {{vk::Left, vk::Up, vk::Right}, "x=10 y=8 dir=0 vida=60"},
      {{vk::Up, vk::Right, vk::Down}, "x=11 y=7 dir=2 vida=60"},
      {{vk::Right, vk::Down, vk::Left}, "x=12 y=8 dir=4 vida=60"},
      {{vk::Down, vk::Left}, "x=11 y=9 dir=6 vida=60"},
      {{vk::Left}, "x=10 y=9 dir=7 vida=60"},
      {{vk::Down}, "x=10 y=10 dir=5 vida=60"}};
  for (const auto& [held, want] : rows) {
    tick(held);
    EXPECT_EQ(standing(j), want);
  }
  const auto& q = keys.queries;  // each key once a tick, in this order
  ASSERT_EQ(q.size(), 64u);
  EXPECT_EQ(std::vector(q.begin(), q.begin() + 8),
            (std::vector{vk::Left, vk::Right, vk::Up, vk::Down, vk::Space, vk::H, vk::R, vk::G}));
  EXPECT_EQ(view[Etiqueta::exy] + " " + view[Etiqueta::labmapa], "Persona (10,10) Mapa (0,0)");
  EXPECT_EQ(labelled({{"heroe", m.casilla(10, 10).heroe},
                      {"ocupada", m.casilla(10, 10).ocupada},
                      {"heroeAntes", m.casilla(10, 9).heroe},
                      {"ocupadaAntes", m.casilla(10, 9).ocupada}}),
            "heroe=1 ocupada=1 heroeAntes=0 ocupadaAntes=0");
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
  EXPECT_EQ(standing(g.e(0)) + labelled({{" presents", g.view.presents}}) + g.view[Etiqueta::exy],
            "x=4 y=1 dir=0 vida=20 presents=4");
  g.tick({vk::Space});  // a strike points the destination at his own cell
  EXPECT_EQ(standing(g.e(0)) + " " + g.view[Etiqueta::exy], "x=3 y=1 dir=7 vida=20 Persona (0,1)");
  // The frame shown after the tick has the enemies' moves in it.
  EXPECT_TRUE(!g.grass(3, 1) && g.grass(4, 1));
}

TEST_F(Play, ViewFollowsTheHeroAndStaysOnTheMap) {
  std::vector<std::string> rows(39);
  rows[38] = std::string(83, '.') + "@";
  jugando(mapa(100, 50, rows));
  EXPECT_EQ(labelled({{"mapax", m.mapax}, {"mapay", m.mapay}}), "mapax=68 mapay=28");
  tick({vk::Right, vk::Down});  // the view's last column and row are not yet the map's
  EXPECT_EQ(view[Etiqueta::labmapa], "Mapa (69,29)");
  for (int i = 0; i < 16; ++i) tick({vk::Right, vk::Down});  // into the corner, and on
  for (int i = 0; i < 6; ++i) tick({vk::Right});
  EXPECT_EQ(labelled({{"x", j.x}, {"y", j.y}}) + " " + view[Etiqueta::labmapa],
            "x=99 y=49 Mapa (70,30)");

  Game small;
  small.jugando(mapa(20, 10, {"", "", ".@"}));  // smaller than the view
  small.tick({vk::Down});
  EXPECT_EQ(labelled({{"mapax", small.m.mapax}, {"mapay", small.m.mapay}}), "mapax=0 mapay=0");
}

TEST_F(Play, LevelFormulas) {
  for (const auto& [n, figures] :
       {std::pair{1, "defensa=0 ataque=5 expsiguiente=100 vidamax=61 vida=61"},
        {10, "defensa=2 ataque=8 expsiguiente=5500 vidamax=79 vida=79"},
        {327, "defensa=65 ataque=114 expsiguiente=5362800 vidamax=713 vida=713"},
        {10000, "defensa=2000 ataque=3338 expsiguiente=2147483647 vidamax=20059 vida=20059"},
        {0, "defensa=0 ataque=5 expsiguiente=0 vidamax=59 vida=59"},
        {-1, "defensa=-1 ataque=4 expsiguiente=0 vidamax=57 vida=57"},
        {-6, "defensa=-2 ataque=3 expsiguiente=0 vidamax=47 vida=47"},
        {INT32_MAX,
         "defensa=429496729 ataque=715827887 expsiguiente=2147483647 vidamax=2147483647 "
         "vida=2147483647"},
        {INT32_MIN,
         "defensa=-429496730 ataque=-715827878 expsiguiente=0 vidamax=-2147483648 "
         "vida=-2147483648"}}) {
    j.vida = 1;
    j.nivel = n;
    m.calcularnivel();
    EXPECT_EQ(labelled({{"defensa", j.defensa},
                        {"ataque", j.ataque},
                        {"expsiguiente", j.expsiguiente},
                        {"vidamax", j.vidamax},
                        {"vida", j.vida}}),
              figures)
        << n;
  }
  for (const auto& [n, piso] :
       {std::pair{3, 300}, {1, 0}, {-5, 0}, {1000000000, INT32_MAX}, {INT32_MAX, INT32_MAX}})
    EXPECT_EQ(Main::pisonivel(n), piso) << n;
}

TEST_F(Play, RegenerationReviveAndPotions) {
  jugando(mapa(40, 30, {"@"}));
  j.vida = 59;
  for (int i = 0; i < 62; ++i) tick();  // one point per 30 ticks, never past the maximum
  EXPECT_EQ(labelled({{"vida", j.vida}, {"contvida", m.contvida}, {"cuadro", m.cuadro}}),
            "vida=60 contvida=2 cuadro=14");
  j.vida = 10;
  j.muerto = true;
  m.contvida = 29;
  tick();  // dead when the counter turns: nothing gained
  EXPECT_EQ(labelled({{"vida", j.vida}, {"contvida", m.contvida}}), "vida=10 contvida=0");

  j.experiencia = 10;
  j.pociones = 3;
  const int presents = view.presents;
  tick({vk::R});  // he is drawn again at once, then twice by the tick
  EXPECT_EQ(labelled({{"vida", j.vida},
                      {"pociones", j.pociones},
                      {"exp", j.experiencia},
                      {"muerto", j.muerto},
                      {"presents", view.presents - presents}}),
            "vida=60 pociones=0 exp=0 muerto=0 presents=3");
  j.nivel = 3;
  m.calcularnivel();
  for (const auto& [antes, despues] : {std::pair{500, 425}, {350, 300}}) {  // 300: level 3's floor
    j.experiencia = antes;
    j.muerto = true;
    tick({vk::R});
    EXPECT_EQ(labelled({{"nivel", j.nivel}, {"exp", j.experiencia}}),
              labelled({{"nivel", 3}, {"exp", despues}}));
  }

  // Potions, drunk while pushing against the edge, which cuts the tick short:
  // none left; at full life it is kept; up to the maximum; the dead drink and stay dead.
  for (const auto& [pociones, vida, muerto, after] :
       {std::tuple{0, 10, false, "vida=10 pociones=0 muerto=0"},
        {1, 65, false, "vida=65 pociones=1 muerto=0"},
        {1, 60, false, "vida=65 pociones=0 muerto=0"},
        {1, 0, true, "vida=20 pociones=0 muerto=1"}}) {
    j.pociones = pociones;
    j.vida = vida;
    j.muerto = muerto;
    tick({vk::H, vk::Left});
    EXPECT_EQ(labelled({{"vida", j.vida}, {"pociones", j.pociones}, {"muerto", j.muerto}}), after);
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
  ASSERT_EQ(sound.played, std::vector{files.path("sonidos/hit0.wav")});
  EXPECT_EQ(view[Etiqueta::enedata1], "Vida: 19/20");
  // The wait counts down only while Space is held: every third tick.
  for (const auto& held : {std::set<int>{}, {}, {vk::Space}, {vk::Space}, {vk::Space}, {vk::Space}})
    tick(held);
  EXPECT_EQ(e(0).vida, 18);
  m.enemigosel = 5;
  j.espera = 0;
  tick({vk::Space});  // another enemy selected: the panel stays
  EXPECT_EQ(labelled({{"vida", e(0).vida}}) + " " + view[Etiqueta::enedata1],
            "vida=17 Vida: 18/20");

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
    EXPECT_EQ(labelled({{"blanco", ring.e(target[d]).vida}, {"suma", sum}}),
              labelled({{"blanco", 15}, {"suma", total - 5}}))
        << d;
  }

  // Facing right from the last column strikes nothing; the last column and
  // row themselves are on the map.
  for (const auto& [rows, facing, hits] :
       {std::tuple{std::vector<std::string>{"m.@"}, kEste, 0}, {{".@", "..m"}, kSureste, 1}}) {
    Game edge;
    edge.jugando(mapa(3, 2, rows));
    edge.j.direccion = facing;
    edge.tick({vk::Space});
    EXPECT_EQ(labelled({{"golpes", edge.sound.played.size()}, {"espera", edge.j.espera}}),
              labelled({{"golpes", hits}, {"espera", 2}}))
        << facing;
  }
}

TEST_F(Play, KillRewardsAndTheLastKillSaves) {
  jugando(mapa(40, 30, {"@m", ".m"}));
  j.direccion = kEste;
  e(0).vida = 5;
  j.experiencia = 175;    // the blot's 25 reach the new character's 200 exactly
  random.next_ = {0.58};  // 5: a potion
  tick({vk::Space});
  EXPECT_EQ(labelled({{"muerto", e(0).muerto},
                      {"activo", e(0).activo},
                      {"enemigosel", m.enemigosel},
                      {"enemigo", m.casilla(1, 0).enemigo},
                      {"ocupada", m.casilla(1, 0).ocupada}}),
            "muerto=1 activo=1 enemigosel=-1 enemigo=-1 ocupada=0");
  EXPECT_EQ(view[Etiqueta::enedata0] + view[Etiqueta::nenemigos], "Enemigos: 1");
  EXPECT_EQ(labelled({{"pociones", j.pociones},
                      {"sembrado", random.seeded},
                      {"exp", j.experiencia},
                      {"nivel", j.nivel},
                      {"expsiguiente", j.expsiguiente}}),
            "pociones=1 sembrado=1 exp=200 nivel=2 expsiguiente=300");

  j.experiencia = 5000;  // past several thresholds: still one level
  j.direccion = kSureste;
  j.espera = 0;
  e(1).vida = 1;
  random.next_ = {0.45};  // 4: a potion too
  // The end-of-level box opens over the new figures and a frame without the enemy.
  std::string shown;
  messages.whileShown = [&] { shown = view[Etiqueta::nombre] + (grass(1, 1) ? " gone" : ""); };
  tick({vk::Space});
  EXPECT_EQ(labelled({{"nivel", j.nivel}, {"pociones", j.pociones}, {"exp", j.experiencia}}) +
                shown.substr(shown.rfind('\n')),
            "nivel=3 pociones=2 exp=5025\nExperiencia: 5025/600 gone");
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
  const char* want[] = {"x=3 y=3 dir=4 vida=20", "x=4 y=3 dir=5 vida=20", "x=5 y=3 dir=6 vida=20",
                        "x=3 y=4 dir=3 vida=20", "x=5 y=4 dir=7 vida=20", "x=9 y=4 dir=9 vida=20",
                        "x=3 y=5 dir=2 vida=20", "x=4 y=5 dir=1 vida=20", "x=5 y=5 dir=0 vida=20",
                        "x=7 y=7 dir=0 vida=20", "x=4 y=9 dir=9 vida=20"};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(standing(e(i)), want[i]) << i;

  // Column first, then row; trees stop walkers, not the flying rat; a blot
  // waits behind another.
  for (const auto& [rows, i, at] :
       {std::tuple{std::vector<std::string>{"@", "", "", "..Tm"}, 0, "x=3 y=2"},
        {{"@.Tm"}, 0, "x=3 y=0"},
        {{"@", "", "", "..~~r"}, 0, "x=3 y=2"},
        {{"@mm"}, 1, "x=2 y=0"}}) {
    Game g;
    g.jugando(mapa(40, 30, rows));
    g.m.turnoenemigos();
    EXPECT_EQ(labelled({{"x", g.e(i).x}, {"y", g.e(i).y}}), at) << rows.back();
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
  EXPECT_EQ(labelled({{"vida", j.vida}, {"muerto", j.muerto}}), "vida=1 muerto=0");

  Game g;
  g.jugando(mapa(40, 30, {"@s", "ss", "", "....m"}));
  g.e(0).muerto = true;  // early in the list: the others still act
  g.j.vida = 7;
  g.m.turnoenemigos();
  // The first live sheep kills him with exactly 7; the next strikes again.
  EXPECT_EQ(labelled({{"vida", g.j.vida}, {"muerto", g.j.muerto}, {"espera2", g.e(2).espera}}),
            "vida=0 muerto=1 espera2=2");
  EXPECT_EQ(standing(g.e(3)), "x=3 y=2 dir=0 vida=20");  // the blot after them still walked
  g.m.turnoenemigos();                                   // a dead hero stops everyone
  EXPECT_EQ(standing(g.e(3)), "x=3 y=2 dir=0 vida=20");
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
  EXPECT_EQ(standing(e(1)) + " " + view[Etiqueta::nombre].substr(24, 11),
            "x=12 y=10 dir=7 vida=1 Vida: 55/60");
  for (const auto& [x, enemigo] : {std::pair{10, 0}, {12, 1}, {13, 2}})
    EXPECT_EQ(labelled({{"enemigo", m.casilla(x, 10).enemigo},
                        {"ocupada", m.casilla(x, 10).ocupada},
                        {"heroe", m.casilla(x, 10).heroe}}),
              labelled({{"enemigo", enemigo}, {"ocupada", 1}, {"heroe", 0}}));
  EXPECT_FALSE(grass(13 - m.mapax, 10 - m.mapay));  // blot 2 is drawn

  tick({vk::Left});  // the rat's cell is occupied: he only turns
  tick({vk::Space});
  EXPECT_EQ(labelled({{"x", j.x}, {"muerto", e(0).muerto}, {"ocupada", m.casilla(10, 10).ocupada}}),
            "x=11 muerto=1 ocupada=0");
  tick({vk::Right});
  for (int t = 0; t < 12 && m.enemigosrestantes > 0; ++t) tick({vk::Space});
  EXPECT_EQ(lastMessage(), "Has terminado el nivel!\r\nGuardado con éxito!");
}
