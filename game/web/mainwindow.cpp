#include "game/web/mainwindow.h"

#include "assets/loadpictures.h"
#include "game/layout.h"

namespace game {

MainWindow::MainWindow()
    : pictures_(assets::loadPictures()),
      messages_(layout::kAplicacion),
      main_(Services{keys_, sound_, dialogo_, messages_, files_, random_}, pictures_, *this) {
  namespace web = platform::web;
  web::window(layout::kTitulo, layout::kAplicacion, layout::kAncho, layout::kAlto, layout::kFondo,
              "icono_juego", layout::kIntervaloTimer);
  web::menus<Main>(layout::kMenus);
  web::picture("mainpic", 0, 0, main_.mainpic());
  // The portrait in its frame, drawn as on Windows: one black line, the picture inside.
  const platform::Box& marco = layout::kMarcoRetrato;
  media::Bitmap retrato(marco.w, marco.h, 0xFF000000);
  media::copy(retrato, 1, 1, web::sitePicture(layout::kRetrato));
  web::picture(layout::kRetrato, marco.x, marco.y, retrato);
  for (std::size_t i = 0; i < layout::kEtiquetas.size(); ++i) {
    web::label(layout::kEtiquetas[i]);
    captions_[i] = layout::kEtiquetas[i].text;
  }
  platform::setProgram(this);
  main_.Form_Load();
  web::ready();
}

void MainWindow::menu(std::size_t m, std::size_t k) {
  if (m < std::size(layout::kMenus) && k < layout::kMenus[m].items.size())
    (main_.*layout::kMenus[m].items[k].handler)();
}

void MainWindow::mouseDown(int x, int y) {
  if (x >= 0 && y >= 0 && x < kSurfaceWidth && y < kSurfaceHeight) main_.mainpic_MouseDown(x, y);
}

void MainWindow::setCaption(Etiqueta label, const std::string& text) {
  std::string& shown = captions_[static_cast<std::size_t>(label)];
  if (shown == text) return;
  shown = text;
  platform::web::caption(layout::etiqueta(label).name, shown);
}

void MainWindow::present(const media::Rect& changed) {
  platform::web::present("mainpic", main_.mainpic(), changed);
}

void MainWindow::setMapMenuEnabled(bool enabled) {
  for (const auto& item : layout::kArchivo)
    if (item.handler == &Main::mnumapa_Click) platform::web::menuEnabled(item.name, enabled);
}

// Nothing is saved; the page says the program has ended.
void MainWindow::quit() {
  if (ended_) return;
  ended_ = true;
  platform::setProgram(nullptr);
  platform::web::ended();
}

}  // namespace game
