// The game window, as both front ends show it: a 720 x 526 client area,
// black, with the drawing surface at (0, 0), the portrait in its frame on
// the bottom panel, the labels over the panels and the strip below them.
#pragma once

#include <array>

#include "game/main.h"
#include "platform/layout.h"

namespace game::layout {

inline constexpr const char* kTitulo = "Tarnwick quest 1.0";
// The program's name: the message boxes' title, and Qt's application name.
inline constexpr const char* kAplicacion = "Juego";
inline constexpr int kAncho = kSurfaceWidth, kAlto = 526;
inline constexpr uint32_t kFondo = platform::kNegro;
// maintimer's interval in ms. Each program's timer is its own fact, not the
// seam's: the rules count their pace in its ticks (steps, strikes, the
// water's shimmer), and the editor's timer could change without it.
inline constexpr int kIntervaloTimer = 100;

// The status in bold 9-point Arial, the enemy lines in bold 8.25-point
// MS Sans Serif, the strip in its regular face.
inline constexpr platform::Font kEstado{"Arial", 12, true};
inline constexpr platform::Font kEnemigo{"MS Sans Serif", 11, true};
inline constexpr platform::Font kTira{"MS Sans Serif", 11, false};

// In the order of Etiqueta. The panels' labels span the rest of their
// panel, so that a new text never needs a bigger box.
inline constexpr std::array<platform::Label, 8> kEtiquetas = {{
    {"nombre",
     {104, 410, kViewWidth - 104, kSurfaceHeight - 410},
     &kEstado,
     platform::kNegro,
     false,
     0,
     ""},
    {"enedata0", {608, 120, kSurfaceWidth - 608, 16}, &kEnemigo, platform::kNegro, false, 0, ""},
    {"enedata1", {608, 152, kSurfaceWidth - 608, 16}, &kEnemigo, platform::kNegro, false, 0, ""},
    {"enedata2", {608, 168, kSurfaceWidth - 608, 16}, &kEnemigo, platform::kNegro, false, 0, ""},
    {"enedata3", {608, 184, kSurfaceWidth - 608, 16}, &kEnemigo, platform::kNegro, false, 0, ""},
    // Opaque on the black strip: a new text repaints the label alone.
    {"exy", {0, 504, 105, 17}, &kTira, platform::kBlanco, true, kFondo, "Persona"},
    {"labmapa", {112, 504, 113, 17}, &kTira, platform::kBlanco, true, kFondo, "Mapa"},
    {"nenemigos", {232, 504, 112, 17}, &kTira, platform::kBlanco, true, kFondo, "Enemigos: "},
}};
inline constexpr const platform::Label& etiqueta(Etiqueta e) {
  return kEtiquetas[static_cast<std::size_t>(e)];
}

// The portrait, 85 x 85, inside a one-pixel black frame.
inline constexpr platform::Box kMarcoRetrato{8, 407, 87, 87};
inline constexpr const char* kRetrato = "persona";

inline constexpr platform::MenuItem<Main> kArchivo[] = {
    {"mnunuevo", "Jugador Nuevo", &Main::mnunuevo_Click},
    {"mnuguardar", "Guardar", &Main::mnuguardar_Click},
    {"mnujugador", "Cargar jugador", &Main::mnujugador_Click},
    {"mnumapa", "Cargar mapa", &Main::mnumapa_Click},
    {"mnusalir", "Salir", &Main::mnusalir_Click},
};
inline constexpr platform::MenuItem<Main> kAyuda[] = {
    {"mnucontroles", "Controles", &Main::mnucontroles_Click},
    {"mnuacerca", "Acerca...", &Main::mnuacerca_Click},
};
inline constexpr platform::Menu<Main> kMenus[] = {
    {"mnuarchivo", "Archivo", kArchivo},
    {"mnuayuda", "Ayuda", kAyuda},
};

}  // namespace game::layout
