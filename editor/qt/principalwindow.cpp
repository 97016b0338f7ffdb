#include "editor/qt/principalwindow.h"

#include <QApplication>
#include <QLayout>
#include <QMenuBar>
#include <QToolButton>

#include "assets/loadpictures.h"

namespace editor {

// The editor's labels, buttons and dialog use one small face: 8.25-point
// MS Sans Serif at 96 dots per inch, drawn with Liberation Sans.
QFont editorFont() {
  QFont f(QStringLiteral("MS Sans Serif"));
  f.setPixelSize(11);
  return f;
}

PrincipalWindow::PrincipalWindow()
    : pictures_(assets::loadPictures()),
      dialogo_(this),
      messages_(this, QStringLiteral("Edit")),
      principal_(Services{keys_, dialogo_, messages_, files_}, pictures_, *this) {
  setWindowTitle(QStringLiteral("Tarnwick Editor"));
  setWindowIcon(QIcon(QStringLiteral(":/pictures/icono_editor.png")));
  setFont(editorFont());
  principal_.Form_Load();
  buildControls();
  buildMenus();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  connect(&maintimer_, &QTimer::timeout, this, [this] { principal_.maintimer_Timer(); });
  maintimer_.start(100);
}

QToolButton* PrincipalWindow::paleta(const char* name, const char* picture, const QString& what,
                                     int x, int y) {
  auto* b = new QToolButton(centralWidget());
  b->setObjectName(QString::fromLatin1(name));
  // Said by screen readers only: the window shows pictures, never these names.
  b->setAccessibleName(what);
  b->setGeometry(x, y, 24, 24);
  b->setIcon(QIcon(QStringLiteral(":/pictures/%1.png").arg(QString::fromLatin1(picture))));
  b->setIconSize(QSize(20, 20));
  b->setFocusPolicy(Qt::NoFocus);  // the arrows belong to scrolling
  return b;
}

void PrincipalWindow::buildControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("principal"));
  client->setFixedSize(714, 428);
  setCentralWidget(client);

  mainpic_ = new platform::QtSurface(principal_.mainpic(), client);
  mainpic_->setObjectName(QStringLiteral("mainpic"));
  mainpic_->move(0, 0);
  mainpic_->setMouseTracking(true);
  connect(mainpic_, &platform::QtSurface::pressed, this,
          [this](int x, int y) { principal_.mainpic_MouseDown(x, y); });
  connect(mainpic_, &platform::QtSurface::moved, this,
          [this](int x, int y) { principal_.mainpic_MouseMove(x, y); });

  const struct {
    const char* name;
    const char* text;
    int y, w;
  } titulos[] = {{"Label1_0", "Terrenos", 8, 64},
                 {"Label1_1", "Personaje", 104, 72},
                 {"Label1_2", "Enemigos", 168, 70}};
  for (const auto& t : titulos) {
    auto* l = new QLabel(QString::fromLatin1(t.text), client);
    l->setObjectName(QString::fromLatin1(t.name));
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    l->setGeometry(624, t.y, t.w, 16);
  }

  const struct {
    const char* name;
    const char* picture;
    const char* what;
    int x, y;
  } terrenos[] = {{"terr0", "paleta_pasto", "Pasto", 632, 32},
                  {"terr1", "paleta_tierra", "Tierra", 664, 32},
                  {"terr2", "paleta_arbol", "Árbol", 632, 64},
                  {"terr3", "paleta_agua", "Agua", 664, 64}};
  for (int i = 0; i < 4; ++i) {
    const auto& t = terrenos[i];
    connect(paleta(t.name, t.picture, QString::fromUtf8(t.what), t.x, t.y), &QToolButton::clicked,
            this, [this, i] { principal_.terr_Click(i); });
  }
  connect(paleta("pers", "paleta_jugador", QStringLiteral("Jugador"), 648, 128),
          &QToolButton::clicked, this, [this] { principal_.pers_Click(); });
  // The game's names of the three kinds of enemy.
  const char* enemigos[] = {"Mancha asesina", "Rata voladora", "Borrego mutante"};
  for (int i = 0; i < 3; ++i) {
    const std::string name = "enem" + std::to_string(i);
    const std::string picture = "paleta_enemigo" + std::to_string(i);
    connect(paleta(name.c_str(), picture.c_str(), QString::fromLatin1(enemigos[i]), 616 + 32 * i, 192),
            &QToolButton::clicked, this, [this, i] { principal_.enem_Click(i); });
  }

  const struct {
    platform::QtCaption& caption;
    const char* name;
    const char* text;
    int x, width;
  } captions[] = {{mousecap_, "mousecap", "Mouse", 40, 121}, {mapcap_, "mapcap", "Mapa", 184, 137}};
  for (const auto& c : captions) {
    auto* l = new QLabel(QString::fromLatin1(c.text), client);
    l->setObjectName(QString::fromLatin1(c.name));
    l->setAccessibleDescription(QString::fromLatin1(c.name));
    l->setGeometry(c.x, 408, c.width, 17);
    c.caption = platform::QtCaption(l);
  }
}

void PrincipalWindow::buildMenus() {
  QMenu* archivo = menuBar()->addMenu(QStringLiteral("Archivo"));
  archivo->setObjectName(QStringLiteral("mnuarchivo"));
  auto item = [this](QMenu* menu, const char* name, const QString& text, auto handler) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, handler);
  };
  item(archivo, "mnunuevo", QStringLiteral("Nuevo"), [this] { mnunuevo_Click(); });
  item(archivo, "mnuabrir", QStringLiteral("Abrir"), [this] { principal_.mnuabrir_Click(); });
  item(archivo, "mnuguardar", QStringLiteral("Guardar"), [this] { principal_.mnuguardar_Click(); });
  item(archivo, "mnusalir", QStringLiteral("Salir"), [this] { principal_.mnusalir_Click(); });
  QMenu* ayuda = menuBar()->addMenu(QStringLiteral("Ayuda"));
  ayuda->setObjectName(QStringLiteral("mnuayuda"));
  item(ayuda, "mnumanual", QStringLiteral("Manual de usuario"),
       [this] { principal_.mnumanual_Click(); });
  item(ayuda, "mnuacerca", QStringLiteral("Acerca..."), [this] { principal_.mnuacerca_Click(); });
}

void PrincipalWindow::mnunuevo_Click() {
  if (!neww_) {
    neww_ = new NewwDialog(
        this, [this](int16_t w, int16_t h) { principal_.nuevomapa(w, h); },
        [this] { messages_.show("El tamaño no es válido", platform::Icon::Critical); });
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

void PrincipalWindow::present(const platform::Rect& c) {
  if (!c.empty()) mainpic_->update(c.x, c.y, c.w, c.h);
}

void PrincipalWindow::quit() {
  maintimer_.stop();
  close();
  QApplication::quit();
}

}  // namespace editor
