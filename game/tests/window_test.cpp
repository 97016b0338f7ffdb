// The game window under the offscreen platform: title, size, every control
// at its place with its font and start caption, and the menus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "game/qt/mainwindow.h"
#include "platform/testing/qtapp.h"

namespace {

struct Window : QtAppTest {
  game::MainWindow w;
  template <typename T = QWidget>
  T* child(const char* name) {
    return w.findChild<T*>(QString::fromLatin1(name));
  }
};

}  // namespace

TEST_F(Window, TitleAndFixedClientArea) {
  w.show();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarnwick quest 1.0"));
  ASSERT_NE(w.centralWidget(), nullptr);
  EXPECT_EQ(w.centralWidget()->size(), QSize(720, 526));
  EXPECT_EQ(w.centralWidget()->y(), w.menuBar()->height());
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  EXPECT_FALSE(w.windowIcon().isNull());
}

TEST_F(Window, ControlsAtTheirPlaces) {
  w.show();
  EXPECT_EQ(child("mainpic")->geometry(), QRect(0, 0, 720, 500));
  EXPECT_EQ(child("persona")->geometry(), QRect(8, 407, 87, 87));
  EXPECT_EQ(child("persona")->parentWidget(), child("mainpic"));
  EXPECT_EQ(child("nombre")->pos(), QPoint(104, 410));
  EXPECT_EQ(child("enedata0")->pos(), QPoint(608, 120));
  EXPECT_EQ(child("enedata1")->pos(), QPoint(608, 152));
  EXPECT_EQ(child("enedata2")->pos(), QPoint(608, 168));
  EXPECT_EQ(child("enedata3")->pos(), QPoint(608, 184));
  EXPECT_EQ(child("exy")->geometry(), QRect(0, 504, 105, 17));
  EXPECT_EQ(child("labmapa")->geometry(), QRect(112, 504, 113, 17));
  EXPECT_EQ(child("nenemigos")->geometry(), QRect(232, 504, 112, 17));
}

TEST_F(Window, LabelsStartCaptionsAndFonts) {
  EXPECT_EQ(child<QLabel>("exy")->text(), QStringLiteral("Persona"));
  EXPECT_EQ(child<QLabel>("labmapa")->text(), QStringLiteral("Mapa"));
  EXPECT_EQ(child<QLabel>("nenemigos")->text(), QStringLiteral("Enemigos: "));
  EXPECT_TRUE(child<QLabel>("nombre")->text().isEmpty());
  EXPECT_TRUE(child<QLabel>("enedata0")->text().isEmpty());
  const QFont status = child("nombre")->font();
  EXPECT_TRUE(status.bold());
  EXPECT_EQ(status.pixelSize(), 12);
  EXPECT_EQ(QFontInfo(status).family(), QStringLiteral("Liberation Sans"));
  const QFont inspection = child("enedata2")->font();
  EXPECT_TRUE(inspection.bold());
  EXPECT_EQ(inspection.pixelSize(), 11);
  EXPECT_EQ(QFontInfo(inspection).family(), QStringLiteral("Liberation Sans"));
  EXPECT_EQ(child("exy")->palette().color(QPalette::WindowText), QColor(Qt::white));

  // The status text shows its line breaks as lines.
  w.setCaption(game::Etiqueta::nombre, "Nombre: A - Nivel 1\r\nVida: 1/1 - Pociones: 0");
  EXPECT_EQ(child<QLabel>("nombre")->text(),
            QStringLiteral("Nombre: A - Nivel 1\nVida: 1/1 - Pociones: 0"));
  EXPECT_GT(child("nombre")->height(), 2 * QFontMetrics(status).height() - 2);
}

TEST_F(Window, MenusInOrderWithoutShortcuts) {
  const QList<QAction*> top = w.menuBar()->actions();
  ASSERT_EQ(top.size(), 2);
  EXPECT_EQ(top[0]->text(), QStringLiteral("Archivo"));
  EXPECT_EQ(top[1]->text(), QStringLiteral("Ayuda"));
  QStringList archivo, ayuda;
  for (QAction* a : top[0]->menu()->actions()) {
    archivo << a->text();
    EXPECT_TRUE(a->shortcut().isEmpty());
  }
  for (QAction* a : top[1]->menu()->actions()) ayuda << a->text();
  EXPECT_EQ(archivo,
            (QStringList{"Jugador Nuevo", "Guardar", "Cargar jugador", "Cargar mapa", "Salir"}));
  EXPECT_EQ(ayuda, (QStringList{"Controles", "Acerca..."}));
  EXPECT_FALSE(w.findChild<QAction*>(QStringLiteral("mnumapa"))->isEnabled());
  EXPECT_TRUE(w.findChild<QAction*>(QStringLiteral("mnunuevo"))->isEnabled());
}

// A message box opened inside a tick runs a nested event loop; a timer tick
// handled there must be dropped, not run over the half-done one.
TEST_F(Window, NoTickStartsWhileAnotherRuns) {
  game::Main& m = w.rules();
  m.conjugador = m.conmapa = true;
  m.jugador.nombre = "nadie";
  m.maxx = 29;
  m.maxy = 19;
  w.show();

  int most = 0, boxes = 0;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    int open = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (qobject_cast<QMessageBox*>(top) && top->isVisible()) ++open;
    most = std::max(most, open);
    // G again as soon as play has the keyboard back: every tick saves.
    if (open == 0) {
      w.activateWindow();
      QTest::keyPress(&w, Qt::Key_G);
    }
    // Leave each box open for a few ticks, then answer it.
    static QElapsedTimer since;
    if (open == 0) {
      since.invalidate();
    } else if (!since.isValid()) {
      since.start();
      ++boxes;
    } else if (since.elapsed() > 350) {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
    }
  });
  watch.start(20);
  QElapsedTimer run;
  run.start();
  while (run.elapsed() < 1500) QApplication::processEvents(QEventLoop::AllEvents, 20);
  QTest::keyRelease(&w, Qt::Key_G);
  watch.stop();
  EXPECT_GE(boxes, 2);
  EXPECT_EQ(most, 1);
}
