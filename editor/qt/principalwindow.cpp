#include "editor/qt/principalwindow.h"

#include <QApplication>
#include <QLayout>
#include <QMenuBar>

#include "assets/loadpictures.h"
#include "editor/layout.h"
#include "platform/qt/qtimage.h"
#include "platform/qt/qtlayout.h"

namespace editor {

// The editor's labels, buttons and dialog use one small face.
QFont editorFont() { return platform::qtFont(layout::kLetra); }

PrincipalWindow::PrincipalWindow()
    : pictures_(assets::loadPictures()),
      dialogo_(this),
      messages_(this, QString::fromUtf8(layout::kAplicacion)),
      principal_(Services{keys_, dialogo_, messages_, files_}, pictures_, *this) {
  setWindowTitle(QString::fromUtf8(layout::kTitulo));
  setWindowIcon(QIcon(QStringLiteral(":/pictures/icono_editor.png")));
  setFont(editorFont());
  principal_.Form_Load();
  buildControls();
  buildMenus();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  // Its tick opens no box today; guarded all the same, as every window's is.
  connect(&maintimer_, &QTimer::timeout, this,
          [this] { ticker_.run([this] { principal_.maintimer_Timer(); }); });
  maintimer_.start(layout::kIntervaloTimer);
}

void PrincipalWindow::buildControls() {
  QWidget* client =
      platform::makeClient(this, "principal", layout::kAncho, layout::kAlto, layout::kFondo);

  mainpic_ = new platform::QtSurface(principal_.mainpic(), client);
  mainpic_->setObjectName(QStringLiteral("mainpic"));
  mainpic_->move(0, 0);
  mainpic_->setMouseTracking(true);
  connect(mainpic_, &platform::QtSurface::pressed, this,
          [this](int x, int y) { principal_.mainpic_MouseDown(x, y); });
  connect(mainpic_, &platform::QtSurface::moved, this,
          [this](int x, int y) { principal_.mainpic_MouseMove(x, y); });

  for (const platform::Label& t : layout::kTitulos) platform::makeLabel(client, t);

  for (std::size_t i = 0; i < layout::kBotones.size(); ++i) {
    const layout::Boton& b = layout::kBotones[i];
    const media::Bitmap picture =
        platform::loadBitmap(QStringLiteral(":/pictures/%1.png").arg(QString::fromUtf8(b.picture)));
    auto* boton =
        new platform::QtPictureButton(client, picture, layout::kLadoBoton, layout::kFondo);
    boton->setObjectName(QString::fromUtf8(b.name));
    // Said by screen readers only: the window shows pictures, never these names.
    boton->setAccessibleName(QString::fromUtf8(b.what));
    boton->move(b.x, b.y);
    connect(boton, &QAbstractButton::clicked, this, [this, i] { principal_.pulsarBoton(i); });
  }

  for (std::size_t i = 0; i < layout::kEtiquetas.size(); ++i)
    (i == static_cast<std::size_t>(Etiqueta::mousecap) ? mousecap_ : mapcap_) =
        platform::QtCaption(platform::makeLabel(client, layout::kEtiquetas[i]));
}

void PrincipalWindow::buildMenus() {
  platform::makeMenus<Principal>(menuBar(), layout::kMenus, [this](void (Principal::*handler)()) {
    if (handler)
      (principal_.*handler)();
    else
      mnunuevo_Click();  // "Nuevo" opens the window's own dialog
  });
}

void PrincipalWindow::mnunuevo_Click() {
  if (!neww_) {
    neww_ = new NewwDialog(this, principal_);
  }
  neww_->show();
  neww_->raise();
  neww_->activateWindow();
}

// The origin is set every tick and the mouse on every move: an unchanged
// caption costs a comparison, a changed one is decoded into kept buffers.
void PrincipalWindow::setCaption(Etiqueta label, const std::string& text) {
  platform::QtCaption& c = label == Etiqueta::mousecap ? mousecap_ : mapcap_;
  c.set(text);
  c.apply();
}

void PrincipalWindow::present(const media::Rect& c) {
  if (!c.empty()) mainpic_->update(c.x, c.y, c.w, c.h);
}

void PrincipalWindow::quit() {
  maintimer_.stop();
  close();
  QApplication::quit();
}

}  // namespace editor
