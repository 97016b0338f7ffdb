// The editor's windows under the offscreen platform: the layout, the
// timer's repaints, and the new-map dialog. Palettes, menu items and the dialog's
// "Crear" are also driven end to end in tests/e2e.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QLineEdit>
#include <QTest>
#include <QAbstractButton>

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

TEST_F(Window, TimerLayoutAndTheNewMapDialog) {
  w.show();
  QWidget* mainpic = w.findChild<QWidget*>("mainpic");
  EXPECT_TRUE(w.minimumSize() == w.maximumSize() && w.centralWidget()->size() == QSize(714, 428));
  QString texts = w.windowTitle() + at(mainpic);
  for (auto* label : w.findChildren<QLabel*>()) texts += "|" + label->text() + at(label);
  // What a screen reader says for each palette picture.
  for (auto* b : w.centralWidget()->findChildren<QAbstractButton*>())
    texts += "|" + b->accessibleName();
  EXPECT_EQ(texts,
            "Tarnwick Editor@0,0,600,400|Terrenos@624,8,64,16|Personaje@624,104,72,16|"
            "Enemigos@624,168,70,16|Mouse@40,408,121,17|Mapa@184,408,137,17|"
            "Pasto|Tierra|Árbol|Agua|Jugador|Mancha asesina|Rata voladora|Borrego mutante");

  // The 100 ms tick redraws the map view, and the window repaints only
  // what changed: an idle view costs no painting.
  w.rules().nuevomapa(30, 20);
  QApplication::processEvents();
  mainpic->installEventFilter(this);
  QTest::qWait(450);
  EXPECT_EQ(paints, 0);
  w.rules().mapa(3, 3).terreno = 2;
  QTest::qWait(250);
  EXPECT_GE(paints, 1);

  w.mnunuevo_Click();
  editor::NewwDialog* d = w.neww();
  EXPECT_TRUE(!d->isModal() && d->ancho()->isEditable() && d->size() == QSize(252, 123));
  EXPECT_EQ(d->windowTitle() + at(d->ancho()) + at(d->alto()) + at(d->findChild<QWidget*>("crear")),
            "Nuevo Mapa@88,32,129,21@88,64,129,21@80,96,105,17");
  // A refused size is said in the editor's box and leaves the dialog open.
  QString box;
  QTimer::singleShot(0, [&] {
    if (auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      box = m->windowTitle() + ": " + m->text() + (m->icon() == QMessageBox::Critical ? "(x)" : "");
      m->accept();
    }
  });
  // What is typed is what is checked: "10" is not completed to "100" from the list.
  QApplication::setActiveWindow(d);
  d->ancho()->setFocus();
  d->ancho()->lineEdit()->selectAll();
  QTest::keyClicks(d->ancho()->lineEdit(), "10");
  EXPECT_EQ(d->ancho()->currentText(), "10");
  d->crear_Click();
  EXPECT_EQ(box, "Edit: El tamaño no es válido(x)");
  // Another "Nuevo" brings the open dialog as it is; once "Crear" has made
  // the map and closed it, the next "Nuevo" starts afresh.
  d->ancho()->setEditText("45");
  w.mnunuevo_Click();
  EXPECT_TRUE(w.neww() == d && d->isVisible() && d->ancho()->currentText() == "45");
  QTest::keyClick(d->alto(), Qt::Key_Return);  // as good as "Crear"
  EXPECT_TRUE(w.rules().maxx == 44 && !d->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  w.mnunuevo_Click();
  EXPECT_EQ(w.neww()->ancho()->currentText() + "x" + w.neww()->alto()->currentText(), "30x20");
}
