// What the player sees: the frame composed from the sheets, the panels and
// their texts, the mouse, and the help menu.
#include "labelled.h"
#include "game/testing/fakes.h"

using namespace gametest;

TEST_F(Play, StartUpPanelsAndIdleTicks) {
  EXPECT_EQ(labelled({{"ancho", m.vistaancho},
                      {"alto", m.vistaalto},
                      {"ultimomapa", m.ultimomapa},
                      {"enemigosel", m.enemigosel},
                      {"menuMapa", *view.mapMenu}}),
            "ancho=30.000000 alto=20.000000 ultimomapa=2 enemigosel=0 menuMapa=0");
  const char* tipos[] = {"Mancha asesina vida=20 exp=25 ataque=2 defensa=0 vuela=0",
                         "Rata voladora vida=45 exp=120 ataque=5 defensa=1 vuela=1",
                         "Borrego mutante vida=65 exp=300 ataque=7 defensa=2 vuela=0"};
  for (int t = 0; t < 3; ++t) {
    const auto& k = m.tipos[static_cast<std::size_t>(t)];
    EXPECT_EQ(std::string(k.nombre) + " " +
                  labelled({{"vida", k.vida},
                            {"exp", k.experiencia},
                            {"ataque", k.ataque},
                            {"defensa", k.defensa},
                            {"vuela", k.vuela}}),
              tipos[t]);
  }
  // The panels, painted once: corners of the right one and the bottom one.
  const auto& p = pictures();
  EXPECT_TRUE(m.mainpic().at(600, 0) == p.derecha.at(0, 0) &&
              m.mainpic().at(719, 499) == p.derecha.at(119, 499) &&
              m.mainpic().at(0, 400) == p.abajo.at(0, 0) &&
              m.mainpic().at(599, 499) == p.abajo.at(599, 99));
  // Ticks before a character and a map change nothing.
  const auto before = m.mainpic().pixels;
  nuevoHeroe();
  view.clear();
  for (int i = 0; i < 5; ++i) tick({vk::Right, vk::Space, vk::G});
  EXPECT_EQ(m.mainpic().pixels, before);
  EXPECT_TRUE(keys.queries.empty() && view.empty() && messages.shown.empty());
}

TEST_F(Play, ClickSelectsTheEnemyUnderThePointer) {
  jugando(mapa(100, 100, {"@"}));
  m.mapax = 10;
  m.mapay = 20;
  e(7) = game::Enemigo{"Rata voladora", 1, 12, 45, 5, 1};
  m.casilla(39, 39).enemigo = 7;  // the bottom-right tile of the view
  const auto panel = [&] {
    return view[Etiqueta::enedata0] + "|" + view[Etiqueta::enedata1] + "|" +
           view[Etiqueta::enedata2] + "|" + view[Etiqueta::enedata3];
  };
  m.mainpic_MouseDown(599, 399);
  EXPECT_EQ(panel(), "Rata voladora|Vida: 12/45|Ataque: 5|Defensa: 1");
  m.mainpic_MouseDown(600, 10);  // presses on the panels change nothing
  m.mainpic_MouseDown(10, 400);
  EXPECT_EQ(m.enemigosel, 7);
  const int presents = view.presents;
  m.mainpic_MouseDown(0, 0);  // an empty cell clears the selection, repainting the panel
  EXPECT_EQ(labelled({{"enemigosel", m.enemigosel}, {"presents", view.presents - presents}}) + " " +
                panel(),
            "enemigosel=-1 presents=1 |||");
  // No selection without a character or a map, nor beyond a small map,
  // where a cell may still name an enemy of an earlier one.
  for (auto* flag : {&m.conjugador, &m.conmapa, static_cast<bool*>(nullptr)}) {
    m.enemigosel = 3;
    if (flag) *flag = false;
    m.maxx = flag ? 99 : 20;
    m.mainpic_MouseDown(599, 399);
    EXPECT_EQ(m.enemigosel, flag ? 3 : -1);
    if (flag) *flag = true;
  }
}

TEST_F(Play, HelpMenuAndQuit) {
  m.mnucontroles_Click();
  m.mnuacerca_Click();
  m.mnusalir_Click();
  ASSERT_EQ(labelled({{"mensajes", messages.shown.size()},
                      {"salio", view.quitted},
                      {"info0", messages.shown[0].icon == platform::Icon::Information},
                      {"info1", messages.shown[1].icon == platform::Icon::Information}}),
            "mensajes=2 salio=1 info0=1 info1=1");
}

// Random play states, frame after frame: each frame equals the plain passes
// pixel for pixel, and what it changed lies within what it presents.
TEST_F(Play, FramesEqualThePlainPassesOnRandomStates) {
  uint32_t seed = 11;
  const auto azar = [&seed](int n) {
    return static_cast<int>(((seed = seed * 1664525u + 1013904223u) >> 8) % n);
  };
  for (int i = 0; i < game::kMaxUnits; ++i) {
    e(i).tipo = static_cast<int16_t>(azar(3));
    e(i).direccion = static_cast<int16_t>(azar(8));
  }
  media::Bitmap antes = m.mainpic();
  for (int frame = 0; frame < 60; ++frame) {
    if (frame % 20 == 0) {  // another map, now and then smaller than the view
      m.maxx = static_cast<int16_t>(20 + azar(40));
      m.maxy = static_cast<int16_t>(12 + azar(30));
    }
    for (int n = frame == 0 ? 5000 : 40; n > 0; --n) {
      game::Casilla& c = m.casilla(azar(62), azar(44));
      c.terreno = static_cast<int16_t>(azar(7) - 1);
      c.heroe = azar(12) == 0;
      c.enemigo = static_cast<int16_t>(azar(3) ? -1 : azar(game::kMaxUnits));
    }
    for (int n = 0; n < 10; ++n) {
      game::Enemigo& x = e(azar(game::kMaxUnits));
      x.muerto = azar(4) == 0;
      x.direccion = static_cast<int16_t>(azar(8));
    }
    m.cuadro = static_cast<int16_t>(azar(16));
    // A narrower view (none of the program's) leaves the rest of the field white.
    m.vistaancho = frame >= 50 ? 24 : 30;
    m.vistaalto = frame >= 55 ? 15 : 20;
    j.muerto = azar(3) == 0;
    j.direccion = static_cast<int16_t>(azar(8));
    if (azar(4) == 0) {
      m.mapax = static_cast<int16_t>(azar(32));
      m.mapay = static_cast<int16_t>(azar(24));
    }
    m.dibujar();
    ASSERT_EQ(m.mainpic().pixels, dosPasadas(m).pixels) << frame;
    const media::Rect c = view.changed;
    for (int y = 0; y < 500; ++y)
      for (int x = 0; x < 720; ++x)
        if (m.mainpic().at(x, y) != antes.at(x, y)) {
          ASSERT_TRUE(x >= c.x && y >= c.y && x < c.x + c.w && y < c.y + c.h)
              << frame << " " << x << "," << y;
        }
    antes = m.mainpic();
  }
}
