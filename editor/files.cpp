// "Abrir" and "Guardar": map files in and out of the editor.
#include <string_view>

#include "editor/principal.h"
#include "mapformat/reader.h"
#include "mapformat/writer.h"
#include "platform/texts.h"

namespace editor {

namespace {

constexpr const char* kSinJugador = "Tienes que colocar al jugador!";
constexpr const char* kNoGuardado =
    "No se pudo guardar el mapa: el archivo anterior sigue intacto.";
constexpr const char* kNombreMalo = "El nombre del archivo no es válido.";
constexpr std::string_view kExtension = ".mapa";

}  // namespace

// An installed editor must not leave the dialog wherever the file dialog
// falls back to (the working folder, often the install prefix), where a
// save would fail: it opens the player's maps folder, made on first use,
// where the game looks for his maps first.
std::string Principal::carpetaDialogo() {
  if (!carpetas_.installed()) return "";
  const std::string carpeta = platform::underFolder(carpetas_.player, "\\mapas");
  s_.files.makeFolder(carpeta);
  return carpeta + platform::kSeparator;
}

// A file that cannot be read, or is not a whole map, changes nothing.
void Principal::mnuabrir_Click() {
  const auto elegido = s_.dialogo.open(carpetaDialogo());
  if (!elegido || elegido->path.empty()) return;
  const auto texto = s_.files.read(elegido->path, mapformat::kMaxFileBytes);
  if (!texto) return;
  if (mapformat::read(*texto, mapformat::Reader::Editor, archivo_) != mapformat::Fault::None)
    return;
  const mapformat::MapData& m = archivo_;
  maxx = m.maxx;
  maxy = m.maxy;
  for (int y = 0; y <= maxy; ++y)
    for (int x = 0; x <= maxx; ++x) mapa(x, y) = Celda{m.cell(x, y), false, -1, false};
  jugadorx = m.px;
  jugadory = m.py;
  mapa(jugadorx, jugadory).esjugador = true;
  listaenemigos.fill(Colocacion{});
  for (int k = 0; k < m.unitCount; ++k) {
    const mapformat::Unit& u = m.units[static_cast<std::size_t>(k)];
    listaenemigos[static_cast<std::size_t>(k)] = Colocacion{u.kind, u.x, u.y, true};
    Celda& c = mapa(u.x, u.y);
    c.tipoenemigo = u.kind;
    c.hayenemigo = true;
  }
  hayjugador = true;
  conmapa = true;
  dibujar();
}

void Principal::amapa(mapformat::MapData& out) const {
  out.maxx = maxx;
  out.maxy = maxy;
  out.info.clear();
  out.terrain.resize(static_cast<std::size_t>(maxx + 1) * static_cast<std::size_t>(maxy + 1));
  std::size_t i = 0;
  for (int y = 0; y <= maxy; ++y)
    for (int x = 0; x <= maxx; ++x) out.terrain[i++] = mapa(x, y).terreno;
  out.px = jugadorx;
  out.py = jugadory;
  out.unitCount = 0;
  for (const Colocacion& e : listaenemigos) {
    if (!e.activo) break;
    out.units[static_cast<std::size_t>(out.unitCount++)] = mapformat::Unit{e.x, e.y, e.tipo};
  }
}

void Principal::mnuguardar_Click() {
  const auto elegido = s_.dialogo.save(carpetaDialogo());
  if (!elegido || elegido->path.empty()) return;
  if (!hayjugador) {
    s_.messages.show(kSinJugador, platform::Icon::Critical);
    return;
  }
  // Whatever follows the first dot of the chosen name becomes ".mapa".
  const std::string& ruta = elegido->path;
  const std::size_t barra = ruta.find_last_of(platform::kSeparators);
  const std::string carpeta =
      barra == std::string::npos ? std::string() : ruta.substr(0, barra + 1);
  const std::string nombre = elegido->title.substr(0, elegido->title.find('.'));
  // A name Windows cannot hold as a file of its own ("CON.mapa" is a device)
  // is refused on every platform, so that a map folder moves between them.
  if (platform::portableNameFault(nombre) != platform::NameFault::None ||
      nombre.size() + kExtension.size() > platform::kMaxNameBytes) {
    s_.messages.show(kNombreMalo, platform::Icon::Critical);
    return;
  }
  amapa(archivo_);
  mapformat::write(archivo_, texto_);
  if (!s_.files.writeAtomic(carpeta + nombre + std::string(kExtension), texto_)) {
    s_.messages.show(kNoGuardado, platform::Icon::Critical);
    return;
  }
  s_.messages.show(platform::kGuardado, platform::Icon::Information);
}

}  // namespace editor
