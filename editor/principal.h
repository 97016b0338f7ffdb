// The editor: all of its state and every routine, as one object without Qt.
// The window (qt/principalwindow.cpp) forwards its events here.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "assets/pictures.h"
#include "editor/state.h"
#include "editor/view.h"
#include "mapformat/mapdata.h"
#include "media/bitmap.h"
#include "platform/filedialog.h"
#include "platform/files.h"
#include "platform/keys.h"
#include "platform/messages.h"
#include "media/mapview.h"

namespace editor {

struct Services {
  platform::Keys& keys;
  platform::FileDialog& dialogo;
  platform::Messages& messages;
  platform::Files& files;
};

class Principal {
 public:
  Principal(Services services, const assets::Pictures& pictures, View& view);

  // Event handlers.
  void Form_Load();
  void terr_Click(int index);
  void pers_Click();
  void enem_Click(int index);
  void mainpic_MouseDown(int x, int y);
  void mainpic_MouseMove(int x, int y);
  void maintimer_Timer();
  void mnuabrir_Click();
  void mnuguardar_Click();
  void mnusalir_Click();
  void mnumanual_Click();
  void mnuacerca_Click();

  // "Nuevo Mapa"'s "Crear" (neww.cpp), with the size boxes' texts as typed
  // and the user's decimal separator: makes the map and answers true (the
  // dialog closes), or says "El tamaño no es válido" and answers false (the
  // dialog stays, its texts as typed).
  bool crear_Click(std::string_view ancho, std::string_view alto, char separadorDecimal);
  // The palette button layout::kBotones[boton] was clicked: its palette's handler runs.
  void pulsarBoton(std::size_t boton);

  // Starts an empty map of the given size in tiles.
  void nuevomapa(int16_t ancho, int16_t alto);
  void dibujar();
  void ajustarorigen();
  void mostrarorigen();

  Celda& mapa(int x, int y) { return mapa_[static_cast<std::size_t>(y) * kGridSize + x]; }
  const Celda& mapa(int x, int y) const {
    return mapa_[static_cast<std::size_t>(y) * kGridSize + x];
  }
  bool enMapa(int x, int y) const { return x >= 0 && y >= 0 && x <= maxx && y <= maxy; }
  const media::Bitmap& mainpic() const { return mainpic_; }

  // The map as a file holds it: what "Guardar" writes.
  void amapa(mapformat::MapData& out) const;

  // The editor's state, named as the rules name it. Public as a record's
  // fields are, so tests and benchmarks can build a large map or a full
  // list of enemies directly; whoever sets it keeps the view on the map and
  // each placed enemy on a cell that shows its kind.
  int16_t maxx = 0, maxy = 0;
  int16_t mapax = 0, mapay = 0;
  int16_t vistaancho = 0, vistaalto = 0;
  int16_t modo = kNinguno;
  int16_t seleccion = 0;
  bool conmapa = false;
  bool hayjugador = false;
  int16_t jugadorx = 0, jugadory = 0;
  std::array<Colocacion, kMaxUnits> listaenemigos{};

 private:
  // Where "Abrir" and "Guardar" open: nowhere in particular in the
  // portable folder; the player's own maps folder when installed.
  std::string carpetaDialogo();

  Services s_;
  platform::Folders carpetas_;
  const assets::Pictures& pics_;
  View& view_;
  std::unique_ptr<Celda[]> mapa_;
  media::Bitmap mainpic_;
  media::MapView campo_;  // the view, as last drawn
  std::string textoMouse_, textoMapa_;
  mapformat::MapData archivo_;  // files are read into and written from here
  std::string texto_;
};

}  // namespace editor
