// The Qt side of the seam, offscreen: keys fed as events, modal boxes and
// file dialogs answered from a timer while they run, pictures and sound.
// The end-to-end tests cover what needs a real X server: autorepeat, the
// Spanish dialog titles, typing into them, pictures on screen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/qt/qtfiledialog.h"
#include "platform/qt/qtimage.h"
#include "platform/qt/qtkeys.h"
#include "platform/qt/qtmessages.h"
#include "platform/qt/qtsound.h"
#include "platform/testing/qtapp.h"
#include "platform/testing/wav.h"

namespace vk = platform::vk;

namespace {

void send(QWidget* to, QEvent::Type type, Qt::Key key, bool repeat = false) {
  QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "", repeat);
  QApplication::sendEvent(to, &event);
}

// Runs answer on the modal dialog that opens within the next second.
void answerNext(std::function<void(QWidget*)> answer, int tries = 100) {
  QTimer::singleShot(10, [=] {
    if (QWidget* modal = QApplication::activeModalWidget()) answer(modal);
    else if (tries > 0) answerNext(answer, tries - 1);
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

TEST_F(QtTest, KeysTheRulesUseReachTheTrackerAndTheWindow) {
  for (const auto& [qt, code] : {std::pair{Qt::Key_Left, vk::Left}, {Qt::Key_Up, vk::Up},
                                {Qt::Key_Right, vk::Right}, {Qt::Key_Down, vk::Down},
                                {Qt::Key_Space, vk::Space}, {Qt::Key_G, vk::G},
                                {Qt::Key_H, vk::H}, {Qt::Key_R, vk::R}, {Qt::Key_A, -1}}) {
    QTest::keyClick(&window, qt);  // tapped between two ticks
    EXPECT_EQ(platform::xlatekey(qt), code);
    EXPECT_EQ(keys.pressed(code), code >= 0) << code;
  }
  EXPECT_EQ(window.text(), " ghra");  // nothing swallowed
  // X autorepeat sends release+press pairs while a key is held.
  send(&window, QEvent::KeyPress, Qt::Key_Right);
  send(&window, QEvent::KeyRelease, Qt::Key_Right, true);
  send(&window, QEvent::KeyPress, Qt::Key_Up, true);
  EXPECT_TRUE(keys.pressed(vk::Right) && keys.pressed(vk::Right));
  EXPECT_FALSE(keys.pressed(vk::Up));
}

TEST_F(QtTest, KeysCountOnlyWhileTheWindowIsActive) {
  QTest::keyPress(&window, Qt::Key_Up);
  QTest::keyPress(&window, Qt::Key_Left);
  EXPECT_TRUE(keys.pressed(vk::Up));
  QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);  // another program
  QApplication::sendEvent(qApp, &inactive);
  EXPECT_TRUE(keys.pressed(vk::Left));  // its press had not been seen yet
  EXPECT_FALSE(keys.pressed(vk::Left) || keys.pressed(vk::Up));

  keys.onlyWhileActive(&window);
  QWidget other;  // a dialog or a message box
  other.show();
  const auto activate = [](QWidget& w) {
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  };
  activate(window);
  QTest::keyPress(&window, Qt::Key_G);  // latched, not yet asked about
  activate(other);
  EXPECT_FALSE(keys.pressed(vk::G));  // dropped on losing activation
  QTest::keyPress(&other, Qt::Key_R);
  activate(window);
  EXPECT_FALSE(keys.pressed(vk::R));  // pressed elsewhere
  QTest::keyPress(&window, Qt::Key_Space);
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

// Space held in a fight when the end-of-level box opens: neither its
// repeats (flagged or not) nor its final release may answer the box; a
// press after the box appeared does.
TEST_F(QtTest, MessageIgnoresKeysHeldWhenItOpened) {
  std::string open;
  answerNext([&](QWidget* box) {
    const auto key = [&](QEvent::Type type, Qt::Key key, bool repeat) {
      send(qobject_cast<QMessageBox*>(box)->buttons()[0], type, key, repeat);
      open += box->isVisible() ? 'o' : 'c';
    };
    for (int i = 0; i < 3; ++i) {
      key(QEvent::KeyRelease, Qt::Key_Space, true);
      key(QEvent::KeyPress, Qt::Key_Space, true);
    }
    key(QEvent::KeyRelease, Qt::Key_Space, false);  // a repeat X failed to pair
    key(QEvent::KeyPress, Qt::Key_Space, false);
    key(QEvent::KeyPress, Qt::Key_Return, true);    // Return held as well
    key(QEvent::KeyRelease, Qt::Key_Space, false);  // let go at last
    QTest::qWait(150);
    key(QEvent::KeyPress, Qt::Key_Space, false);  // a new press answers
    key(QEvent::KeyRelease, Qt::Key_Space, false);
    if (box->isVisible()) qobject_cast<QDialog*>(box)->reject();
  });
  platform::QtMessages(&window, "Edit").show("Has terminado el nivel!", platform::Icon::Information);
  EXPECT_EQ(open, std::string(11, 'o') + 'c');
}

TEST_F(QtTest, FileDialogsProposeTheNameAndReplaceWithoutAsking) {
  QTemporaryDir dir;
  platform::QtFileDialog dialogs(&window);
  for (const bool save : {true, false}) {
    answerNext([&](QWidget* w) {
      auto* dialog = qobject_cast<QFileDialog*>(w);
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      EXPECT_EQ(dialog->directory(), QDir(dir.path()));
      EXPECT_EQ(name->text(), QStringLiteral("mundo.mapa"));
      // Qt's own dialog, the same on every desktop; the programs replace files without asking.
      EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
      EXPECT_EQ(dialog->testOption(QFileDialog::DontConfirmOverwrite), save);
      name->setText(QStringLiteral("otro.mapa"));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    const std::string proposed = dir.filePath("mundo.mapa").toStdString();
    const auto chosen = save ? dialogs.save(proposed) : dialogs.open(proposed);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path, dir.filePath("otro.mapa").toStdString());
    EXPECT_EQ(chosen->title, "otro.mapa");
  }
  answerNext([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
  EXPECT_EQ(dialogs.open(""), std::nullopt);
}

TEST_F(QtTest, PicturesLoadWithTheirExactColoursFromAnyPng) {
  QTemporaryDir dir;
  platform::Bitmap b(7, 1);
  b.pixels = {0xFFFFFFFF, 0xFF000000, 0xFF123456, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF010203};
  for (auto format : {QImage::Format_RGB32, QImage::Format_ARGB32, QImage::Format_Indexed8}) {
    ASSERT_TRUE(platform::toQImage(b).convertToFormat(format).save(dir.filePath("p.png")));
    EXPECT_EQ(platform::loadBitmap(dir.filePath("p.png")).pixels, b.pixels) << format;
  }
  EXPECT_TRUE(platform::loadBitmap(dir.filePath("missing.png")).empty());
}

// Sound never blocks or throws, whatever the path, and Qt's complaints
// about a missing audio device stay off the terminal.
TEST_F(QtTest, SoundPlaysOrSkipsAnyPathQuietly) {
  QTemporaryDir dir;
  ASSERT_TRUE(platform::testing::writeTone(dir.filePath("a.wav"), 440));
  qputenv("QT_FORCE_STDERR_LOGGING", "1");
  testing::internal::CaptureStderr();
  platform::QtSound sound;
  for (const QString& p : {dir.filePath("a.wav"), dir.filePath("no.wav"), QString("/")})
    sound.play(p.toStdString());
  QTest::qWait(300);
  qWarning("No audio device detected");
  qWarning("tarnwick marker");
  const std::string err = testing::internal::GetCapturedStderr();
  for (const char* noise : {"No audio device", "PulseAudioService", "QSoundEffect"})
    EXPECT_EQ(err.find(noise), std::string::npos) << err;
  EXPECT_NE(err.find("tarnwick marker"), std::string::npos) << err;
}
