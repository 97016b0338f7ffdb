// Characters: "Jugador Nuevo", "Cargar jugador" and "Guardar". A character
// file holds name, level and experience, each followed by ",".
#include "game/main.h"
#include "game/characterfile.h"
#include "platform/texts.h"

namespace game {

namespace {

const std::string kNivelTerminado =
    std::string("Has terminado el nivel!\r\n") + platform::kGuardado;
constexpr const char* kNoCreado = "No se pudo crear el archivo del personaje.";
constexpr const char* kNoGuardado =
    "No se pudo guardar el personaje: el archivo anterior sigue intacto.";

}  // namespace

// Whether the character named nombre may be written at path: a name every
// platform can hold as a file, and no other character's file in the way.
// Says why not.
bool Main::guardable(const std::string& path, const std::string& nombre) {
  if (const FaltaNombre falta = faltaEnNombre(nombre); falta != FaltaNombre::Ninguna) {
    s_.messages.show(mensajeFalta(falta), platform::Icon::Critical);
    return false;
  }
  if (const auto otro = personajeAjeno(s_.files, path, nombre)) {
    s_.messages.show(
        "Ya hay otro personaje guardado en ese archivo, «" + *otro + "»: no se ha guardado nada.",
        platform::Icon::Critical);
    return false;
  }
  return true;
}

// The player's characters folder, made if missing. An installed game gives
// a new folder the starter character "Cargar jugador" proposes, as the
// portable folder comes with one.
std::string Main::carpetaPersonajes() {
  const std::string carpeta = platform::underFolder(carpetas_.player, "\\personajes");
  s_.files.makeFolder(carpeta);
  const std::string inicial = platform::underFolder(carpeta, "\\default");
  if (carpetas_.installed() && !s_.files.isFile(inicial))
    if (const auto texto = s_.files.read(
            platform::underFolder(carpetas_.shipped, "\\personajes\\default"), kMaxBytesPersonaje))
      s_.files.writeAtomic(inicial, *texto);
  return carpeta;
}

// Blanks the field: a new character must load a map again.
void Main::pintarvacio() {
  conmapa = false;
  view_.present(campo_.clear());
}

void Main::mnunuevo_Click() {
  if (conjugador) pintarvacio();
  view_.setMapMenuEnabled(true);
  // Made first, so that the dialog opens in it rather than wherever it falls back to.
  const auto elegido = s_.dialogo.save(platform::underFolder(carpetaPersonajes(), "\\nuevo"));
  if (!elegido || elegido->path.empty()) return;
  if (!guardable(elegido->path, elegido->title)) return;
  if (!s_.files.writeAtomic(elegido->path, *escribirpersonaje(elegido->title, 1, 0))) {
    s_.messages.show(kNoCreado, platform::Icon::Critical);
    return;
  }
  conjugador = true;
  // A new character starts a little behind the level formulas: 60 life,
  // and 200 experience to the next level.
  jugador.nombre = elegido->title;
  jugador.nivel = 1;
  jugador.experiencia = 0;
  jugador.expsiguiente = 200;
  jugador.vidamax = 60;
  jugador.vida = jugador.vidamax;
  jugador.ataque = 5;
  jugador.defensa = 0;
  jugador.pociones = 0;
  jugador.muerto = false;
  mostrarestado();
}

// Never stops on a bad file: a field that is missing or not a number keeps
// the value it would have replaced.
void Main::mnujugador_Click() {
  if (conjugador) pintarvacio();
  const auto elegido = s_.dialogo.open(platform::underFolder(carpetaPersonajes(), "\\default"));
  if (!elegido || elegido->path.empty()) return;
  view_.setMapMenuEnabled(true);
  if (const auto texto = s_.files.read(elegido->path, kMaxBytesPersonaje)) {
    const CamposPersonaje campos = leerpersonaje(*texto);
    if (campos.nombre) jugador.nombre = *campos.nombre;
    if (campos.nivel) jugador.nivel = *campos.nivel;
    if (campos.experiencia) jugador.experiencia = *campos.experiencia;
  }
  jugador.pociones = 0;
  jugador.muerto = false;
  conjugador = true;
  calcularnivel();  // also shows the status
}

// Also run by the G key and at the end of every level.
void Main::mnuguardar_Click() {
  if (jugador.muerto || !conjugador) return;
  const std::string carpeta = carpetaPersonajes();
  const std::string ruta = carpeta + platform::kSeparator + jugador.nombre;
  if (!guardable(ruta, jugador.nombre)) return;
  const auto texto = escribirpersonaje(jugador.nombre, jugador.nivel, jugador.experiencia);
  if (!s_.files.writeAtomic(ruta, *texto)) {
    s_.messages.show(kNoGuardado, platform::Icon::Critical);
    return;
  }
  s_.messages.show(enemigosrestantes == 0 ? kNivelTerminado : platform::kGuardado,
                   platform::Icon::Information);
}

}  // namespace game
