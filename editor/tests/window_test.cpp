// The editor's windows under the offscreen platform: layout and menus, the
// timer's repaints, and the new-map dialog. Palettes, menu items and the dialog's
// "Crear" are also driven end to end in tests/e2e.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QMessageBox>
#include <QTest>

#include "editor/qt/principalwindow.h"
#include "platform/testing/qtapp.h"

// Failures show texts as texts.
void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

struct Window : QtAppTest, QObject {
  editor::PrincipalWindow w;
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint;
    return false;
  }
  // "@x,y,w,h", where a widget lies in its parent.
  static QString at(const QWidget* x) {
    const QRect g = x->geometry();
    return QString("@%1,%2,%3,%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
  }
};

TEST_F(Window, TimerLayoutMenusAndTheNewMapDialog) {
  w.show();
  EXPECT_TRUE(w.windowTitle() == "Tarnwick Editor" && w.minimumSize() == w.maximumSize());
  EXPECT_EQ(w.centralWidget()->size(), QSize(714, 428));
  EXPECT_EQ(at(w.findChild<QWidget*>("mainpic")), "@0,0,600,400");
  QStringList texts;
  for (auto* label : w.findChildren<QLabel*>()) texts << label->text() + at(label);
  for (QAction* menu : w.menuBar()->actions()) {
    texts << menu->text() + ":";
    for (QAction* item : menu->menu()->actions()) texts << item->text();
  }
  EXPECT_EQ(texts.join('|'),
            "Terrenos@624,8,64,16|Personaje@624,104,72,16|Enemigos@624,168,70,16|"
            "Mouse@40,408,121,17|Mapa@184,408,137,17|Archivo:|Nuevo|Abrir|Guardar|Salir|"
            "Ayuda:|Manual de usuario|Acerca...");

  // Every 100 ms tick redraws the map view.
  w.rules().nuevomapa(30, 20);
  QApplication::processEvents();
  w.findChild<QWidget*>("mainpic")->installEventFilter(this);
  QTest::qWait(2050);
  EXPECT_GE(paints, 10);  // twenty ticks; a busy machine may merge a few repaints

  w.mnunuevo_Click();
  editor::NewwDialog* d = w.neww();
  EXPECT_TRUE(d->windowTitle() == "Nuevo Mapa" && !d->isModal() && d->size() == QSize(252, 123));
  EXPECT_EQ(at(d->ancho()) + at(d->alto()) + at(d->findChild<QWidget*>("crear")),
            "@88,32,129,21@88,64,129,21@80,96,105,17");
  EXPECT_TRUE(d->ancho()->isEditable() && d->ancho()->count() == 11 && d->alto()->count() == 12);
  // A refused size is said in the editor's box and leaves the dialog open.
  QString box;
  QTimer::singleShot(0, [&] {
    if (auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      box = m->windowTitle() + ": " + m->text() + (m->icon() == QMessageBox::Critical ? "(x)" : "");
      m->accept();
    }
  });
  d->ancho()->setEditText("29");
  d->crear_Click();
  EXPECT_EQ(box, "Edit: El tamaño no es válido(x)");
  // Another "Nuevo" brings the open dialog as it is; once "Crear" has made
  // the map and closed it, the next "Nuevo" starts afresh.
  d->ancho()->setEditText("45");
  w.mnunuevo_Click();
  EXPECT_TRUE(w.neww() == d && d->isVisible() && d->ancho()->currentText() == "45");
  d->crear_Click();
  EXPECT_TRUE(w.rules().maxx == 44 && !d->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  w.mnunuevo_Click();
  EXPECT_EQ(w.neww()->ancho()->currentText() + "x" + w.neww()->alto()->currentText(), "30x20");
}
