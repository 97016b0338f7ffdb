#include "game/main.h"
#include "platform/texts.h"

namespace game {

namespace {

// The enemy kinds: name, life, experience, attack, defense, flies.
constexpr std::array<TipoEnemigo, 3> kTipos = {{
    {mapformat::kNombresTipos[0], 20, 25, 2, 0, false},
    {mapformat::kNombresTipos[1], 45, 120, 5, 1, true},
    {mapformat::kNombresTipos[2], 65, 300, 7, 2, false},
}};

constexpr const char* kControles =
    "Flecha izquierda = Mover Izquierda\r\n"
    "Flecha derecha = Mover Derecha\r\n"
    "Flecha Arriba = Mover Arriba\r\n"
    "Flecha Abajo = Mover Abajo\r\n"
    "Barra de Espacio = Atacar\r\n"
    "H = Usar pocion\r\n"
    "R = Revivir\r\n"
    "G = Guardar Rápido";

}  // namespace

Main::Main(Services services, const assets::Pictures& pictures, View& view)
    : s_(services),
      pics_(pictures),
      view_(view),
      mapa_(new Casilla[static_cast<std::size_t>(kGridSize) * kGridSize]),
      mainpic_(kSurfaceWidth, kSurfaceHeight, 0xFF000000),
      campo_(mainpic_, pics_.resp, {&pics_.terrenos, 0, kTile, 0, kTile}) {
  for (auto& t : textoEnemigo_) t.reserve(64);
  textoEstado_.reserve(256);
}

// Called once by the window when it is created, before it shows.
void Main::Form_Load() {
  vistaancho = media::kViewCols;
  vistaalto = media::kViewRows;
  // The panels are painted once; dibujar repaints only the field over them.
  media::copy(mainpic_, 0, kViewHeight, pics_.abajo);
  media::copy(mainpic_, kViewWidth, 0, pics_.derecha);
  view_.present({0, 0, kSurfaceWidth, kSurfaceHeight});
  view_.setMapMenuEnabled(false);
  tipos = kTipos;
  ultimomapa = 2;
  carpetas_ = platform::findFolders(s_.files);
  sonidos_[kGolpe] = platform::underFolder(carpetas_.shipped, "\\sonidos\\hit0.wav");
  sonidos_[kMuerte] = platform::underFolder(carpetas_.shipped, "\\sonidos\\dead.wav");
}

void Main::mnucontroles_Click() { s_.messages.show(kControles, platform::Icon::Information); }

void Main::mnuacerca_Click() { s_.messages.show(platform::kAutor, platform::Icon::Information); }

void Main::mnusalir_Click() { view_.quit(); }

}  // namespace game
