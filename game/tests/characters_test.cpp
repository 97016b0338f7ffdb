// Character files: creating, loading and saving, byte for byte.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>

#include "fakes.h"
#include "game/personaje.h"

using namespace gametest;
using platform::FileChoice;
using platform::Icon;

namespace {

struct Characters : ::testing::Test {
  Game g;
  game::Main& m = g.main;
  game::Jugador& j = g.main.jugador;
  void cargarPersonaje(const std::string& path, const std::string& title) {
    g.dialog.answers.push_back(FileChoice{path, title});
    m.mnujugador_Click();
  }
};

}  // namespace

TEST_F(Characters, NewCharacterFileValuesAndSaves) {
  g.files.put("personajes/pepe", "pepe,12,7000,");
  m.mnunuevo_Click();  // cancelled: still enables "Cargar mapa"
  EXPECT_EQ(g.view.mapMenu, true);
  EXPECT_FALSE(m.conjugador);
  EXPECT_EQ(g.dialog.asked[0].proposed, g.files.path("personajes/nuevo"));
  EXPECT_TRUE(g.dialog.asked[0].save);

  nuevoHeroe(g, "pepe");  // replaces the old file
  EXPECT_EQ(g.files.get("personajes/pepe"), "pepe,1,0,");
  EXPECT_TRUE(m.conjugador);
  EXPECT_EQ(j.expsiguiente, 200);
  EXPECT_EQ(j.vida, 60);
  EXPECT_EQ(j.vidamax, 60);
  EXPECT_EQ(j.ataque, 5);

  m.mnuguardar_Click();  // before any map: no enemies left, so the two-line text
  EXPECT_EQ(g.messages.shown.back().text, "Has terminado el nivel!\r\nGuardado con éxito!");
  EXPECT_EQ(g.messages.shown.back().icon, Icon::Information);
  j.nivel = 3;
  j.experiencia = 650;
  m.enemigosrestantes = 4;
  m.mnuguardar_Click();
  EXPECT_EQ(g.files.get("personajes/pepe"), "pepe,3,650,");
  EXPECT_EQ(g.messages.shown.back().text, "Guardado con éxito!");

  j.muerto = true;  // saving while dead: silent, file untouched
  j.nivel = 9;
  const auto shown = g.messages.shown.size();
  m.mnuguardar_Click();
  EXPECT_EQ(g.messages.shown.size(), shown);
  EXPECT_EQ(g.files.get("personajes/pepe"), "pepe,3,650,");
}

TEST_F(Characters, LoadingGivesTheFormulaFigures) {
  g.files.put("personajes/pepe", "pepe,4,1000,");
  cargarPersonaje(g.files.path("personajes/pepe"), "pepe");
  EXPECT_EQ(j.nivel, 4);
  EXPECT_EQ(j.experiencia, 1000);
  EXPECT_EQ(j.vida, 67);
  EXPECT_EQ(j.ataque, 6);
  EXPECT_EQ(j.defensa, 0);
  EXPECT_EQ(j.expsiguiente, 1000);
  EXPECT_TRUE(m.conjugador);
  EXPECT_EQ(g.view.mapMenu, true);
  EXPECT_EQ(g.view[game::Etiqueta::nombre].substr(0, 22), "Nombre: pepe - Nivel 4");
}

TEST_F(Characters, BadFilesNeverStopTheLoad) {
  j.nivel = 2;
  j.experiencia = 150;
  // Missing, a FIFO (which must not block), a file past the size cap.
  ASSERT_EQ(::mkfifo(g.files.path("personajes/tubo").c_str(), 0600), 0);
  g.files.put("personajes/grande", "grande,9,9," + std::string(game::kMaxBytesPersonaje, ' '));
  for (const char* nombre : {"nadie", "tubo", "grande"}) {
    j.pociones = 4;
    j.muerto = true;
    cargarPersonaje(g.files.path(std::string("personajes/") + nombre), nombre);
    EXPECT_TRUE(m.conjugador);
    EXPECT_FALSE(j.muerto);
    EXPECT_EQ(j.pociones, 0);
    EXPECT_EQ(j.nivel, 2);
    EXPECT_EQ(j.vida, 63);
  }

  g.files.put("personajes/ana", "ana,tres,2.5,basura");
  cargarPersonaje(g.files.path("personajes/ana"), "ana");
  EXPECT_EQ(j.nombre, "ana");
  EXPECT_EQ(j.nivel, 2);        // not a number: kept
  EXPECT_EQ(j.experiencia, 2);  // 2.5 goes to the even 2

  g.files.put("personajes/ana", "ana,,7,");  // an empty level is no number
  cargarPersonaje(g.files.path("personajes/ana"), "ana");
  EXPECT_EQ(j.nivel, 2);
  EXPECT_EQ(j.experiencia, 7);

  g.files.put("personajes/solo", "solo");
  cargarPersonaje(g.files.path("personajes/solo"), "solo");
  EXPECT_EQ(j.nombre, "solo");
  EXPECT_EQ(j.experiencia, 7);
}

TEST_F(Characters, SavesGoIntoPersonajesUnderTheNameInside) {
  g.files.put("fuera.txt", "maria,5,1600,extra");
  cargarPersonaje(g.files.path("fuera.txt"), "fuera.txt");
  m.enemigosrestantes = 1;
  m.mnuguardar_Click();
  EXPECT_EQ(g.files.get("personajes/maria"), "maria,5,1600,");
  EXPECT_EQ(g.files.get("fuera.txt"), "maria,5,1600,extra");
}

TEST_F(Characters, UnsafeNamesAndFailedWritesAreRefused) {
  g.dialog.answers.push_back(FileChoice{g.files.path("personajes/a,b"), "a,b"});
  m.mnunuevo_Click();
  EXPECT_FALSE(m.conjugador);
  EXPECT_EQ(g.messages.shown.back().icon, Icon::Critical);
  EXPECT_FALSE(g.files.get("personajes/a,b"));

  // A name read from a file that would lead out of "personajes".
  g.files.put("personajes/raro", "../../escapado,3,10,");
  cargarPersonaje(g.files.path("personajes/raro"), "raro");
  m.mnuguardar_Click();
  EXPECT_EQ(g.messages.shown.back().icon, Icon::Critical);
  EXPECT_FALSE(std::filesystem::exists(g.files.root.parent_path().parent_path() / "escapado"));
  // Names are UTF-8 and must fit Windows-1252, one byte per character.
  for (const char* bad : {"", ".", "..", "a/b", "a\\b", "tab\there", "del\x7F", "Ωmega", "nel\u0085",
                          "\xF1o", "\xC3", "\xED\xA0\x80", "\xC1\xBF"})
    EXPECT_FALSE(game::nombrevalido(bad)) << bad;
  for (const char* good : {"Señor Ñandú 2", "€uro Œuvre", "...x", "ÿ", "no\u00A0break"})
    EXPECT_TRUE(game::nombrevalido(good)) << good;

  g.files.failWrites = true;  // neither created nor saved, and both say so
  g.messages.shown.clear();
  nuevoHeroe(g, "pepe");
  ASSERT_EQ(g.messages.shown.size(), 1u);
  EXPECT_EQ(g.messages.shown.back().icon, Icon::Critical);
  EXPECT_EQ(j.nombre, "../../escapado");  // the hero before stays
  g.files.failWrites = false;
  nuevoHeroe(g, "pepe");
  g.files.failWrites = true;
  j.nivel = 7;
  g.messages.shown.clear();
  m.mnuguardar_Click();
  ASSERT_EQ(g.messages.shown.size(), 1u);
  EXPECT_EQ(g.messages.shown.back().icon, Icon::Critical);
  EXPECT_NE(g.messages.shown.back().text, "Guardado con éxito!");
  EXPECT_EQ(g.files.get("personajes/pepe"), "pepe,1,0,");
}

// Every byte is a character of its own and comes back as that byte; no
// other character has a byte.
TEST(Windows1252, EveryByteRoundTripsAndNothingElseFits) {
  std::set<std::string> seen;
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string utf8 = game::desde1252(byte);
    EXPECT_TRUE(seen.insert(utf8).second) << b;
    EXPECT_EQ(game::a1252(utf8), byte) << b;
  }
  EXPECT_EQ(game::desde1252("\x80\x9F\xA0"), "€Ÿ\u00A0");
  for (const char* foreign : {"\u0080", "\u0100", "\u20AD", "😀"})
    EXPECT_EQ(game::a1252(foreign), std::nullopt) << foreign;
}

TEST_F(Characters, NamesAreWindows1252InsideAndTheirOwnFileOutside) {
  // Two names of bytes that are not UTF-8 load as their letters and save
  // as two files named with those letters, holding the same single bytes.
  g.files.put("fuera1", "Pe\xF1" "a,2,150,");
  g.files.put("fuera2", "Pe\xE9" "a\x80,3,400,");
  cargarPersonaje(g.files.path("fuera1"), "fuera1");
  EXPECT_EQ(j.nombre, "Peña");
  EXPECT_EQ(g.view[game::Etiqueta::nombre].find("Nombre: Peña - Nivel 2"), 0u);
  m.mnuguardar_Click();
  cargarPersonaje(g.files.path("fuera2"), "fuera2");
  m.mnuguardar_Click();
  EXPECT_EQ(g.files.get("personajes/Peña"), "Pe\xF1" "a,2,150,");
  EXPECT_EQ(g.files.get("personajes/Peéa€"), "Pe\xE9" "a\x80,3,400,");

  // Bytes Windows-1252 leaves undefined load as control characters, which
  // no saved file may be named after.
  g.files.put("fuera3", "x\x81,1,0,");
  cargarPersonaje(g.files.path("fuera3"), "fuera3");
  m.mnuguardar_Click();
  EXPECT_EQ(g.messages.shown.back().icon, Icon::Critical);
}

TEST_F(Characters, MissingFolderIsMadeBeforeTheDialogAndOnSave) {
  std::filesystem::remove_all(g.files.root / "personajes");
  g.dialog.answers.push_back(std::nullopt);
  m.mnunuevo_Click();
  EXPECT_TRUE(std::filesystem::is_directory(g.files.root / "personajes"));
  g.files.put("fuera", "ana,2,150,");
  cargarPersonaje(g.files.path("fuera"), "fuera");
  std::filesystem::remove_all(g.files.root / "personajes");
  m.mnuguardar_Click();
  EXPECT_EQ(g.files.get("personajes/ana"), "ana,2,150,");
}
