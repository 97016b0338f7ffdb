// The game window under the offscreen platform: title, size, every control
// at its place with its font and start caption, the menus, and what an
// idle tick costs.
#include <gtest/gtest.h>

#include <QMenuBar>

#include "game/qt/mainwindow.h"
#include "game/testing/scenes.h"
#include "platform/testing/allocations.h"
#include "platform/testing/qtapp.h"

struct Window : QtAppTest {
  game::MainWindow w;
  QWidget* child(const char* name) { return w.findChild<QWidget*>(QString::fromLatin1(name)); }
  QString text(const char* name) { return static_cast<QLabel*>(child(name))->text(); }
};

TEST_F(Window, TitleSizeLabelsAndMenus) {
  w.show();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarnwick quest 1.0"));
  EXPECT_EQ(w.centralWidget()->geometry(), QRect(0, w.menuBar()->height(), 720, 526));
  EXPECT_TRUE(w.minimumSize() == w.maximumSize() && !w.windowIcon().isNull());
  EXPECT_EQ(text("exy") + text("labmapa") + text("nenemigos") + text("nombre"),
            QStringLiteral("PersonaMapaEnemigos: "));
  // The panels' texts in bold Arial's stand-in, 9 and 8.25 points.
  const QFont status = child("nombre")->font(), enemy = child("enedata2")->font();
  EXPECT_TRUE(status.bold() && enemy.bold() && status.pixelSize() == 12 &&
              enemy.pixelSize() == 11 &&
              QFontInfo(status).family() == QStringLiteral("Liberation Sans"));
  // The status text shows its line breaks as lines.
  w.setCaption(game::Etiqueta::nombre, "Nombre: A - Nivel 1\r\nVida: 1/1 - Pociones: 0");
  w.flush();
  EXPECT_EQ(text("nombre"), QStringLiteral("Nombre: A - Nivel 1\nVida: 1/1 - Pociones: 0"));
  EXPECT_GT(child("nombre")->height(), 2 * QFontMetrics(child("nombre")->font()).height() - 2);
  // The menus in order, without shortcuts; "Cargar mapa" waits for a character.
  QStringList names;
  for (QAction* top : w.menuBar()->actions()) {
    names << top->text() + ":";
    for (QAction* a : top->menu()->actions())
      names << a->text() + (a->shortcut().isEmpty() ? "" : "!");
  }
  EXPECT_EQ(names.join(","),
            QStringLiteral("Archivo:,Jugador Nuevo,Guardar,Cargar jugador,Cargar mapa,"
                           "Salir,Ayuda:,Controles,Acerca..."));
  EXPECT_TRUE(!w.findChild<QAction*>("mnumapa")->isEnabled() &&
              w.findChild<QAction*>("mnunuevo")->isEnabled());
}

// Idle play shows nothing new: a tick through the whole window, its paint
// included, allocates nothing and paints nothing.
TEST_F(Window, AnIdleTickCostsNoAllocationAndNoPaint) {
  w.show();
  platform::testing::TempFiles files;
  files.put("mapas/prueba.mapa",
            gametest::mapa(40, 30, {"", "  @", "", "", "", "", "", "", "", "", ",,,T"}));
  game::Main& m = w.rules();
  gametest::heroeEn(m, files.path("mapas/prueba.mapa"));
  ASSERT_TRUE(m.conmapa);
  for (int i = 0; i < 10; ++i) {
    w.tick();
    QApplication::processEvents();
  }
  struct Paints : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      count += e->type() == QEvent::Paint;
      return false;
    }
  } paints;
  w.findChild<QWidget*>("mainpic")->installEventFilter(&paints);
  const long long before = platform::testing::allocations.load();
  for (int i = 0; i < 50; ++i) {
    w.tick();
    QApplication::processEvents();
  }
  EXPECT_EQ(platform::testing::allocations.load() - before, 0);
  EXPECT_EQ(paints.count, 0);
  EXPECT_EQ(static_cast<QLabel*>(child("exy"))->text(), QStringLiteral("Persona (2,1)"));
}
