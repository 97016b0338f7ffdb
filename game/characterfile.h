// The character file: name, level and experience, each followed by ",".
// Reading never fails as a whole: each field that is missing or not a
// number is simply absent, and the loader keeps the value it would replace.
//
// The file holds one byte per character in Windows-1252; the program holds
// names as UTF-8, so every name that can be saved shows as it was typed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace game {

// Character files are a few dozen bytes; anything larger is not one.
inline constexpr std::size_t kMaxBytesPersonaje = std::size_t{64} << 10;

struct CamposPersonaje {
  std::optional<std::string> nombre;  // UTF-8
  std::optional<int32_t> nivel;
  std::optional<int32_t> experiencia;
};

CamposPersonaje leerpersonaje(std::string_view texto);
// nullopt when the name cannot be a character's (see nombrevalido).
std::optional<std::string> escribirpersonaje(std::string_view nombre, int32_t nivel,
                                             int32_t experiencia);

// Windows-1252 bytes to UTF-8. Every byte has a character: the five the
// code page leaves undefined become the control characters of their value.
std::string fromCp1252(std::string_view bytes);
// UTF-8 to Windows-1252; nullopt for text that is not UTF-8 or holds a
// character the code page lacks.
std::optional<std::string> toCp1252(std::string_view utf8);

// Why a name cannot be a character's: it must be one field of the file,
// held by Windows-1252, and a file of its own inside "personajes" on every
// platform (platform::portableNameFault), so that a folder of characters
// copied between Linux and Windows keeps each one apart.
enum class FaltaNombre {
  Ninguna,
  Vacio,
  Alfabeto,  // not UTF-8, or a character Windows-1252 lacks
  Control,
  Coma,
  Barra,
  Signo,        // < > : " | ? *
  Final,        // a trailing dot or space
  Dispositivo,  // a name Windows keeps for a device
  Largo,
};
FaltaNombre faltaEnNombre(std::string_view nombre);
bool nombrevalido(std::string_view nombre);
// The message that says which rule the name breaks; empty for Ninguna.
const char* mensajeFalta(FaltaNombre falta);

// The name of the character saved in the file at path, when that file can
// be read, holds a name, and it is not nombre: Windows reaches the file of
// "x" by "X", "x." or a short name, and no save may replace another
// character.
std::optional<std::string> personajeAjeno(platform::Files& files, const std::string& path,
                                          std::string_view nombre);

}  // namespace game
