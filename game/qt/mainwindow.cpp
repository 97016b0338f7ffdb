#include "game/qt/mainwindow.h"

#include <QApplication>
#include <QLayout>
#include <QMenuBar>

#include "assets/loadpictures.h"
#include "game/layout.h"
#include "platform/qt/qtlayout.h"
#include "platform/qt/qtimage.h"

namespace game {

MainWindow::MainWindow()
    : pictures_(assets::loadPictures()),
      dialogo_(this),
      messages_(this, QString::fromUtf8(layout::kAplicacion)),
      main_(Services{keys_, sound_, dialogoAntes_, mensajes_, files_, random_}, pictures_, *this) {
  setWindowTitle(QString::fromUtf8(layout::kTitulo));
  setWindowIcon(QIcon(QStringLiteral(":/pictures/icono_juego.png")));
  // Keys act on play only while this window is the active one: a G typed
  // into the save dialog must not save once the dialog has closed.
  keys_.onlyWhileActive(this);
  buildControls();
  buildMenus();
  // The player cannot resize the window: it is as big as its contents.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  main_.Form_Load();
  flush();
  connect(&maintimer_, &QTimer::timeout, this, &MainWindow::tick);
  maintimer_.start(layout::kIntervaloTimer);
}

void MainWindow::buildControls() {
  QWidget* client =
      platform::makeClient(this, "main", layout::kAncho, layout::kAlto, layout::kFondo);

  mainpic_ = new platform::QtSurface(main_.mainpic(), client);
  mainpic_->setObjectName(QStringLiteral("mainpic"));
  connect(mainpic_, &platform::QtSurface::pressed, this, [this](int x, int y) {
    main_.mainpic_MouseDown(x, y);
    flush();
  });

  // The portrait in its frame, drawn as on Windows: one black line, the picture inside.
  const platform::Box& marco = layout::kMarcoRetrato;
  media::Bitmap retrato(marco.w, marco.h, 0xFF000000);
  media::copy(retrato, 1, 1,
              platform::loadBitmap(
                  QStringLiteral(":/pictures/%1.png").arg(QString::fromUtf8(layout::kRetrato))));
  new platform::QtPicture(mainpic_, layout::kRetrato, marco, platform::toQImage(retrato));

  for (std::size_t i = 0; i < layout::kEtiquetas.size(); ++i) {
    const platform::Label& e = layout::kEtiquetas[i];
    // The panels' labels lie on the drawing surface, the strip's below it.
    QWidget* sobre = e.box.y < kSurfaceHeight ? static_cast<QWidget*>(mainpic_) : client;
    captions_[i] = platform::QtCaption(platform::makeLabel(sobre, e));
  }
}

void MainWindow::buildMenus() {
  platform::makeMenus<Main>(menuBar(), layout::kMenus, [this](void (Main::*handler)()) {
    (main_.*handler)();
    flush();
  });
  mnumapa_ = menuBar()->findChild<QAction*>(QStringLiteral("mnumapa"));
}

// A timer event handled in a box's nested event loop is dropped (ticker.h).
void MainWindow::tick() {
  ticker_.run([this] {
    main_.maintimer_Timer();
    flush();
  });
}

void MainWindow::flush() {
  for (platform::QtCaption& c : captions_) c.apply();
  if (!cambiado_.empty()) mainpic_->update(cambiado_.x, cambiado_.y, cambiado_.w, cambiado_.h);
  cambiado_ = {};
}

void MainWindow::Mensajes::show(const std::string& text, platform::Icon icon) {
  w.flush();
  w.messages_.show(text, icon);
}

std::optional<platform::FileChoice> MainWindow::Dialogo::open(const std::string& proposed) {
  w.flush();
  return w.dialogo_.open(proposed);
}

std::optional<platform::FileChoice> MainWindow::Dialogo::save(const std::string& proposed) {
  w.flush();
  return w.dialogo_.save(proposed);
}

void MainWindow::setCaption(Etiqueta which, const std::string& text) {
  captions_[static_cast<std::size_t>(which)].set(text);
}

void MainWindow::present(const media::Rect& c) { cambiado_ = media::unite(cambiado_, c); }

void MainWindow::setMapMenuEnabled(bool enabled) { mnumapa_->setEnabled(enabled); }

void MainWindow::quit() {
  maintimer_.stop();
  close();
  QApplication::quit();
}

}  // namespace game
