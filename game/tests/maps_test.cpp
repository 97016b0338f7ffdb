// Loading maps into the game and moving on through the numbered sequence.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "fakes.h"

using namespace gametest;
using game::Etiqueta;
namespace vk = platform::vk;

namespace {

constexpr const char* kEjemplo =
    "3,2/inf/1/fin/0,1,3,2,0,0,/fin/1,1/fin/2,1:1/unit/0,0:0/unit//fin/";
constexpr const char* kMalo = "El mapa no existe o está corrupto";

struct Maps : ::testing::Test {
  Game g;
  game::Main& m = g.main;
};

}  // namespace

TEST_F(Maps, ExampleLoadsAndLeadsToMapa2) {
  nuevoHeroe(g);
  m.enemigosel = 5;
  ASSERT_TRUE(cargar(g, kEjemplo));
  EXPECT_TRUE(m.conmapa);
  EXPECT_EQ(m.maxx, 2);
  EXPECT_EQ(m.maxy, 1);
  EXPECT_EQ(m.nummapa, "1");
  EXPECT_EQ(xy(m.jugador.x, m.jugador.y), xy(1, 1));
  EXPECT_EQ(m.jugador.direccion, game::kSur);
  EXPECT_EQ(xy(m.mapax, m.mapay), xy(0, 0));
  EXPECT_TRUE(m.casilla(2, 0).bloqueada && m.casilla(0, 1).bloqueada);
  EXPECT_FALSE(m.casilla(1, 0).bloqueada);
  EXPECT_EQ(m.enemigosrestantes, 2);
  EXPECT_EQ(g.view[Etiqueta::nenemigos], "Enemigos: 2");
  EXPECT_EQ(m.listaenemigos[0].tipo, 1);
  EXPECT_EQ(m.listaenemigos[0].nombre, "Rata voladora");
  EXPECT_TRUE(m.listaenemigos[0].vuela);
  EXPECT_EQ(m.listaenemigos[1].tipo, 0);
  EXPECT_FALSE(m.listaenemigos[2].activo);
  EXPECT_EQ(m.casilla(0, 0).enemigo, 1);
  EXPECT_EQ(m.enemigosel, 5);  // loading leaves the selection alone

  g.files.put("mapas/mapa2.mapa", mapa(40, 30, {"", "", "....@m"}, "2"));
  for (auto& e : m.listaenemigos) e.vida = 1;
  m.jugador.direccion = game::kNoroeste;  // (0, 0)
  tick(g, {vk::Space});
  m.jugador.espera = 0;
  m.jugador.direccion = game::kEste;  // (2, 1)
  g.messages.shown.clear();
  tick(g, {vk::Space});
  ASSERT_EQ(g.messages.shown.size(), 1u);  // the save, then the next map without a word
  EXPECT_EQ(m.nummapa, "2");
  EXPECT_EQ(m.jugador.x, 4);
  EXPECT_EQ(m.enemigosrestantes, 1);
  EXPECT_FALSE(m.listaenemigos[1].activo);

  // mapa2 is the last: clearing it saves and stays.
  m.listaenemigos[0].vida = 1;
  m.jugador.espera = 0;
  m.jugador.direccion = game::kEste;
  tick(g, {vk::Space});
  EXPECT_EQ(m.nummapa, "2");
  EXPECT_EQ(g.messages.shown.back().text, "Has terminado el nivel!\r\nGuardado con éxito!");
}

TEST_F(Maps, SequenceEndsOnEmptyOddOrMissingNumbers) {
  nuevoHeroe(g);
  for (const char* numero : {"", "abc", "1.5", "7"}) {
    ASSERT_TRUE(cargar(g, mapa(5, 5, {"@m"}, numero)));
    m.jugador.direccion = game::kEste;
    m.jugador.espera = 0;
    m.listaenemigos[0].vida = 1;
    g.messages.shown.clear();
    tick(g, {vk::Space});
    EXPECT_EQ(m.maxx, 4) << numero;    // still on the cleared map
    if (std::string(numero) == "7") {  // mapa8.mapa does not exist
      ASSERT_EQ(g.messages.shown.size(), 2u);
      EXPECT_EQ(g.messages.shown[1].text, kMalo);
      EXPECT_EQ(g.messages.shown[1].icon, platform::Icon::None);
    } else {
      EXPECT_EQ(g.messages.shown.size(), 1u) << numero;
    }
  }
}

// The number is read like the format's other numbers; a whole number in
// any spelling leads on, anything else ends the sequence.
TEST_F(Maps, NumbersInAnySpellingLeadToTheNextMap) {
  nuevoHeroe(g);
  g.files.put("mapas/mapa2.mapa", mapa(6, 6, {"@"}, "2"));
  for (const char* numero : {" 1", "1.0", "01", "1e0"}) {
    ASSERT_TRUE(cargar(g, mapa(5, 5, {"@m"}, numero)));
    m.jugador.direccion = game::kEste;
    m.jugador.espera = 0;
    m.listaenemigos[0].vida = 1;
    tick(g, {vk::Space});
    EXPECT_EQ(m.nummapa, "2") << numero;
    EXPECT_EQ(m.maxx, 5) << numero;
  }
}

TEST_F(Maps, CorruptOrMissingFilesChangeNothing) {
  jugando(g, mapa(40, 30, {"@.m", "~"}, "1"));
  const auto antes = m.listaenemigos;
  const game::Jugador heroe = m.jugador;
  for (const std::string& malo :
       {std::string("3,2/inf/1/fin/0,1,3,2,0,0,/fin/1,1/fin/2,1:3/unit//fin/"),  // kind 3
        std::string("2,2/inf//fin/0,0,0,/fin/0,0/fin//fin/"), std::string("")}) {
    EXPECT_FALSE(cargar(g, malo));
    EXPECT_EQ(g.messages.shown.back().text, kMalo);
  }
  // Files that are not plain files are ones that cannot be read: a FIFO
  // (which must not block), a device behind a link, a folder.
  ASSERT_EQ(::mkfifo(g.files.path("mapas/tubo.mapa").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", g.files.path("mapas/cero.mapa"));
  for (const char* nombre : {"no-existe.mapa", "tubo.mapa", "cero.mapa", ""}) {
    g.messages.shown.clear();
    m.cargarmapa(g.files.path(std::string("mapas/") + nombre));
    ASSERT_EQ(g.messages.shown.size(), 1u) << nombre;
    EXPECT_EQ(g.messages.shown.back().text, kMalo) << nombre;
  }
  EXPECT_EQ(m.maxx, 39);
  EXPECT_EQ(m.nummapa, "1");
  EXPECT_EQ(m.jugador.x, heroe.x);
  EXPECT_EQ(m.listaenemigos[0].x, antes[0].x);
  EXPECT_TRUE(m.listaenemigos[0].activo);
  EXPECT_TRUE(m.casilla(0, 1).bloqueada);
  EXPECT_TRUE(m.conmapa);
}

TEST_F(Maps, SmallerMapAfterLargerAndSharedStart) {
  std::string muchos(10, 'm');
  jugando(g, mapa(40, 30, {"@", muchos}));
  m.listaenemigos[4].espera = 2;
  // The hero starts on an enemy's cell: both are placed.
  std::string celdas;
  for (int i = 0; i < 25; ++i) celdas += "0,";
  ASSERT_TRUE(
      cargar(g, "5,5/inf//fin/" + celdas + "/fin/2,2/fin/2,2:0/unit/0,0:2/unit/4,4:1/unit//fin/"));
  EXPECT_EQ(m.enemigosrestantes, 3);
  for (int i = 3; i < 101; ++i) EXPECT_FALSE(m.listaenemigos[static_cast<std::size_t>(i)].activo);
  EXPECT_TRUE(m.casilla(2, 2).heroe);
  EXPECT_EQ(m.casilla(2, 2).enemigo, 0);
  EXPECT_EQ(m.listaenemigos[4].espera, 2);  // slots keep what a former occupant left
  // The old map's enemies beyond the new bounds are never drawn: black tiles.
  m.dibujar();
  EXPECT_EQ(m.mainpic().at(20 * 7 + 10, 20 * 1 + 10) & 0xFFFFFF, 0u);
}

TEST_F(Maps, CargarMapaPausesPlayAndProposesTheDefault) {
  jugando(g, mapa(40, 30, {"@"}));
  m.mnumapa_Click();  // cancelled
  EXPECT_FALSE(m.conjugador);
  EXPECT_TRUE(m.conmapa);
  ASSERT_EQ(g.dialog.asked.size(), 2u);
  EXPECT_FALSE(g.dialog.asked[1].save);
  EXPECT_EQ(g.dialog.asked[1].proposed, g.files.path("mapas/default.mapa"));
  const int presents = g.view.presents;
  tick(g, {vk::Right});
  EXPECT_EQ(g.view.presents, presents);  // paused
  // A character loaded while paused plays on the map that is there.
  g.files.put("personajes/pepe", "pepe,2,150,");
  g.dialog.answers.push_back(platform::FileChoice{g.files.path("personajes/pepe"), "pepe"});
  m.mnujugador_Click();
  EXPECT_EQ(g.dialog.asked[2].proposed, g.files.path("personajes/default"));
  EXPECT_TRUE(m.conjugador && m.conmapa);
  tick(g, {vk::Right});
  EXPECT_EQ(m.jugador.x, 1);
}
