// QtKeys fed with real QKeyEvents through the application, offscreen.
#include "platform/qt/qtkeys.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "platform/testing/qtapp.h"

namespace vk = platform::vk;

namespace {

class QtKeysTest : public QtAppTest {
 protected:
  void SetUp() override {
    testApp();
    keys = std::make_unique<platform::QtKeys>();
    window.resize(100, 100);
    window.show();
  }
  void send(QWidget* to, QEvent::Type type, int key, bool autoRepeat = false,
            const QString& text = {}) {
    QKeyEvent event(type, key, Qt::NoModifier, text, autoRepeat);
    QApplication::sendEvent(to, &event);
  }

  std::unique_ptr<platform::QtKeys> keys;
  QWidget window;
};

}  // namespace

TEST_F(QtKeysTest, PressAndReleaseReachTheTracker) {
  QTest::keyPress(&window, Qt::Key_Left);
  EXPECT_TRUE(keys->pressed(vk::Left));
  EXPECT_TRUE(keys->pressed(vk::Left));  // still held
  QTest::keyRelease(&window, Qt::Key_Left);
  EXPECT_FALSE(keys->pressed(vk::Left));

  QTest::keyClick(&window, Qt::Key_Space);  // tapped between two ticks
  EXPECT_TRUE(keys->pressed(vk::Space));
  EXPECT_FALSE(keys->pressed(vk::Space));
}

TEST_F(QtKeysTest, TranslatesEveryKeyTheRulesUse) {
  const std::pair<Qt::Key, int> table[] = {{Qt::Key_Left, vk::Left},   {Qt::Key_Up, vk::Up},
                                           {Qt::Key_Right, vk::Right}, {Qt::Key_Down, vk::Down},
                                           {Qt::Key_Space, vk::Space}, {Qt::Key_G, vk::G},
                                           {Qt::Key_H, vk::H},         {Qt::Key_R, vk::R}};
  for (const auto& [qt, code] : table) {
    QTest::keyClick(&window, qt);
    EXPECT_TRUE(keys->pressed(code)) << code;
  }
  // Lower-case letters arrive with the same key code and a lower-case text.
  send(&window, QEvent::KeyPress, Qt::Key_H, false, QStringLiteral("h"));
  send(&window, QEvent::KeyRelease, Qt::Key_H, false, QStringLiteral("h"));
  EXPECT_TRUE(keys->pressed(vk::H));
  // Keys the rules never ask about leave every code untouched.
  QTest::keyClick(&window, Qt::Key_A);
  QTest::keyClick(&window, Qt::Key_Escape);
  for (int code = 0; code < 256; ++code) EXPECT_FALSE(keys->pressed(code)) << code;
}

TEST_F(QtKeysTest, AutoRepeatIsIgnored) {
  QTest::keyPress(&window, Qt::Key_Right);
  EXPECT_TRUE(keys->pressed(vk::Right));
  // X sends release+press pairs while a key is held.
  for (int i = 0; i < 3; ++i) {
    send(&window, QEvent::KeyRelease, Qt::Key_Right, true);
    send(&window, QEvent::KeyPress, Qt::Key_Right, true);
    EXPECT_TRUE(keys->pressed(vk::Right));
  }
  send(&window, QEvent::KeyRelease, Qt::Key_Right, true);
  EXPECT_TRUE(keys->pressed(vk::Right));  // an autorepeat release does not let go
  QTest::keyRelease(&window, Qt::Key_Right);
  EXPECT_FALSE(keys->pressed(vk::Right));
  // An autorepeat press alone does not press either.
  send(&window, QEvent::KeyPress, Qt::Key_Up, true);
  EXPECT_FALSE(keys->pressed(vk::Up));
}

TEST_F(QtKeysTest, CountsWhileADialogHasFocusAndLetsEventsThrough) {
  QDialog dialog(&window);
  auto* edit = new QLineEdit(&dialog);
  (new QVBoxLayout(&dialog))->addWidget(edit);
  dialog.show();
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_H, Qt::NoModifier);
  EXPECT_TRUE(keys->pressed(vk::H));
  EXPECT_EQ(edit->text(), QStringLiteral("h"));  // the filter swallowed nothing
  QTest::keyPress(edit, Qt::Key_Down);
  EXPECT_TRUE(keys->pressed(vk::Down));
  QTest::keyRelease(edit, Qt::Key_Down);
}

TEST_F(QtKeysTest, DeactivationReleasesHeldKeys) {
  QTest::keyPress(&window, Qt::Key_Up);
  QTest::keyPress(&window, Qt::Key_Left);
  EXPECT_TRUE(keys->pressed(vk::Up));
  QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
  QApplication::sendEvent(qApp, &inactive);
  EXPECT_FALSE(keys->pressed(vk::Up));
  EXPECT_TRUE(keys->pressed(vk::Left));   // its press had not been seen yet
  EXPECT_FALSE(keys->pressed(vk::Left));  // but it is no longer held

  QTest::keyPress(&window, Qt::Key_Up);
  QApplicationStateChangeEvent active(Qt::ApplicationActive);
  QApplication::sendEvent(qApp, &active);
  EXPECT_TRUE(keys->pressed(vk::Up));
  EXPECT_TRUE(keys->pressed(vk::Up));  // activation alone releases nothing
}

TEST_F(QtKeysTest, OnlyWhileActiveCountsKeysOfThatWindowAlone) {
  keys->onlyWhileActive(&window);
  QWidget other;  // a dialog, a message box or another program
  other.resize(50, 50);
  other.show();
  const auto activate = [](QWidget& w) {
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  };
  activate(window);
  QTest::keyPress(&window, Qt::Key_G);  // latched, not yet asked about
  QTest::keyPress(&window, Qt::Key_Up);
  activate(other);
  EXPECT_FALSE(keys->pressed(vk::G));  // dropped on losing activation
  EXPECT_FALSE(keys->pressed(vk::Up));
  QTest::keyClick(&other, Qt::Key_H);  // typed elsewhere
  QTest::keyPress(&other, Qt::Key_R);
  EXPECT_FALSE(keys->pressed(vk::H));
  EXPECT_FALSE(keys->pressed(vk::R));
  activate(window);
  EXPECT_FALSE(keys->pressed(vk::R));
  QTest::keyPress(&window, Qt::Key_Space);
  EXPECT_TRUE(keys->pressed(vk::Space));
  QTest::keyRelease(&window, Qt::Key_Space);
}
