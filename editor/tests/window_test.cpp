// The editor's windows under the offscreen platform: layout, palettes,
// menus and the new-map dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include "editor/qt/principalwindow.h"
#include "platform/testing/qtapp.h"

namespace {

struct Window : QtAppTest {
  editor::PrincipalWindow w;
  QWidget* child(const char* name) const {
    return w.findChild<QWidget*>(QString::fromLatin1(name));
  }
  QString text(const char* name) const {
    return w.findChild<QLabel*>(QString::fromLatin1(name))->text();
  }
};

}  // namespace

TEST_F(Window, LayoutPalettesAndLabels) {
  w.show();
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarnwick Editor"));
  EXPECT_EQ(w.centralWidget()->size(), QSize(714, 428));
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  EXPECT_EQ(child("mainpic")->geometry(), QRect(0, 0, 600, 400));
  const struct {
    const char* name;
    QRect at;
  } places[] = {{"terr0", {632, 32, 24, 24}},     {"terr1", {664, 32, 24, 24}},
                {"terr2", {632, 64, 24, 24}},     {"terr3", {664, 64, 24, 24}},
                {"pers", {648, 128, 24, 24}},     {"enem0", {616, 192, 24, 24}},
                {"enem1", {648, 192, 24, 24}},    {"enem2", {680, 192, 24, 24}},
                {"Label1_0", {624, 8, 64, 16}},   {"Label1_1", {624, 104, 72, 16}},
                {"Label1_2", {624, 168, 70, 16}}, {"mousecap", {40, 408, 121, 17}},
                {"mapcap", {184, 408, 137, 17}}};
  for (const auto& p : places) {
    ASSERT_NE(child(p.name), nullptr) << p.name;
    EXPECT_EQ(child(p.name)->geometry(), p.at) << p.name;
  }
  for (const char* b : {"terr0", "terr3", "pers", "enem2"}) {
    const auto* button = w.findChild<QToolButton*>(QString::fromLatin1(b));
    EXPECT_EQ(button->iconSize(), QSize(20, 20));
    EXPECT_FALSE(button->icon().isNull()) << b;
  }
  EXPECT_EQ(text("Label1_0"), QStringLiteral("Terrenos"));
  EXPECT_EQ(text("Label1_1"), QStringLiteral("Personaje"));
  EXPECT_EQ(text("Label1_2"), QStringLiteral("Enemigos"));
  EXPECT_TRUE(child("Label1_2")->font().bold());
  EXPECT_EQ(text("mousecap"), QStringLiteral("Mouse"));
  EXPECT_EQ(text("mapcap"), QStringLiteral("Mapa"));

  // The palettes set the tool.
  w.findChild<QToolButton*>(QStringLiteral("enem2"))->click();
  EXPECT_EQ(w.rules().modo, editor::kEnemigo);
  EXPECT_EQ(w.rules().seleccion, 2);
  w.findChild<QToolButton*>(QStringLiteral("terr1"))->click();
  EXPECT_EQ(w.rules().modo, editor::kTerreno);
  EXPECT_EQ(w.rules().seleccion, 1);
}

TEST_F(Window, Menus) {
  const QList<QAction*> top = w.menuBar()->actions();
  ASSERT_EQ(top.size(), 2);
  QStringList archivo, ayuda;
  for (QAction* a : top[0]->menu()->actions()) archivo << a->text();
  for (QAction* a : top[1]->menu()->actions()) ayuda << a->text();
  EXPECT_EQ(top[0]->text(), QStringLiteral("Archivo"));
  EXPECT_EQ(archivo, (QStringList{"Nuevo", "Abrir", "Guardar", "Salir"}));
  EXPECT_EQ(ayuda, (QStringList{"Manual de usuario", "Acerca..."}));
}

TEST_F(Window, NewMapDialog) {
  w.show();
  w.mnunuevo_Click();
  editor::NewwDialog* d = w.neww();
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->windowTitle(), QStringLiteral("Nuevo Mapa"));
  EXPECT_FALSE(d->isModal());
  EXPECT_EQ(d->size(), QSize(252, 123));
  EXPECT_EQ(d->palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(d->ancho()->geometry(), QRect(88, 32, 129, 21));
  EXPECT_EQ(d->alto()->geometry(), QRect(88, 64, 129, 21));
  EXPECT_EQ(d->findChild<QPushButton*>(QStringLiteral("crear"))->geometry(),
            QRect(80, 96, 105, 17));
  EXPECT_EQ(d->findChild<QLabel*>(QStringLiteral("Label1"))->text(),
            QStringLiteral("Seleccione el tamaño del mapa"));
  EXPECT_EQ(d->ancho()->currentText(), QStringLiteral("30"));
  EXPECT_EQ(d->alto()->currentText(), QStringLiteral("20"));
  EXPECT_EQ(d->ancho()->count(), 11);
  EXPECT_EQ(d->alto()->count(), 12);
  EXPECT_EQ(d->alto()->itemText(11), QStringLiteral("200"));
  EXPECT_TRUE(d->ancho()->isEditable());
  // A second "Nuevo" keeps what was typed.
  d->ancho()->setEditText(QStringLiteral("45"));
  w.mnunuevo_Click();
  EXPECT_EQ(w.neww(), d);
  EXPECT_EQ(d->ancho()->currentText(), QStringLiteral("45"));
  // "Crear" makes the map and closes the dialog.
  d->findChild<QPushButton*>(QStringLiteral("crear"))->click();
  QApplication::processEvents();
  EXPECT_TRUE(w.rules().conmapa);
  EXPECT_EQ(w.rules().maxx, 44);
  EXPECT_EQ(w.rules().maxy, 19);
  EXPECT_TRUE(w.neww() == nullptr || !w.neww()->isVisible());
}

TEST_F(QtAppTest, RefusedSizeKeepsTheDialogAndItsTexts) {
  int creados = 0, rechazos = 0;
  editor::NewwDialog d(
      nullptr, [&](int16_t, int16_t) { ++creados; }, [&] { ++rechazos; });
  d.ancho()->setEditText(QStringLiteral("29"));
  d.show();
  d.crear_Click();
  d.alto()->setEditText(QStringLiteral("letras"));
  d.ancho()->setEditText(QStringLiteral("30"));
  d.crear_Click();
  EXPECT_EQ(rechazos, 2);
  EXPECT_EQ(creados, 0);
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(d.alto()->currentText(), QStringLiteral("letras"));
}
