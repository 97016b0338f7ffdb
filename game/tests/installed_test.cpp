// The game installed under a prefix: it reads what it ships with from
// PREFIX/share/tarnwick and writes only in the player's own data folder.
#include <filesystem>
#include <map>

#include "game/testing/fakes.h"

using namespace gametest;
namespace fs = std::filesystem;

namespace {

const std::string kShipped = "usr/share/tarnwick/";
const std::string kPlayer = "home/.local/share/tarnwick/";
constexpr const char* kFin = "Has terminado el nivel!\r\nGuardado con éxito!";
constexpr const char* kMalo = "El mapa no existe o está corrupto";

// Every file and folder below the prefix, with what each file holds.
std::map<std::string, std::string> prefix(platform::testing::TempFiles& files) {
  std::map<std::string, std::string> all;
  for (const auto& entry : fs::recursive_directory_iterator(files.root / "usr")) {
    const std::string name = fs::relative(entry.path(), files.root).generic_string();
    all[name] =
        entry.is_regular_file() ? files.read(entry.path().string(), 1 << 20).value_or("?") : "/";
  }
  return all;
}

// The shipped starter and campaign: a blot beside the hero on the first map.
void ship(Game& g) {
  g.files.put(kShipped + "personajes/default", "default,1,0,");
  g.files.put(kShipped + "mapas/default.mapa", mapa(40, 30, {"@m"}, "1"));
  g.files.put(kShipped + "mapas/mapa2.mapa", mapa(40, 30, {"@", "ss"}, "2"));
}

void killTheBlot(Game& g) {
  g.j.direccion = game::kEste;
  g.j.espera = 0;
  g.e(0).vida = 1;
  g.tick({vk::Space});
}

}  // namespace

TEST_F(Installed, ReadsWhatItShipsAndWritesOnlyInThePlayersFolder) {
  ship(*this);
  const auto before = prefix(files);
  m.mnujugador_Click();  // cancelled: the player's folder is made, with the starter proposed
  EXPECT_EQ(dialog.asked[0].proposed, files.path(kPlayer + "personajes/default"));
  EXPECT_EQ(files.get(kPlayer + "personajes/default"), "default,1,0,");
  answer(kPlayer + "personajes/pepe", "pepe");
  m.mnunuevo_Click();
  EXPECT_EQ(dialog.asked[1].proposed, files.path(kPlayer + "personajes/nuevo"));
  answer(kShipped + "mapas/default.mapa", "default.mapa");
  m.mnumapa_Click();
  EXPECT_EQ(dialog.asked[2].proposed, files.path(kShipped + "mapas/default.mapa"));
  // The kill plays the shipped sound, saves in the player's folder and
  // loads the next map from the prefix.
  killTheBlot(*this);
  EXPECT_EQ(sound.played, std::vector{files.path(kShipped + "sonidos/hit0.wav")});
  EXPECT_EQ(files.get(kPlayer + "personajes/pepe").value_or("") + lastMessage(),
            std::string("pepe,1,25,") + kFin);
  EXPECT_EQ(view[Etiqueta::nenemigos], "Enemigos: 2");
  EXPECT_EQ(prefix(files), before);
}

// The starter is given to a player's folder that has none, never over his
// own "default".
TEST(Starter, GivenOnlyToAPlayersFolderWithoutOne) {
  for (const char* own : {"", "default,5,3000,"}) {
    Game g(true);
    ship(g);
    fs::create_directories(g.files.at(kPlayer + "personajes"));
    if (*own) g.files.put(kPlayer + "personajes/default", own);
    g.m.mnujugador_Click();
    EXPECT_EQ(g.files.get(kPlayer + "personajes/default"), *own ? own : "default,1,0,") << own;
  }
}

// The next map of the campaign is the player's own if he has one, else the
// shipped one; a folder of that name is no map, a corrupt map is reported.
TEST(NextMap, ThePlayersOwnFirstThenTheShippedOne) {
  const struct {
    const char* own;  // the player's mapas/mapa2.mapa: text, "/" a folder, null none
    const char* want;
  } cases[] = {{nullptr, "Enemigos: 2"}, {"/", "Enemigos: 2"}, {"", kMalo}, {"3", "Enemigos: 3"}};
  for (const auto& c : cases) {
    Game g(true);
    ship(g);
    const std::string own = kPlayer + "mapas/mapa2.mapa";
    fs::create_directories(g.files.at(kPlayer + "mapas"));
    if (c.own && std::string(c.own) == "/") fs::create_directories(g.files.at(own));
    if (c.own && std::string(c.own) == "3") g.files.put(own, mapa(40, 30, {"@", "rrr"}, "2"));
    if (c.own && std::string(c.own).empty()) g.files.put(own, "");
    g.nuevoHeroe();
    g.m.cargarmapa(g.files.path(kShipped + "mapas/default.mapa"));
    killTheBlot(g);
    EXPECT_EQ(std::string(c.want) == kMalo ? g.lastMessage() : g.view[Etiqueta::nenemigos], c.want)
        << (c.own ? c.own : "none");
  }
}

// A player's folder that cannot be made (a file stands in its way): every
// save says it failed, and still nothing is written below the prefix.
TEST_F(Installed, APlayersFolderThatCannotBeMadeFailsEverySave) {
  ship(*this);
  fs::create_directories(files.at("home/.local"));
  files.put("home/.local/share", "");
  m.Form_Load();
  const auto before = prefix(files);
  answer(kPlayer + "personajes/pepe", "pepe");
  m.mnunuevo_Click();
  cargarPersonaje(kShipped + "personajes/default");
  EXPECT_EQ(j.nombre, "default");
  m.mnuguardar_Click();
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "No se pudo crear el archivo del personaje.");
  EXPECT_EQ(lastMessage(), "No se pudo guardar el personaje: el archivo anterior sigue intacto.");
  EXPECT_EQ(prefix(files), before);
}
