#include "game/qt/mainwindow.h"

#include <QApplication>
#include <QLayout>
#include <QMenuBar>

#include "assets/loadpictures.h"

namespace game {

namespace {

// Fonts of the labels: the status text in bold 9-point Arial, the enemy
// lines in bold 8.25-point MS Sans Serif, the strip below in the regular
// 8.25-point face. Sizes in pixels at 96 dots per inch, so they look the
// same whatever the screen reports.
QFont fuente(const char* family, int pixels, bool bold) {
  QFont f(QString::fromLatin1(family));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

QLabel* etiqueta(QWidget* parent, const char* name, int x, int y, const QFont& font,
                 const QString& text = {}) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(QString::fromLatin1(name));
  // Screen readers (and the end-to-end tests) tell the labels apart by this.
  l->setAccessibleDescription(QString::fromLatin1(name));
  l->setFont(font);
  l->move(x, y);
  l->setTextFormat(Qt::PlainText);
  return l;
}

}  // namespace

MainWindow::MainWindow()
    : pictures_(assets::loadPictures()),
      dialogo_(this),
      messages_(this, QStringLiteral("Juego")),
      main_(Services{keys_, sound_, dialogoAntes_, mensajes_, files_, random_}, pictures_, *this) {
  setWindowTitle(QStringLiteral("Tarnwick quest 1.0"));
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
  maintimer_.start(100);
}

void MainWindow::buildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("main"));
  client->setFixedSize(kSurfaceWidth, 526);
  client->setAutoFillBackground(true);
  QPalette black = client->palette();
  black.setColor(QPalette::Window, Qt::black);
  black.setColor(QPalette::WindowText, Qt::white);
  client->setPalette(black);
  setCentralWidget(client);

  mainpic_ = new platform::QtSurface(main_.mainpic(), client);
  mainpic_->setObjectName(QStringLiteral("mainpic"));
  connect(mainpic_, &platform::QtSurface::pressed, this, [this](int x, int y) {
    main_.mainpic_MouseDown(x, y);
    flush();
  });
  QPalette ink = mainpic_->palette();
  ink.setColor(QPalette::WindowText, Qt::black);
  mainpic_->setPalette(ink);

  auto* persona = new QLabel(mainpic_);
  persona->setObjectName(QStringLiteral("persona"));
  persona->setGeometry(8, 407, 87, 87);
  persona->setFrameStyle(QFrame::Box | QFrame::Plain);
  persona->setLineWidth(1);
  persona->setAlignment(Qt::AlignCenter);
  persona->setPixmap(QPixmap(QStringLiteral(":/pictures/persona.png")));

  const QFont arial = fuente("Arial", 12, true);
  const QFont sansSerif = fuente("MS Sans Serif", 11, true);
  const QFont plain = fuente("MS Sans Serif", 11, false);
  auto at = [this](Etiqueta e, QLabel* l) { captions_[static_cast<std::size_t>(e)] = platform::QtCaption(l); };
  // The panels' labels span the rest of their panel, so a new text never
  // resizes them: only the label itself is painted again.
  QLabel* nombre = etiqueta(mainpic_, "nombre", 104, 410, arial);
  nombre->setGeometry(104, 410, kFieldWidth - 104, kSurfaceHeight - 410);
  nombre->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  at(Etiqueta::nombre, nombre);
  const char* enedata[] = {"enedata0", "enedata1", "enedata2", "enedata3"};
  const int enedataY[] = {120, 152, 168, 184};
  for (int i = 0; i < 4; ++i) {
    QLabel* l = etiqueta(mainpic_, enedata[i], 608, enedataY[i], sansSerif);
    l->setGeometry(608, enedataY[i], kSurfaceWidth - 608, 16);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    at(static_cast<Etiqueta>(static_cast<int>(Etiqueta::enedata0) + i), l);
  }

  const struct {
    Etiqueta which;
    const char* name;
    int x, width;
    const char* text;
  } strip[] = {{Etiqueta::exy, "exy", 0, 105, "Persona"},
               {Etiqueta::labmapa, "labmapa", 112, 113, "Mapa"},
               {Etiqueta::nenemigos, "nenemigos", 232, 112, "Enemigos: "}};
  for (const auto& s : strip) {
    QLabel* l = etiqueta(client, s.name, s.x, 504, plain, QString::fromLatin1(s.text));
    l->setFixedSize(s.width, 17);
    // Opaque on the black strip: a new text repaints the label alone.
    l->setAutoFillBackground(true);
    at(s.which, l);
  }
}

QAction* MainWindow::addItem(QMenu* menu, const char* name, const QString& text,
                             void (Main::*handler)()) {
  QAction* action = menu->addAction(text);
  action->setObjectName(QString::fromLatin1(name));
  connect(action, &QAction::triggered, this, [this, handler] {
    (main_.*handler)();
    flush();
  });
  return action;
}

void MainWindow::buildMenus() {
  QMenu* archivo = menuBar()->addMenu(QStringLiteral("Archivo"));
  archivo->setObjectName(QStringLiteral("mnuarchivo"));
  addItem(archivo, "mnunuevo", QStringLiteral("Jugador Nuevo"), &Main::mnunuevo_Click);
  addItem(archivo, "mnuguardar", QStringLiteral("Guardar"), &Main::mnuguardar_Click);
  addItem(archivo, "mnujugador", QStringLiteral("Cargar jugador"), &Main::mnujugador_Click);
  mnumapa_ = addItem(archivo, "mnumapa", QStringLiteral("Cargar mapa"), &Main::mnumapa_Click);
  addItem(archivo, "mnusalir", QStringLiteral("Salir"), &Main::mnusalir_Click);
  QMenu* ayuda = menuBar()->addMenu(QStringLiteral("Ayuda"));
  ayuda->setObjectName(QStringLiteral("mnuayuda"));
  addItem(ayuda, "mnucontroles", QStringLiteral("Controles"), &Main::mnucontroles_Click);
  addItem(ayuda, "mnuacerca", QStringLiteral("Acerca..."), &Main::mnuacerca_Click);
}

// No tick starts while another runs: a message box or dialog opened inside
// a tick runs a nested event loop, and a timer event handled there would act
// on half-updated state. Such events are dropped, not queued.
void MainWindow::tick() {
  if (enTick_) return;
  enTick_ = true;
  main_.maintimer_Timer();
  flush();
  enTick_ = false;
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

void MainWindow::present(const platform::Rect& c) { cambiado_ = platform::unite(cambiado_, c); }

void MainWindow::setMapMenuEnabled(bool enabled) { mnumapa_->setEnabled(enabled); }

void MainWindow::quit() {
  maintimer_.stop();
  close();
  QApplication::quit();
}

}  // namespace game
