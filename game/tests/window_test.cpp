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

TEST_F(Window, TitleSizeAndControls) {
  w.show();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarnwick quest 1.0"));
  EXPECT_EQ(w.centralWidget()->size(), QSize(720, 526));
  EXPECT_EQ(w.centralWidget()->y(), w.menuBar()->height());
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  EXPECT_FALSE(w.windowIcon().isNull());
  EXPECT_EQ(child("persona")->parentWidget(), child("mainpic"));
  for (const auto& [name, place] :
       {std::pair{"mainpic", QRect(0, 0, 720, 500)}, {"persona", QRect(8, 407, 87, 87)},
        {"exy", QRect(0, 504, 105, 17)}, {"labmapa", QRect(112, 504, 113, 17)},
        {"nenemigos", QRect(232, 504, 112, 17)}})
    EXPECT_EQ(child(name)->geometry(), place) << name;
  for (const auto& [name, place] :
       {std::pair{"nombre", QPoint(104, 410)}, {"enedata0", QPoint(608, 120)},
        {"enedata1", QPoint(608, 152)}, {"enedata2", QPoint(608, 168)}, {"enedata3", QPoint(608, 184)}})
    EXPECT_EQ(child(name)->pos(), place) << name;
}

TEST_F(Window, LabelsStartCaptionsAndFonts) {
  EXPECT_EQ(text("exy") + "|" + text("labmapa") + "|" + text("nenemigos") + "|" + text("nombre") +
                "|" + text("enedata0"),
            QStringLiteral("Persona|Mapa|Enemigos: ||"));
  for (const auto& [name, pixels] : {std::pair{"nombre", 12}, {"enedata2", 11}}) {
    const QFont font = child(name)->font();
    EXPECT_TRUE(font.bold()) << name;
    EXPECT_EQ(font.pixelSize(), pixels) << name;
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans")) << name;
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
    for (QAction* a : top->menu()->actions()) {
      names << a->text();
      EXPECT_TRUE(a->shortcut().isEmpty());
    }
  }
  EXPECT_EQ(names.join(","), QStringLiteral("Archivo:,Jugador Nuevo,Guardar,Cargar jugador,Cargar mapa,"
                                            "Salir,Ayuda:,Controles,Acerca..."));
  EXPECT_FALSE(w.findChild<QAction*>(QStringLiteral("mnumapa"))->isEnabled());
  EXPECT_TRUE(w.findChild<QAction*>(QStringLiteral("mnunuevo"))->isEnabled());
}
