// The game window under the offscreen platform: title, size, every control
// at its place with its font and start caption, and the menus.
#include <gtest/gtest.h>

#include <QMenuBar>

#include "game/qt/mainwindow.h"
#include "platform/testing/qtapp.h"

namespace {

struct Window : QtAppTest {
  game::MainWindow w;
  QWidget* child(const char* name) { return w.findChild<QWidget*>(QString::fromLatin1(name)); }
  QString text(const char* name) { return static_cast<QLabel*>(child(name))->text(); }
};

}  // namespace

TEST_F(Window, TitleSizeControlsAndFonts) {
  w.show();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarnwick quest 1.0"));
  EXPECT_EQ(w.centralWidget()->geometry(), QRect(0, w.menuBar()->height(), 720, 526));
  EXPECT_TRUE(w.minimumSize() == w.maximumSize() && !w.windowIcon().isNull());
  EXPECT_EQ(child("persona")->parentWidget(), child("mainpic"));
  // Each control's place and start caption; the panels' texts in bold Arial's stand-in.
  for (const auto& [name, place, caption, pixels] :
       {std::tuple{"mainpic", QRect(0, 0, 720, 500), "", 0}, {"persona", QRect(8, 407, 87, 87), "", 0},
        {"exy", QRect(0, 504, 105, 17), "Persona", 0}, {"labmapa", QRect(112, 504, 113, 17), "Mapa", 0},
        {"nenemigos", QRect(232, 504, 112, 17), "Enemigos: ", 0},
        {"nombre", QRect(104, 410, 0, 0), "", 12}, {"enedata0", QRect(608, 120, 0, 0), "", 11},
        {"enedata1", QRect(608, 152, 0, 0), "", 11}, {"enedata2", QRect(608, 168, 0, 0), "", 11},
        {"enedata3", QRect(608, 184, 0, 0), "", 11}}) {
    QWidget* c = child(name);
    EXPECT_EQ(place.width() ? c->geometry() : QRect(c->pos(), QSize(0, 0)), place) << name;
    if (auto* label = qobject_cast<QLabel*>(c)) {
      EXPECT_EQ(label->text(), QString::fromUtf8(caption)) << name;
    }
    if (!pixels) continue;
    EXPECT_TRUE(c->font().bold()) << name;
    EXPECT_EQ(c->font().pixelSize(), pixels) << name;
    EXPECT_EQ(QFontInfo(c->font()).family(), QStringLiteral("Liberation Sans")) << name;
  }
  EXPECT_EQ(child("exy")->palette().color(QPalette::WindowText), QColor(Qt::white));
  // The status text shows its line breaks as lines.
  w.setCaption(game::Etiqueta::nombre, "Nombre: A - Nivel 1\r\nVida: 1/1 - Pociones: 0");
  EXPECT_EQ(text("nombre"), QStringLiteral("Nombre: A - Nivel 1\nVida: 1/1 - Pociones: 0"));
  EXPECT_GT(child("nombre")->height(), 2 * QFontMetrics(child("nombre")->font()).height() - 2);
}

TEST_F(Window, MenusInOrderWithoutShortcuts) {
  QStringList names;
  for (QAction* top : w.menuBar()->actions()) {
    names << top->text() + ":";
    for (QAction* a : top->menu()->actions()) names << a->text() + (a->shortcut().isEmpty() ? "" : "!");
  }
  EXPECT_EQ(names.join(","), QStringLiteral("Archivo:,Jugador Nuevo,Guardar,Cargar jugador,Cargar mapa,"
                                            "Salir,Ayuda:,Controles,Acerca..."));
  EXPECT_FALSE(w.findChild<QAction*>(QStringLiteral("mnumapa"))->isEnabled());
  EXPECT_TRUE(w.findChild<QAction*>(QStringLiteral("mnunuevo"))->isEnabled());
}
