// The editor's windows, as both front ends show them: the main window
// (the map view at (0, 0), the three palettes of picture buttons, their
// titles and the two status labels) and the "Nuevo Mapa" dialog.
#pragma once

#include <array>

#include "editor/principal.h"
#include "mapformat/mapdata.h"
#include "platform/layout.h"

namespace editor::layout {

inline constexpr const char* kTitulo = "Tarnwick Editor";
// The program's name: the message boxes' title, and Qt's application name.
inline constexpr const char* kAplicacion = "Edit";
inline constexpr int kAncho = 714, kAlto = 428;
// Everything but the map view is drawn on this light grey.
inline constexpr uint32_t kFondo = 0xF0F0F0;
// maintimer's interval in ms: the pace of scrolling (principal.cpp's kPaso
// cells a tick). The editor's own, as the game's is the game's.
inline constexpr int kIntervaloTimer = 100;

// One small face: 8.25-point MS Sans Serif, and its bold for titles.
inline constexpr platform::Font kLetra{"MS Sans Serif", 11, false};
inline constexpr platform::Font kNegrita{"MS Sans Serif", 11, true};

inline constexpr platform::Label kTitulos[] = {
    {"Label1_0", {624, 8, 64, 16}, &kNegrita, platform::kNegro, false, 0, "Terrenos"},
    {"Label1_1", {624, 104, 72, 16}, &kNegrita, platform::kNegro, false, 0, "Personaje"},
    {"Label1_2", {624, 168, 70, 16}, &kNegrita, platform::kNegro, false, 0, "Enemigos"},
};
// In the order of Etiqueta.
inline constexpr std::array<platform::Label, 2> kEtiquetas = {{
    {"mousecap", {40, 408, 121, 17}, &kLetra, platform::kNegro, false, 0, "Mouse"},
    {"mapcap", {184, 408, 137, 17}, &kLetra, platform::kNegro, false, 0, "Mapa"},
}};

// The palettes: 24 x 24 buttons showing a 20 x 20 picture. The screen
// reader says `what`; the window shows only the picture.
enum class Paleta { terreno, jugador, enemigo };
struct Boton {
  const char* name;
  const char* picture;
  const char* what;
  int x, y;
  Paleta paleta;
  int index;  // the ground or the enemy kind
};
inline constexpr int kLadoBoton = 24;
inline constexpr std::array<Boton, 8> kBotones = {{
    {"terr0", "paleta_pasto", "Pasto", 632, 32, Paleta::terreno, 0},
    {"terr1", "paleta_tierra", "Tierra", 664, 32, Paleta::terreno, 1},
    {"terr2", "paleta_arbol", "Árbol", 632, 64, Paleta::terreno, 2},
    {"terr3", "paleta_agua", "Agua", 664, 64, Paleta::terreno, 3},
    {"pers", "paleta_jugador", "Jugador", 648, 128, Paleta::jugador, 0},
    {"enem0", "paleta_enemigo0", mapformat::kNombresTipos[0], 616, 192, Paleta::enemigo, 0},
    {"enem1", "paleta_enemigo1", mapformat::kNombresTipos[1], 648, 192, Paleta::enemigo, 1},
    {"enem2", "paleta_enemigo2", mapformat::kNombresTipos[2], 680, 192, Paleta::enemigo, 2},
}};

// "Nuevo" (no handler) opens the window's own "Nuevo Mapa" dialog.
inline constexpr platform::MenuItem<Principal> kArchivo[] = {
    {"mnunuevo", "Nuevo", nullptr},
    {"mnuabrir", "Abrir", &Principal::mnuabrir_Click},
    {"mnuguardar", "Guardar", &Principal::mnuguardar_Click},
    {"mnusalir", "Salir", &Principal::mnusalir_Click},
};
inline constexpr platform::MenuItem<Principal> kAyuda[] = {
    {"mnumanual", "Manual de usuario", &Principal::mnumanual_Click},
    {"mnuacerca", "Acerca...", &Principal::mnuacerca_Click},
};
inline constexpr platform::Menu<Principal> kMenus[] = {
    {"mnuarchivo", "Archivo", kArchivo},
    {"mnuayuda", "Ayuda", kAyuda},
};

// "Nuevo Mapa": 252 x 123 on white. Each size box's label is moved down
// so that its text stands on the line of the text in the box.
namespace neww {
inline constexpr const char* kTitulo = "Nuevo Mapa";
inline constexpr int kAncho = 252, kAlto = 123;
inline constexpr uint32_t kFondo = platform::kBlanco;
inline constexpr platform::Label kEncabezado{"Label1",
                                             {40, 8, 177, 13},
                                             &kNegrita,
                                             platform::kNegro,
                                             false,
                                             0,
                                             "Seleccione el tamaño del mapa"};
struct Caja {
  const char* name;
  platform::Label label;
  platform::Box box;
  std::span<const char* const> items;  // the first is proposed
};
inline constexpr const char* kAnchos[] = {"30", "40",  "50",  "60",  "70", "80",
                                          "90", "100", "120", "150", "200"};
inline constexpr const char* kAltos[] = {"20", "30", "40",  "50",  "60",  "70",
                                         "80", "90", "100", "120", "150", "200"};
inline constexpr std::array<Caja, 2> kCajas = {{
    {"ancho",
     {"Label2", {32, 32, 41, 17}, &kLetra, platform::kNegro, false, 0, "Ancho"},
     {88, 32, 129, 21},
     kAnchos},
    {"alto",
     {"Label3", {32, 64, 33, 17}, &kLetra, platform::kNegro, false, 0, "Alto"},
     {88, 64, 129, 21},
     kAltos},
}};
// Where a size box's label starts its text so that it stands on the line of
// the box's text. The box draws its text in its edit field, which the
// toolkit places (fieldTop below the box's top, fieldHeight high), starting
// (fieldHeight - fontHeight + 1) / 2 below the field's top, as Qt's line
// edit rounds (and Windows' edit field alike).
constexpr int lineaEtiqueta(const Caja& c, int fieldTop, int fieldHeight, int fontHeight) {
  return c.box.y + fieldTop + (fieldHeight - fontHeight + 1) / 2;
}
inline constexpr const char* kCrear = "Crear";
inline constexpr platform::Box kBotonCrear{80, 96, 105, 17};
}  // namespace neww

}  // namespace editor::layout
