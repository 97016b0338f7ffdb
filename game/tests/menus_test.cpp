// The file menu: characters created, loaded and saved byte for byte, maps
// loaded, and the numbered sequence of maps.
#include <filesystem>
#include <tuple>

#ifdef _WIN32
#include <windows.h>
#endif

#include "labelled.h"
#include "game/testing/fakes.h"
#include "game/characterfile.h"

using namespace gametest;
using platform::Icon;
namespace fs = std::filesystem;

static constexpr const char* kFin = "Has terminado el nivel!\r\nGuardado con éxito!";
static constexpr const char* kMalo = "El mapa no existe o está corrupto";

TEST_F(Play, NewCharacterAndGuardar) {
  m.mnuguardar_Click();  // no character yet: silent
  m.mnunuevo_Click();    // cancelled: still enables "Cargar mapa"
  EXPECT_EQ(labelled({{"mensajes", messages.shown.size()},
                      {"menuMapa", *view.mapMenu},
                      {"conjugador", m.conjugador},
                      {"guardar", dialog.asked[0].save}}) +
                " " + dialog.asked[0].proposed,
            "mensajes=0 menuMapa=1 conjugador=0 guardar=1 " + files.path("personajes/nuevo"));

  nuevoHeroe();
  EXPECT_EQ(files.get("personajes/pepe"), "pepe,1,0,");
  EXPECT_EQ(view[Etiqueta::nombre],
            "Nombre: pepe - Nivel 1\r\nVida: 60/60 - Pociones: 0\r\n"
            "Ataque: 5\r\nDefensa: 0\r\nExperiencia: 0/200");
  m.mnuguardar_Click();  // before any map: no enemies left, so the two-line text
  EXPECT_TRUE(lastMessage() == kFin && messages.shown.back().icon == Icon::Information);
  j.nivel = 3;
  j.experiencia = 650;
  m.enemigosrestantes = 4;
  m.mnuguardar_Click();
  EXPECT_EQ(*files.get("personajes/pepe") + lastMessage(), "pepe,3,650,Guardado con éxito!");
  j.muerto = true;  // saving while dead: silent, file untouched
  j.nivel = 9;
  m.mnuguardar_Click();
  EXPECT_EQ(*files.get("personajes/pepe") + labelled({{" mensajes", messages.shown.size()}}),
            "pepe,3,650, mensajes=2");
}

// Both character items drop the map and blank the field, even when
// cancelled; a cancelled "Cargar jugador" leaves "Cargar mapa" as it was.
TEST_F(Play, CharacterItemsWhilePlayingBlankTheField) {
  m.mnujugador_Click();
  EXPECT_EQ(view.mapMenu, false);
  for (auto item : {&game::Main::mnunuevo_Click, &game::Main::mnujugador_Click}) {
    jugando(mapa(40, 30, {"@m"}));
    const int presents = view.presents;
    (m.*item)();
    EXPECT_EQ(labelled({{"conmapa", m.conmapa}, {"presents", view.presents - presents}}),
              "conmapa=0 presents=1");
    for (int y = 0; y < 400; y += 7)
      for (int x = 0; x < 600; x += 7) ASSERT_EQ(m.mainpic().at(x, y), pictures().resp.at(x, y));
  }
}

TEST_F(Play, LoadingCharacterFiles) {
  files.put("personajes/pepe", "pepe,4,1000,");
  cargarPersonaje("personajes/pepe");
  EXPECT_EQ(view[Etiqueta::nombre].substr(0, 22) + " " +
                labelled({{"exp", j.experiencia},
                          {"vida", j.vida},
                          {"ataque", j.ataque},
                          {"expsiguiente", j.expsiguiente},
                          {"menuMapa", *view.mapMenu}}),
            "Nombre: pepe - Nivel 4 exp=1000 vida=67 ataque=6 expsiguiente=1000 menuMapa=1");

  // Missing or past the size cap: the load goes on with the figures there were.
  files.put("personajes/grande", "grande,9,9," + std::string(game::kMaxBytesPersonaje, ' '));
  for (const char* nombre : {"nadie", "grande"}) {
    j.pociones = 4;
    j.muerto = true;
    cargarPersonaje(std::string("personajes/") + nombre);
    EXPECT_EQ(
        labelled(
            {{"nivel", j.nivel}, {"pociones", j.pociones}, {"muerto", j.muerto}, {"vida", j.vida}}),
        "nivel=4 pociones=0 muerto=0 vida=67")
        << nombre;
  }
  // Fields that are missing or not numbers keep what was there.
  for (const auto& [texto, nombre, nivel, exp] : {std::tuple{"ana,tres,2.5,basura", "ana", 4, 2},
                                                  {"ana,,7,", "ana", 4, 7},
                                                  {"solo", "solo", 4, 7},
                                                  {"x,2,-9,", "x", 2, -9}}) {
    files.put("personajes/f", texto);
    cargarPersonaje("personajes/f");
    EXPECT_EQ(j.nombre + " " + labelled({{"nivel", j.nivel}, {"exp", j.experiencia}}),
              nombre + (" " + labelled({{"nivel", nivel}, {"exp", exp}})));
  }

  // Saved into "personajes" under the name inside; the file read stays.
  files.put("fuera.txt", "maria,5,1600,extra");
  cargarPersonaje("fuera.txt");
  // A missing folder is made before the dialog and again on saving.
  fs::remove_all(files.root / "personajes");
  m.mnuguardar_Click();
  EXPECT_EQ(*files.get("personajes/maria") + *files.get("fuera.txt"),
            "maria,5,1600,maria,5,1600,extra");
  fs::remove_all(files.root / "personajes");
  m.mnunuevo_Click();
  EXPECT_TRUE(fs::is_directory(files.root / "personajes"));
}

TEST_F(Play, UnsafeNamesAndFailedWritesAreRefused) {
  nuevoHeroe("a,b");
  EXPECT_TRUE(!m.conjugador && !files.get("personajes/a,b") &&
              messages.shown.back().icon == Icon::Critical);
  files.failWrites = true;  // neither created nor saved, and both say so
  messages.shown.clear();
  nuevoHeroe();
  EXPECT_FALSE(m.conjugador);
  files.failWrites = false;
  nuevoHeroe();
  files.failWrites = true;
  j.nivel = 7;
  m.mnuguardar_Click();
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_TRUE(messages.shown[0].icon == Icon::Critical && messages.shown[1].icon == Icon::Critical);
  EXPECT_EQ(lastMessage() + *files.get("personajes/pepe"),
            "No se pudo guardar el personaje: el archivo anterior sigue intacto.pepe,1,0,");
}

// Names are UTF-8 in the program and one Windows-1252 byte per character
// in the file: every byte is a character of its own and comes back as that
// byte, and nothing else fits.
TEST_F(Play, NamesAreWindows1252InTheFile) {
  std::set<std::string> seen;
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_TRUE(seen.insert(game::fromCp1252(byte)).second) << b;
    EXPECT_EQ(game::toCp1252(game::fromCp1252(byte)), byte) << b;
  }
  EXPECT_EQ(game::fromCp1252("\x80\x9F\xA0"), "€Ÿ\u00A0");
  for (const char* foreign : {"\u0080", "\u0100", "\u20AD"})
    EXPECT_FALSE(game::toCp1252(foreign)) << foreign;
  files.put("fuera",
            "Pe\xF1"
            "a\x80,2,150,");
  cargarPersonaje("fuera");
  EXPECT_EQ(view[Etiqueta::nombre].find("Nombre: Peña€ - Nivel 2"), 0u);
  m.mnuguardar_Click();
  EXPECT_EQ(files.get("personajes/Peña€"),
            "Pe\xF1"
            "a\x80,2,150,");
  // An undefined byte loads as a control character: no file may bear it.
  files.put("fuera3", "x\x81,1,0,");
  cargarPersonaje("fuera3");
  m.mnuguardar_Click();
  EXPECT_EQ(messages.shown.back().icon, Icon::Critical);
}

// One name rule on every platform: a name must be one field of the file in
// Windows-1252 and a file of its own on Linux and on Windows alike. Each
// refusal, by "Jugador Nuevo" and by "Guardar", names the rule broken in
// its message, and writes nothing.
TEST_F(Play, NamesEveryPlatformCanHoldAndWhyOthersAreNot) {
  using F = game::FaltaNombre;
  const std::string largo255(255, 'a'), euros85 = [] {
    std::string s;
    for (int i = 0; i < 85; ++i) s += "€";  // three bytes each
    return s;
  }();
  // Grouped by the rule each name breaks, or none.
  const struct {
    std::vector<std::string> nombres;
    F falta;
    const char* dice;  // a word of the message
  } casos[] = {
      {{"Señor Ñandú 2", "€uro Œuvre", "...x", "ÿ", "no\u00A0break", " x", "x.y", "CONSOLA",
        "COM10", "nulo", "LPT", largo255, euros85},
       F::Ninguna,
       ""},
      {{""}, F::Vacio, "vacío"},
      {{"Ωmega", "😀", "\xF1o", "\xC3", "\xED\xA0\x80", "\xC1\xBF", "nel\u0085"},
       F::Alfabeto,
       "alfabeto"},
      {{"tab\there", "del\x7F", "x\u0081"}, F::Control, "control"},
      {{"a,b"}, F::Coma, "comas"},
      {{"a/b", "a\\b"}, F::Barra, "barras"},
      {{"a:b", "x:", "x::$DATA", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b"}, F::Signo, "signos"},
      {{".", "..", "...", "   ", "x.", "x ", "x..."}, F::Final, "terminar"},
      {{"CON", "nul", "COM1", "PRN", "LPT1.txt", "aux.x", "COM\u00B9", "lpt\u00B3.a", "Lpt9",
        "com0", "nul .txt", "CONIN$"},
       F::Dispositivo,
       "reserva"},
      {{largo255 + "a", std::string(300, 'a'), euros85 + "a"}, F::Largo, "largo"},
  };
  files.put("personajes/x", "x,7,0,");
  auto guardados = [&] {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& f : fs::directory_iterator(files.root / "personajes")) ++n;
    return n;
  };
  m.conjugador = true;
  for (const auto& c : casos)
    for (const std::string& nombre : c.nombres) {
      EXPECT_EQ(game::faltaEnNombre(nombre), c.falta) << nombre;
      EXPECT_EQ(game::nombrevalido(nombre), c.falta == F::Ninguna) << nombre;
      for (bool nuevo : {true, false}) {
        messages.shown.clear();
        const std::size_t antes = guardados();
        if (nuevo) {
          // Joined as text: the names that are not UTF-8 make no path on Windows.
          dialog.answers.push_back(platform::FileChoice{
              files.path("personajes") + platform::kSeparator + nombre, nombre});
          m.mnunuevo_Click();
        } else {
          j.nombre = nombre;
          m.mnuguardar_Click();
        }
        ASSERT_EQ(messages.shown.size(), c.falta == F::Ninguna ? std::size_t{!nuevo} : 1u)
            << nombre;
        if (c.falta == F::Ninguna) {
          EXPECT_EQ(files.get("personajes/" + nombre), *game::toCp1252(nombre) + ",1,0,") << nombre;
          files.remove(files.path("personajes/" + nombre));
          continue;
        }
        EXPECT_EQ(lastMessage(), game::mensajeFalta(c.falta)) << nombre;
        EXPECT_NE(lastMessage().find(c.dice), std::string::npos) << lastMessage();
        EXPECT_EQ(messages.shown.back().icon, Icon::Critical);
        EXPECT_EQ(guardados(), antes) << nombre;
      }
    }
  EXPECT_EQ(files.get("personajes/x"), "x,7,0,");
}

// A save replaces a file only if it holds this very character (or no
// name at all): on Windows "X", and any short name, reach the file of "x".
// A character whose name no platform can hold ("x." from a file) is
// refused by Guardar, by G and at the end of a level, and "x" stays as it was.
TEST_F(Play, NeverSavesOverAnotherCharacter) {
#ifdef _WIN32
  constexpr bool caseBlind = true;
#else
  constexpr bool caseBlind = false;
#endif
  const std::string ajeno =
      "Ya hay otro personaje guardado en ese archivo, «x»: no se ha guardado nada.";
  files.put("personajes/x", "x,7,0,");
  files.put("personajes/y", "x,3,0,");  // made by hand
  files.put("personajes/vacio", "");
  files.put("fuera", "x.,3,0,");
  cargarPersonaje("fuera");
  for (int via = 0; via < 3; ++via) {
    if (via == 1) {
      jugando(mapa(40, 30, {"@m"}));
      j.nombre = "x.";
    }
    messages.shown.clear();
    if (via == 0) m.mnuguardar_Click();
    if (via == 1) tick({vk::G});
    if (via == 2) {  // the last enemy falls
      j.direccion = game::kEste;
      j.espera = 0;
      e(0).vida = 1;
      tick({vk::Space});
    }
    ASSERT_FALSE(messages.shown.empty()) << via;
    EXPECT_EQ(messages.shown[0].text,
              "El nombre del personaje no puede terminar en punto ni en espacio.")
        << via;
  }
  EXPECT_EQ(files.get("personajes/x"), "x,7,0,");
  EXPECT_EQ(game::personajeAjeno(files, files.path("personajes/x."), "x."),
            caseBlind ? std::optional<std::string>("x") : std::nullopt);

  m.enemigosrestantes = 1;
  j.muerto = false;
  m.conjugador = true;
  for (const auto& [nombre, dice, queda] : {std::tuple{"y", ajeno, "x,3,0,"},
                                            {"x", "Guardado con éxito!", "x,2,0,"},
                                            {"vacio", "Guardado con éxito!", "vacio,2,0,"}}) {
    j.nombre = nombre;
    j.nivel = 2;
    j.experiencia = 0;
    m.mnuguardar_Click();
    EXPECT_EQ(lastMessage() + *files.get(std::string("personajes/") + nombre), dice + queda)
        << nombre;
  }
  j.nombre = "X";
  m.mnuguardar_Click();
  EXPECT_EQ(lastMessage(),
            caseBlind
                ? "Ya hay otro personaje guardado en ese archivo, «x»: no se ha guardado nada."
                : "Guardado con éxito!");
  answer("personajes/X", "X");  // "Jugador Nuevo" likewise
  m.mnunuevo_Click();
  EXPECT_EQ(lastMessage(), caseBlind ? ajeno : "Guardado con éxito!");
  EXPECT_EQ(files.get("personajes/x"), "x,2,0,");
#ifdef _WIN32
  // The short name Windows gives a long one opens it too.
  files.put("personajes/Alejandro Magno", "Alejandro Magno,5,0,");
  const std::wstring largo =
      std::filesystem::path(files.path("personajes/Alejandro Magno")).wstring();
  wchar_t corto[MAX_PATH];
  ASSERT_GT(GetShortPathNameW(largo.c_str(), corto, MAX_PATH), 0u);
  j.nombre = std::filesystem::path(corto).filename().string();
  ASSERT_NE(j.nombre, "Alejandro Magno");
  m.mnuguardar_Click();
  EXPECT_EQ(
      lastMessage(),
      "Ya hay otro personaje guardado en ese archivo, «Alejandro Magno»: no se ha guardado nada.");
  EXPECT_EQ(files.get("personajes/Alejandro Magno"), "Alejandro Magno,5,0,");
#endif
}

TEST_F(Play, MapLoadsWholeOrChangesNothing) {
  nuevoHeroe();
  m.enemigosel = 5;
  m.contvida = 29;
  ASSERT_TRUE(cargar("3,2/inf/1/fin/0,1,3,2,0,0,/fin/1,1/fin/2,1:1/unit/0,0:0/unit//fin/"));
  EXPECT_EQ(labelled({{"maxx", m.maxx},
                      {"maxy", m.maxy},
                      {"contvida", m.contvida},
                      {"enemigosel", m.enemigosel}}),
            "maxx=2 maxy=1 contvida=0 enemigosel=5");
  EXPECT_EQ(m.nummapa + " " + standing(j), "1 x=1 y=1 dir=5 vida=60");
  EXPECT_EQ(labelled({{"agua", m.casilla(2, 0).bloqueada},
                      {"arbol", m.casilla(0, 1).bloqueada},
                      {"tierra", m.casilla(1, 0).bloqueada}}),
            "agua=1 arbol=1 tierra=0");
  EXPECT_EQ(view[Etiqueta::nenemigos], "Enemigos: 2");
  EXPECT_EQ(e(0).nombre + " " +
                labelled({{"tipo", e(0).tipo},
                          {"vuela", e(0).vuela},
                          {"vida", e(0).vida},
                          {"vidamax", e(0).vidamax},
                          {"ataque", e(0).ataque},
                          {"defensa", e(0).defensa},
                          {"exp", e(0).experiencia},
                          {"tipo1", e(1).tipo},
                          {"activo2", e(2).activo},
                          {"enemigo00", m.casilla(0, 0).enemigo}}),
            "Rata voladora tipo=1 vuela=1 vida=45 vidamax=45 ataque=5 defensa=1 exp=120 tipo1=0 "
            "activo2=0 enemigo00=1");
  // A corrupt or missing file changes nothing, and says so.
  for (const char* malo : {"3,2/inf/1/fin/0,1,3,2,0,0,/fin/1,1/fin/2,1:3/unit//fin/",
                           "2,2/inf//fin/0,0,0,/fin/0,0/fin//fin/", ""})
    EXPECT_FALSE(cargar(malo));
  m.cargarmapa(files.path("mapas/no-existe.mapa"));
  ASSERT_EQ(messages.shown.size(), 4u);
  EXPECT_TRUE(lastMessage() == kMalo && messages.shown[0].text == kMalo &&
              messages.shown[0].icon == Icon::None);
  EXPECT_EQ(m.nummapa + " " + standing(j) + " | " + standing(e(0)),
            "1 x=1 y=1 dir=5 vida=60 | x=2 y=1 dir=0 vida=45");
  EXPECT_EQ(labelled({{"maxx", m.maxx},
                      {"agua", m.casilla(2, 0).bloqueada},
                      {"restantes", m.enemigosrestantes},
                      {"activo1", e(1).activo}}),
            "maxx=2 agua=1 restantes=2 activo1=1");
}

// The number is read like the format's other numbers: a whole number in
// any spelling leads on, anything else ends the sequence, as do a missing
// next file and the last map, 2.
TEST_F(Play, MapNumbersInAnySpelling) {
  nuevoHeroe();
  files.put("mapas/mapa2.mapa", mapa(6, 6, {"@"}, "2"));
  std::string status;  // as the end-of-level box opens over it
  messages.whileShown = [&] {
    status += view[Etiqueta::nombre].substr(view[Etiqueta::nombre].rfind(' '));
  };
  for (const auto& [numero, sigue] : {std::pair{" 1", true},
                                      {"1.0", true},
                                      {"01", true},
                                      {"1e0", true},
                                      {"", false},
                                      {"abc", false},
                                      {"1.5", false},
                                      {"7", false},
                                      {"2", false}}) {
    ASSERT_TRUE(cargar(mapa(5, 5, {"@m"}, numero)));
    j.direccion = game::kEste;
    j.espera = 0;
    e(0).vida = 1;
    tick({vk::Space});
    EXPECT_EQ(m.maxx, sigue ? 5 : 4) << numero;
    EXPECT_EQ(lastMessage(), std::string(numero) == "7" ? kMalo : kFin) << numero;
  }
  EXPECT_EQ(status.substr(0, 41), " 25/200 50/200 75/200 100/200 125/200 150");
}

TEST_F(Play, SmallerMapAfterALargerOne) {
  jugando(mapa(40, 30, {".....@", std::string(10, 'm')}));
  ASSERT_TRUE(cargar(mapa(5, 5, {"", "", "..@", "", "....s"})));
  int activos = 0;
  for (int i = 0; i < 101; ++i) activos += e(i).activo;
  EXPECT_EQ(activos, 1);
  // The old map's hero and enemies beyond the new bounds are never drawn: black tiles.
  EXPECT_EQ(labelled({{"heroe", m.mainpic().at(150, 30) & 0xFFFFFF},
                      {"enemigo", m.mainpic().at(110, 10) & 0xFFFFFF}}),
            "heroe=0 enemigo=0");
  EXPECT_TRUE(grass(4, 3) && !grass(2, 2) && !grass(4, 4));
}

// The first map starts play; "Cargar mapa" during play pauses it, even
// when cancelled, until a character is loaded again.
TEST_F(Play, CargarMapaPausesPlay) {
  nuevoHeroe();
  files.put("mapas/uno.mapa", mapa(40, 30, {"@"}));
  answer("mapas/uno.mapa", "uno.mapa");
  m.mnumapa_Click();
  EXPECT_TRUE(m.conjugador && m.conmapa);
  m.mnumapa_Click();  // cancelled
  EXPECT_EQ(labelled({{"conjugador", m.conjugador},
                      {"conmapa", m.conmapa},
                      {"guardar", dialog.asked[2].save}}) +
                " " + dialog.asked[2].proposed,
            "conjugador=0 conmapa=1 guardar=0 " + files.path("mapas/default.mapa"));
  tick({vk::Right});  // paused
  // A character loaded while paused plays on the map that is there.
  cargarPersonaje("personajes/pepe");
  EXPECT_EQ(dialog.asked[3].proposed, files.path("personajes/default"));
  tick({vk::Right});
  EXPECT_EQ(labelled({{"conjugador", m.conjugador}, {"conmapa", m.conmapa}, {"x", j.x}}),
            "conjugador=1 conmapa=1 x=1");
}
