// The game's side of maps: loading a level and moving on to the next one.
#include <cmath>

#include "game/main.h"
#include "mapformat/numbers.h"
#include "mapformat/reader.h"

namespace game {

namespace {

constexpr const char* kMapaMalo = "El mapa no existe o está corrupto";

// A map's number in the level sequence, read like the format's other
// numbers. One that is not a whole number has no successor: it ends the
// sequence, as an empty one does.
std::optional<int32_t> numeroDeMapa(const std::string& texto) {
  const auto real = mapformat::parseReal(texto);
  if (!real || *real != std::trunc(*real)) return std::nullopt;
  return mapformat::roundToInt32(*real);
}

}  // namespace

// Called by "Cargar mapa" and by siguientemapa. The file is read whole into
// scratch storage first: a missing or corrupt file changes nothing.
void Main::cargarmapa(const std::string& path) {
  const auto texto = s_.files.read(path, mapformat::kMaxFileBytes);
  if (!texto ||
      mapformat::read(*texto, mapformat::Reader::Game, leido_) != mapformat::Fault::None) {
    s_.messages.show(kMapaMalo, platform::Icon::None);
    return;
  }
  const mapformat::MapData& m = leido_;
  contvida = 0;
  nummapa = m.info;
  maxx = m.maxx;
  maxy = m.maxy;
  for (int y = 0; y <= maxy; ++y)
    for (int x = 0; x <= maxx; ++x) {
      const int16_t t = m.cell(x, y);
      casilla(x, y) = Casilla{t, false, -1, false, t == 2 || t == 3};
    }
  jugador.x = jugador.destx = m.px;
  jugador.y = jugador.desty = m.py;
  jugador.direccion = kSur;
  Casilla& inicio = casilla(jugador.x, jugador.y);
  inicio.heroe = true;
  inicio.ocupada = true;

  enemigosrestantes = m.unitCount;
  textoEnemigos_ = "Enemigos: ";
  mapformat::appendText(textoEnemigos_, enemigosrestantes);
  view_.setCaption(Etiqueta::nenemigos, textoEnemigos_);
  for (Enemigo& e : listaenemigos) e.activo = false;
  for (int k = 0; k < m.unitCount; ++k) {
    const mapformat::Unit& u = m.units[static_cast<std::size_t>(k)];
    const TipoEnemigo& tipo = tipos[static_cast<std::size_t>(u.kind)];
    // Cooldown, facing and step target stay as the slot's last occupant left them.
    Enemigo& e = listaenemigos[static_cast<std::size_t>(k)];
    e.activo = true;
    e.x = u.x;
    e.y = u.y;
    e.tipo = u.kind;
    e.muerto = false;
    e.experiencia = tipo.experiencia;
    e.vida = e.vidamax = tipo.vida;
    e.defensa = tipo.defensa;
    e.ataque = tipo.ataque;
    e.vuela = tipo.vuela;
    e.nombre = tipo.nombre;
    Casilla& c = casilla(u.x, u.y);
    c.enemigo = static_cast<int16_t>(k);
    c.ocupada = true;
  }
  conmapa = true;
  centrarvista();
  dibujar();
}

// Called by the strike that kills the last enemy of a map.
void Main::siguientemapa() {
  mnuguardar_Click();
  const auto numero = numeroDeMapa(nummapa);
  if (!numero || *numero == ultimomapa || *numero == std::numeric_limits<int32_t>::max()) return;
  std::string nombre = "\\mapas\\mapa";
  mapformat::appendText(nombre, *numero + 1);
  nombre += ".mapa";
  // An installed game looks for the next map among the player's own first,
  // so that he can add a campaign, or replace a level, of his own.
  const std::string propio = platform::underFolder(carpetas_.player, nombre);
  cargarmapa(carpetas_.installed() && s_.files.isFile(propio)
                 ? propio
                 : platform::underFolder(carpetas_.shipped, nombre));
}

void Main::mnumapa_Click() {
  // Play pauses until a character is created or loaded again, even if the
  // dialog is cancelled.
  if (conmapa && conjugador) conjugador = false;
  const auto elegido =
      s_.dialogo.open(platform::underFolder(carpetas_.shipped, "\\mapas\\default.mapa"));
  if (!elegido || elegido->path.empty()) return;
  cargarmapa(elegido->path);
}

}  // namespace game
