// Start-up, the status text, the inspection panel, the mouse and the help menu.
#include <gtest/gtest.h>

#include "fakes.h"

using namespace gametest;
using game::Etiqueta;

TEST(StartUp, StateMenusAndPanels) {
  Game g;
  const auto& m = g.main;
  EXPECT_EQ(g.view.mapMenu, false);
  EXPECT_EQ(m.vistaancho, 30.0);
  EXPECT_EQ(m.vistaalto, 20.0);
  EXPECT_EQ(m.ultimomapa, 2);
  EXPECT_EQ(m.enemigosel, 0);
  EXPECT_FALSE(m.conjugador);
  EXPECT_FALSE(m.conmapa);
  ASSERT_EQ(m.tipos.size(), 3u);
  EXPECT_STREQ(m.tipos[0].nombre, "Mancha asesina");
  EXPECT_STREQ(m.tipos[1].nombre, "Rata voladora");
  EXPECT_STREQ(m.tipos[2].nombre, "Borrego mutante");
  EXPECT_EQ(m.tipos[2].vida, 65);
  EXPECT_EQ(m.tipos[2].experiencia, 300);
  EXPECT_EQ(m.tipos[1].ataque, 5);
  EXPECT_EQ(m.tipos[1].defensa, 1);
  EXPECT_TRUE(m.tipos[1].vuela);
  EXPECT_FALSE(m.tipos[0].vuela || m.tipos[2].vuela);
  // Panels painted where they belong.
  EXPECT_EQ(m.mainpic().at(600, 0), pictures().derecha.at(0, 0));
  EXPECT_EQ(m.mainpic().at(719, 499), pictures().derecha.at(119, 499));
  EXPECT_EQ(m.mainpic().at(0, 400), pictures().abajo.at(0, 0));
  EXPECT_EQ(m.mainpic().at(599, 499), pictures().abajo.at(599, 99));
  // Ticks before a character and a map change nothing.
  const auto before = m.mainpic().pixels;
  g.keys.held = {platform::vk::Right, platform::vk::Space, platform::vk::G};
  for (int i = 0; i < 5; ++i) g.main.maintimer_Timer();
  EXPECT_EQ(m.mainpic().pixels, before);
  EXPECT_TRUE(g.keys.queries.empty());
  EXPECT_TRUE(g.view.captions.empty());
}

TEST(Status, FiveLinesWithFourBreaks) {
  Game g;
  auto& j = g.main.jugador;
  j.nombre = "Ana";
  j.nivel = 1;
  j.vida = j.vidamax = 61;
  j.ataque = 5;
  j.experiencia = 0;
  j.expsiguiente = 100;
  g.main.mostrarestado();
  EXPECT_EQ(g.view[Etiqueta::nombre],
            "Nombre: Ana - Nivel 1\r\nVida: 61/61 - Pociones: 0\r\nAtaque: 5\r\nDefensa: 0\r\n"
            "Experiencia: 0/100");
  j.vida = -3;
  j.pociones = 2147483647;
  g.main.mostrarestado();
  EXPECT_EQ(g.view[Etiqueta::nombre],
            "Nombre: Ana - Nivel 1\r\nVida: -3/61 - Pociones: 2147483647\r\nAtaque: 5\r\n"
            "Defensa: 0\r\nExperiencia: 0/100");
}

namespace {

struct Playing : ::testing::Test {
  Game g;
  game::Main& m = g.main;
  void SetUp() override {
    m.conjugador = m.conmapa = true;
    m.maxx = 99;
    m.maxy = 99;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) m.casilla(x, y).enemigo = -1;
    m.mapax = 10;
    m.mapay = 20;
    auto& e = m.listaenemigos[7];
    e.nombre = "Rata voladora";
    e.vida = 12;
    e.vidamax = 45;
    e.ataque = 5;
    e.defensa = 1;
    m.casilla(39, 39).enemigo = 7;  // the bottom-right tile of the view
  }
  std::vector<std::string> panel() {
    return {g.view[Etiqueta::enedata0], g.view[Etiqueta::enedata1], g.view[Etiqueta::enedata2],
            g.view[Etiqueta::enedata3]};
  }
};

}  // namespace

TEST_F(Playing, ClickSelectsTheEnemyUnderThePointer) {
  m.mainpic_MouseDown(599, 399);
  EXPECT_EQ(m.enemigosel, 7);
  EXPECT_EQ(panel(),
            (std::vector<std::string>{"Rata voladora", "Vida: 12/45", "Ataque: 5", "Defensa: 1"}));
  // Presses on the panels change nothing.
  m.mainpic_MouseDown(600, 10);
  m.mainpic_MouseDown(10, 400);
  EXPECT_EQ(m.enemigosel, 7);
  // An empty cell clears the selection and the panel, repainting it.
  const int presents = g.view.presents;
  m.mainpic_MouseDown(0, 0);
  EXPECT_EQ(m.enemigosel, -1);
  EXPECT_EQ(panel(), std::vector<std::string>(4));
  EXPECT_GT(g.view.presents, presents);
}

TEST_F(Playing, ClicksNeedACharacterAndAMap) {
  m.conjugador = false;
  m.mainpic_MouseDown(599, 399);
  m.conjugador = true;
  m.conmapa = false;
  m.mainpic_MouseDown(599, 399);
  EXPECT_EQ(m.enemigosel, 0);
  EXPECT_TRUE(g.view.captions.empty());
}

TEST_F(Playing, ClickBeyondASmallMapSelectsNothing) {
  m.maxx = 20;  // (39, 39) now lies outside the map, with a stale enemy index
  m.mainpic_MouseDown(599, 399);
  EXPECT_EQ(m.enemigosel, -1);
}

TEST(Help, ControlsAuthorAndQuit) {
  Game g;
  g.main.mnucontroles_Click();
  g.main.mnuacerca_Click();
  ASSERT_EQ(g.messages.shown.size(), 2u);
  EXPECT_EQ(g.messages.shown[0].text,
            "Flecha izquierda = Mover Izquierda\r\nFlecha derecha = Mover Derecha\r\n"
            "Flecha Arriba = Mover Arriba\r\nFlecha Abajo = Mover Abajo\r\n"
            "Barra de Espacio = Atacar\r\nH = Usar pocion\r\nR = Revivir\r\nG = Guardar Rápido");
  EXPECT_EQ(g.messages.shown[1].text, "Diseñado y Programado por Veldrosa");
  EXPECT_EQ(g.messages.shown[0].icon, platform::Icon::Information);
  EXPECT_EQ(g.messages.shown[1].icon, platform::Icon::Information);
  EXPECT_FALSE(g.view.quitted);
  g.main.mnusalir_Click();
  EXPECT_TRUE(g.view.quitted);
}
