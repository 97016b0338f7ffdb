// The Qt side of the seam, offscreen: keys fed as events, message boxes and
// the file dialog answered from a timer while they run, sound. The
// end-to-end tests cover what takes the real programs: the file dialogs
// typed into and saving over a file, and pictures on screen pixel for pixel.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QtGui/private/qhighdpiscaling_p.h>

#include "platform/qt/qtcaption.h"
#include "platform/qt/qtfiledialog.h"
#include "platform/qt/qtkeys.h"
#include "platform/qt/qtlayout.h"
#include "platform/qt/qtmessages.h"
#include "platform/qt/qtsound.h"
#include "platform/qt/qtsurface.h"
#include "platform/testing/qtapp.h"

namespace vk = platform::vk;

namespace {

void send(QWidget* to, QEvent::Type type, Qt::Key key, bool repeat = false) {
  QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "", repeat);
  QApplication::sendEvent(to, &event);
}

// Runs answer on the modal dialog that opens within the next second.
void answerNext(std::function<void(QWidget*)> answer, int tries = 100) {
  QTimer::singleShot(10, [=] {
    if (QWidget* modal = QApplication::activeModalWidget()) return answer(modal);
    if (tries > 0) answerNext(answer, tries - 1);
  });
}

// The window is a line edit, so it shows which keys reached it.
class QtTest : public QtAppTest {
 protected:
  void SetUp() override { window.show(); }
  QLineEdit window;
  platform::QtKeys keys;
};

}  // namespace

TEST_F(QtTest, KeysTheRulesUseCountWhileTheWindowIsActive) {
  const std::pair<int, int> table[] = {
      {Qt::Key_Left, vk::Left}, {Qt::Key_Up, vk::Up},       {Qt::Key_Right, vk::Right},
      {Qt::Key_Down, vk::Down}, {Qt::Key_Space, vk::Space}, {Qt::Key_G, vk::G},
      {Qt::Key_H, vk::H},       {Qt::Key_R, vk::R},         {Qt::Key_A, -1}};
  for (const auto& [qt, code] : table) EXPECT_EQ(platform::xlatekey(qt), code) << qt;
  // X autorepeat sends release+press pairs while a key is held.
  send(&window, QEvent::KeyPress, Qt::Key_Space);
  send(&window, QEvent::KeyRelease, Qt::Key_Space, true);
  send(&window, QEvent::KeyPress, Qt::Key_Up, true);
  EXPECT_TRUE(keys.pressed(vk::Space) && keys.pressed(vk::Space));
  EXPECT_FALSE(keys.pressed(vk::Up));
  EXPECT_EQ(window.text(), " ");  // the filter swallows nothing

  // Held keys are let go when the program or, with onlyWhileActive, the window loses the focus.
  send(&window, QEvent::KeyPress, Qt::Key_Up);
  EXPECT_TRUE(keys.pressed(vk::Up));
  QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);  // another program
  QApplication::sendEvent(qApp, &inactive);
  EXPECT_FALSE(keys.pressed(vk::Up));  // its release will never reach us

  keys.onlyWhileActive(&window);
  QWidget other;  // a dialog or a message box
  other.show();
  const auto focus = [](QWidget& w) { return w.activateWindow(), QTest::qWaitForWindowActive(&w); };
  ASSERT_TRUE(focus(window));
  send(&window, QEvent::KeyPress, Qt::Key_G);  // latched, not yet asked about
  ASSERT_TRUE(focus(other));
  send(&other, QEvent::KeyPress, Qt::Key_R);
  EXPECT_FALSE(keys.pressed(vk::G) || keys.pressed(vk::R));  // dropped; pressed elsewhere
  ASSERT_TRUE(focus(window));
  send(&window, QEvent::KeyPress, Qt::Key_Space);
  EXPECT_TRUE(keys.pressed(vk::Space));
}

TEST_F(QtTest, MessageHasTitleTextIconAndOneSpanishButton) {
  for (const auto& [ours, theirs] : {std::pair{platform::Icon::None, QMessageBox::NoIcon},
                                     {platform::Icon::Information, QMessageBox::Information},
                                     {platform::Icon::Critical, QMessageBox::Critical}}) {
    answerNext([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      EXPECT_EQ(box->windowTitle() + box->text(), "JuegoNivel 2\nGuardado");  // one line break
      EXPECT_EQ(box->icon(), theirs);
      ASSERT_EQ(box->buttons().size(), 1);
      EXPECT_EQ(box->buttons()[0]->text().remove('&'), QStringLiteral("Aceptar"));
      box->buttons()[0]->click();
    });
    platform::QtMessages(&window, "Juego").show("Nivel 2\r\nGuardado", ours);
  }
}

// The file dialog's own words that Qt's Spanish catalogue lacks or gets
// wrong, and the detail view: Spanish types and numbers, no heading cut.
TEST_F(QtTest, FileDialogIsSpanishToTheLastWord) {
  QTemporaryDir dir;
  QFile map(dir.filePath("uno.mapa"));
  ASSERT_TRUE(QDir(dir.path()).mkdir("mapas") &&
              map.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
              map.write(QByteArray(1536, 'x')) == 1536);
  QString texts;
  answerNext([&](QWidget* dialog) {
    const auto child = [&](const char* name) { return dialog->findChild<QWidget*>(name); };
    qobject_cast<QAbstractButton*>(child("detailModeButton"))->click();
    auto* tree = qobject_cast<QTreeView*>(child("treeView"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return tree->model()->rowCount(tree->rootIndex()) == 2; }));
    QTest::qWait(100);  // sorted, folders first, and laid out
    for (int c = 0; c < 4; ++c) {
      texts += tree->model()->headerData(c, Qt::Horizontal).toString() + "|";
      for (int r = 0; r < 2; ++r)
        texts += tree->model()->index(r, c, tree->rootIndex()).data().toString() + "|";
      EXPECT_GE(tree->header()->sectionSize(c), tree->header()->sectionSizeHint(c)) << c;
    }
    texts += child("fileNameLabel")->property("text").toString() +
             child("toParentButton")->accessibleDescription();
    qobject_cast<QDialog*>(dialog)->reject();
  });
  EXPECT_FALSE(platform::QtFileDialog(&window).open(map.fileName().toStdString()));
  const auto date = [&](const char* f) {
    return QFileInfo(dir.filePath(f)).lastModified().toString("dd/MM/yyyy HH:mm");
  };
  EXPECT_EQ(
      texts.toStdString(),
      ("Nombre|mapas|uno.mapa|Tamaño||1,5 kB|Tipo|Carpeta|Archivo mapa|Última modificación|" +
       date("mapas") + "|" + date("uno.mapa") + "|&Nombre de archivo:Ir al directorio superior")
          .toStdString());
}

// Space held in a fight when the end-of-level box opens: neither its
// repeats (flagged or not, the first news of it being a release) nor its
// final release may answer the box; a press after the box appeared does.
TEST_F(QtTest, MessageIgnoresKeysHeldWhenItOpened) {
  std::string open;
  answerNext([&](QWidget* box) {
    const auto key = [&](QEvent::Type type, Qt::Key key, bool repeat) {
      send(qobject_cast<QMessageBox*>(box)->buttons()[0], type, key, repeat);
      open += box->isVisible() ? 'o' : 'c';
    };
    key(QEvent::KeyRelease, Qt::Key_Space, false);  // a repeat X failed to pair comes first
    key(QEvent::KeyPress, Qt::Key_Space, false);
    key(QEvent::KeyRelease, Qt::Key_Space, true);
    key(QEvent::KeyPress, Qt::Key_Space, true);
    key(QEvent::KeyPress, Qt::Key_Return, true);    // Return held as well
    key(QEvent::KeyRelease, Qt::Key_Space, false);  // let go at last
    QTest::qWait(150);
    key(QEvent::KeyPress, Qt::Key_Space, false);  // a new press answers
    key(QEvent::KeyRelease, Qt::Key_Space, false);
    if (box->isVisible()) qobject_cast<QDialog*>(box)->reject();
  });
  platform::QtMessages(&window, "Edit").show("Nivel terminado", platform::Icon::Information);
  EXPECT_EQ(open, std::string(7, 'o') + 'c');
}

// Sound never blocks or throws, whatever the path, and Qt's complaints
// about a missing audio device stay off the terminal, and only those.
TEST_F(QtTest, SoundPlaysOrSkipsAnyPathQuietly) {
  testing::internal::CaptureStderr();
  platform::QtSound sound;
  for (const char* path : {"/no/such.wav", "/", ""}) sound.play(path);
  qWarning("No audio device detected");
  qWarning("tarnwick marker");
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_TRUE(err.find("No audio device") == std::string::npos &&
              err.find("tarnwick marker") != std::string::npos)
      << err;
}

// At a fractional display scale a position is the pixel it falls in, not the
// nearest: 599.6 is still the field's last column, and -0.4 is left of it.
TEST_F(QtTest, MousePositionsAreThePixelTheyFallIn) {
  const QMouseEvent in(QEvent::MouseMove, QPointF(599.6, 399.5), QPointF(), Qt::NoButton,
                       Qt::NoButton, {});
  const QMouseEvent out(QEvent::MouseMove, QPointF(-0.4, -20.5), QPointF(), Qt::NoButton,
                        Qt::NoButton, {});
  EXPECT_TRUE(platform::QtSurface::pixel(&in) == QPoint(599, 399) &&
              platform::QtSurface::pixel(&out) == QPoint(-1, -21));
}

// Captions reach the label decoded from UTF-8 as Qt decodes it, once per
// apply, and only when they changed.
TEST_F(QtTest, CaptionsShowTheLastTextOnceDecoded) {
  const struct {
    std::string utf8;
    QString shown;
  } texts[] = {
      {"Nombre: Ana\r\nVida: 61/61", QStringLiteral("Nombre: Ana\nVida: 61/61")},
      {"ñandú \xF0\x9F\x90\x89 ¿sí?", QString::fromUtf8("ñandú \xF0\x9F\x90\x89 ¿sí?")},
      {"a\rb\n", QStringLiteral("a\rb\n")},
      // A lone continuation byte, a cut sequence, an overlong "/", a surrogate.
      {"x\x80y\xE2\x82", QStringLiteral("x\uFFFDy\uFFFD\uFFFD")},
      {"\xC0\xAF\xED\xA0\x80", QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD")},
      // The first and last of each length, and the surrogates' neighbours.
      {"\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4"
       "\x8F\xBF\xBF",
       QString::fromUtf8("\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF\xF0"
                         "\x90\x80\x80\xF4\x8F\xBF\xBF")},
      // Overlong forms, a surrogate's end, past U+10FFFF, bytes no sequence starts with.
      {"\xE0\x9F\xBF|\xF0\x8F\xBF\xBF|\xED\xBF\xBF|\xF4\x90\x80\x80|\xC1\xBF|\xF5\x80",
       QStringLiteral("\uFFFD\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD|"
                      "\uFFFD\uFFFD\uFFFD\uFFFD|\uFFFD\uFFFD|\uFFFD\uFFFD")},
      {"a\r", QStringLiteral("a\r")},
      {"a\r\n", QStringLiteral("a\n")},
      {"\x81\x80\x80\x80", QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD")},
      {std::string(300, 'x') + "\r\n\xC3\xB1", QString(300, u'x') + QStringLiteral("\n\u00F1")},
      {"", QString()},
  };
  QLabel label(QStringLiteral("Persona"));
  platform::QtCaption caption(&label);
  EXPECT_FALSE(caption.apply());  // nothing set yet: the label keeps its text
  for (const auto& t : texts) {
    caption.set("a passing text");
    caption.set(t.utf8);
    EXPECT_TRUE(caption.apply()) << t.utf8;
    EXPECT_EQ(label.text(), t.shown) << t.utf8;
    caption.set(t.utf8);
    EXPECT_FALSE(caption.apply()) << t.utf8;
  }
  // Another spelling of the text shown leaves the label alone.
  caption.set("a\r\nb");
  EXPECT_TRUE(caption.apply());
  caption.set("a\nb");
  EXPECT_FALSE(caption.apply());
}

// A label's first ink stands kInkLeft layout pixels into its box at every
// whole display scale, measured in the pixels the window shows: glyphs
// whose own bearing is less are moved right, to the device pixel.
TEST_F(QtTest, LabelsInkBeginsAtTheSameLayoutPixelAtAnyScale) {
  static const platform::Font faces[] = {{"MS Sans Serif", 11, false}, {"Arial", 13, true}};
  QScreen* screen = QGuiApplication::primaryScreen();
  for (int k = 1; k <= 3; ++k) {
    QHighDpiScaling::setScreenFactor(screen, k);
    for (const platform::Font& face : faces)
      for (const char* text : {"Persona", "jugador", "1", "Mapa", "W"}) {
        QWidget client;
        client.setFixedSize(60, 30);
        const platform::Label label{"t", {5, 4, 50, 20}, &face, 0x000000, true, 0xFFFFFF, text};
        QLabel* l = platform::makeLabel(&client, label);
        const QImage shot = client.grab().toImage();
        ASSERT_EQ(shot.width(), 60 * k);
        int first = -1;
        for (int x = 0; x < shot.width() && first < 0; ++x)
          for (int y = 0; y < shot.height(); ++y)
            if ((shot.pixel(x, y) & 0xFFFFFF) == 0) {
              first = x;
              break;
            }
        const bool moved = platform::inkShift(l->font(), l->text()[0], k) > 0;
        EXPECT_TRUE(moved ? first == (5 + platform::kInkLeft) * k
                          : first >= (5 + platform::kInkLeft) * k)
            << face.family << " '" << text << "' at k = " << k << ": first ink at " << first;
      }
  }
  QHighDpiScaling::setScreenFactor(screen, 1);
}
