// The game: all of its state and every routine, as one object without Qt.
// The window (qt/mainwindow.cpp) forwards its timer, mouse and menu events
// to the handlers below, and shows what they change through View.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "assets/pictures.h"
#include "game/state.h"
#include "game/view.h"
#include "mapformat/mapdata.h"
#include "media/bitmap.h"
#include "platform/filedialog.h"
#include "platform/files.h"
#include "platform/keys.h"
#include "platform/messages.h"
#include "platform/random.h"
#include "platform/sound.h"
#include "media/mapview.h"

namespace game {

// The platform parts the rules use; owned by the window or by a test.
struct Services {
  platform::Keys& keys;
  platform::Sound& sound;
  platform::FileDialog& dialogo;
  platform::Messages& messages;
  platform::Files& files;
  platform::Random& random;
};

class Main {
 public:
  Main(Services services, const assets::Pictures& pictures, View& view);

  // Event handlers, named after the control and the event.
  void Form_Load();
  void maintimer_Timer();
  void mainpic_MouseDown(int x, int y);
  void mnucontroles_Click();
  void mnuacerca_Click();
  void mnusalir_Click();
  void mnunuevo_Click();
  void mnujugador_Click();
  void mnuguardar_Click();
  void mnumapa_Click();

  // Routines shared by the rules.
  void dibujar();
  void mostrarestado();
  void mostrarenemigo();
  void ajustarvista();
  void calcularnivel();
  void turnoenemigos();
  void cargarmapa(const std::string& path);
  void siguientemapa();

  // The least experience a hero of level n has: what reaching n took.
  static int32_t pisonivel(int32_t n);

  Casilla& casilla(int x, int y) { return mapa_[static_cast<std::size_t>(y) * kGridSize + x]; }
  const Casilla& casilla(int x, int y) const {
    return mapa_[static_cast<std::size_t>(y) * kGridSize + x];
  }
  // Whether (x, y) is a cell of the loaded map (and so of the grid).
  bool enMapa(int x, int y) const { return x >= 0 && y >= 0 && x <= maxx && y <= maxy; }

  // The drawing surface: field at (0, 0), right panel at (600, 0), bottom
  // panel at (0, 400). The window shows it as it is after present().
  const media::Bitmap& mainpic() const { return mainpic_; }

  // The game's state, named as the rules name it. Public as a record's
  // fields are: the tests and benchmarks build their scenes by setting it
  // (a hundred enemies mid-fight, a hero at a map's edge), which no chain
  // of handler calls reaches in reasonable time. Whoever sets it keeps the
  // rules' invariants: a live enemy stands on a cell naming its slot, the
  // view lies on the map. The windows only read what View is told.
  double vistaancho = 0;
  double vistaalto = 0;
  int16_t cuadro = 0;
  bool conjugador = false;
  bool conmapa = false;
  std::string nummapa;
  int16_t ultimomapa = 0;
  int16_t contvida = 0;
  int16_t enemigosel = 0;
  std::array<TipoEnemigo, 3> tipos{};
  std::array<Enemigo, kMaxUnits> listaenemigos{};
  int16_t mapax = 0, mapay = 0;
  int16_t maxx = 0, maxy = 0;
  int16_t enemigosrestantes = 0;
  Jugador jugador;

 private:
  // The hero's own actions, steps of the tick.
  void regenerar();
  void revivir();
  void beberpocion();
  void golpear();
  // The sounds the rules play.
  enum Sonido { kGolpe, kMuerte, kSonidos };
  // Plays a sound unless it was already asked for in this tick.
  void sonar(Sonido sonido);
  // Ground the view at the hero and clamp it, as a move and a load do.
  void centrarvista();
  void pisar(Enemigo& e, int i, int16_t x, int16_t y);
  void quedanen(int16_t x, int16_t y);
  void pintarvacio();
  std::string carpetaPersonajes();
  bool guardable(const std::string& path, const std::string& nombre);

  void caption(Etiqueta label, std::string& buffer);

  Services s_;
  const assets::Pictures& pics_;
  View& view_;
  std::unique_ptr<Casilla[]> mapa_;  // kGridSize x kGridSize, row by row, allocated once
  media::Bitmap mainpic_;
  media::MapView campo_;  // the field, as last drawn
  // Caption buffers, reused so that a tick allocates nothing.
  std::string textoEstado_;
  std::array<std::string, 4> textoEnemigo_;
  std::string textoExy_, textoMapa_, textoEnemigos_;
  platform::Folders carpetas_;                 // what the game ships with, and the player's files
  std::array<std::string, kSonidos> sonidos_;  // their files, by Sonido
  std::array<bool, kSonidos> sonadoEnTick_{};  // asked for since the tick began
  mapformat::MapData leido_;                   // a map file is read here, then applied if whole
};

}  // namespace game
