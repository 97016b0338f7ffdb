#include "editor/principal.h"

#include "editor/layout.h"
#include "mapformat/numbers.h"
#include "platform/layout.h"
#include "platform/texts.h"

namespace editor {

namespace vk = platform::vk;

namespace {

constexpr int16_t kPaso = 3;             // cells scrolled per tick with an arrow held
constexpr int kFila = 4 * kTile;         // figures face down and to the right
constexpr uint32_t kFondo = 0xFFF0F0F0;  // the window's background, before any map

int16_t a16(int v) { return static_cast<int16_t>(v); }

// The tile a pixel lies in, also left of or above the view while dragging.
int tile(int pixel) { return pixel / kTile - (pixel % kTile < 0); }

}  // namespace

Principal::Principal(Services services, const assets::Pictures& pictures, View& view)
    : s_(services),
      pics_(pictures),
      view_(view),
      mapa_(new Celda[static_cast<std::size_t>(kGridSize) * kGridSize]),
      mainpic_(kViewWidth, kViewHeight, kFondo),
      campo_(mainpic_, pics_.resp, {&pics_.terrenos, 0, kTile, 0, kTile}) {}

void Principal::Form_Load() {
  vistaancho = media::kViewCols;
  vistaalto = media::kViewRows;
  modo = kNinguno;
  carpetas_ = platform::findFolders(s_.files);
}

void Principal::terr_Click(int index) {
  modo = kTerreno;
  seleccion = a16(index);
}

void Principal::pers_Click() { modo = kJugador; }

void Principal::enem_Click(int index) {
  modo = kEnemigo;
  seleccion = a16(index);
}

void Principal::pulsarBoton(std::size_t boton) {
  if (boton >= layout::kBotones.size()) return;
  const layout::Boton& b = layout::kBotones[boton];
  switch (b.paleta) {
    case layout::Paleta::terreno:
      terr_Click(b.index);
      break;
    case layout::Paleta::jugador:
      pers_Click();
      break;
    case layout::Paleta::enemigo:
      enem_Click(b.index);
      break;
  }
}

// Places with the current tool. Every refusal is silent and draws nothing.
void Principal::mainpic_MouseDown(int x, int y) {
  if (modo < 0 || !conmapa) return;
  if (x < 0 || y < 0 || x >= kViewWidth || y >= kViewHeight) return;
  const int cx = x / kTile + mapax, cy = y / kTile + mapay;
  // Beyond a small map's edge there is nothing to place on.
  if (!enMapa(cx, cy)) return;
  Celda& c = mapa(cx, cy);
  switch (modo) {
    case kTerreno:
      if (c.esjugador) return;
      c.terreno = seleccion;
      break;
    case kJugador:
      if (c.hayenemigo) return;
      for (int fy = 0; fy <= maxy; ++fy)
        for (int fx = 0; fx <= maxx; ++fx) mapa(fx, fy).esjugador = false;
      c.esjugador = true;
      jugadorx = a16(cx);
      jugadory = a16(cy);
      hayjugador = true;
      break;
    case kEnemigo: {
      if (c.hayenemigo || c.esjugador) return;
      // With all 101 slots taken the enemy is refused like any other
      // placement: what the view shows is what "Guardar" writes.
      Colocacion* libre = nullptr;
      for (Colocacion& e : listaenemigos)
        if (!e.activo) {
          libre = &e;
          break;
        }
      if (!libre) return;
      c.tipoenemigo = seleccion;
      c.hayenemigo = true;
      *libre = Colocacion{seleccion, a16(cx), a16(cy), true};
      break;
    }
    default:
      return;
  }
  dibujar();
}

void Principal::mainpic_MouseMove(int x, int y) {
  platform::setPairText(textoMouse_, "Mouse ", tile(x) + mapax, tile(y) + mapay);
  view_.setCaption(Etiqueta::mousecap, textoMouse_);
}

// Every 100 ms: the arrows scroll, whichever window has the keyboard.
void Principal::maintimer_Timer() {
  if (!conmapa) return;
  const bool izq = s_.keys.pressed(vk::Left);
  const bool der = s_.keys.pressed(vk::Right);
  const bool arr = s_.keys.pressed(vk::Up);
  const bool aba = s_.keys.pressed(vk::Down);
  if (izq) mapax = a16(mapax - kPaso);
  if (der) mapax = a16(mapax + kPaso);
  if (arr) mapay = a16(mapay - kPaso);
  if (aba) mapay = a16(mapay + kPaso);
  ajustarorigen();
  dibujar();
}

void Principal::ajustarorigen() {
  mapax = media::clampOrigin(mapax, vistaancho, maxx);
  mapay = media::clampOrigin(mapay, vistaalto, maxy);
  mostrarorigen();
}

void Principal::mostrarorigen() {
  platform::setPairText(textoMapa_, platform::kPrefijoMapa, mapax, mapay);
  view_.setCaption(Etiqueta::mapcap, textoMapa_);
}

// A new map also forgets the enemies and the player start of the last one,
// so nothing invisible is saved with it.
void Principal::nuevomapa(int16_t ancho, int16_t alto) {
  mapax = 0;
  mapay = 0;
  maxx = a16(ancho - 1);
  maxy = a16(alto - 1);
  for (int y = 0; y <= maxy; ++y)
    for (int x = 0; x <= maxx; ++x) mapa(x, y) = Celda{0, false, -1, false};
  listaenemigos.fill(Colocacion{});
  hayjugador = false;
  jugadorx = jugadory = 0;
  conmapa = true;
  dibujar();
}

// Each cell of the map is a stack of masked figures; the view draws them,
// and plain black beyond a small map's edge, whatever the grid still holds.
void Principal::dibujar() {
  auto bloque = [](const media::Bitmap& sheet, int x, int y, int fx, int fy) {
    return media::Layer{&sheet, a16(x), a16(y), a16(fx), a16(fy)};
  };
  const auto enElMapa = [this](int x, int y) { return enMapa(x, y); };
  const auto capas = [&](int x, int y, media::TileField::Stack& pila) {
    const Celda& c = mapa(x, y);
    const int suelo = media::groundX(c.terreno);
    pila.push(bloque(pics_.terrenos, suelo, 0, suelo, 0));
    if (c.esjugador) pila.push(bloque(pics_.yo, kTile, kFila, 0, kFila));
    // Kinds other than 0 to 2 come only from hand-made files: kept, not drawn.
    if (c.tipoenemigo >= 0 && c.tipoenemigo <= 2)
      pila.push(
          bloque(pics_.enemigos[static_cast<std::size_t>(c.tipoenemigo)], kTile, kFila, 0, kFila));
  };
  view_.present(campo_.draw(vistaancho, vistaalto, mapax, mapay, enElMapa, capas));
}

void Principal::mnusalir_Click() { view_.quit(); }

// The manual is the README; the menu item is kept where users look for it.
void Principal::mnumanual_Click() {}

void Principal::mnuacerca_Click() {
  s_.messages.show(platform::kAutor, platform::Icon::Information);
}

}  // namespace editor
