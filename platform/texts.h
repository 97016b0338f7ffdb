// Texts both programs show, written once so that every front end and both
// programs say them alike. Each program's own texts stay with its rules.
#pragma once

namespace platform {

// After a character or a map is saved.
inline constexpr const char* kGuardado = "Guardado con éxito!";
// "Acerca...".
inline constexpr const char* kAutor = "Diseñado y Programado por Veldrosa";
// The view origin's caption, "Mapa (x,y)" (see setPairText in layout.h).
inline constexpr const char* kPrefijoMapa = "Mapa ";

}  // namespace platform
