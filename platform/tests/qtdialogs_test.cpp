// Message boxes and file dialogs, answered from a timer while they run modal.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/qt/qtapp.h"
#include "platform/qt/qtfiledialog.h"
#include "platform/qt/qtmessages.h"
#include "platform/testing/qtapp.h"

namespace {

// Polls for modal dialogs while the code under test runs one. Each new one
// is handed to answer(), which should close it; one still open two seconds
// later is rejected and reported as stuck, so a fault fails instead of hanging.
class ModalAnswerer {
 public:
  explicit ModalAnswerer(std::function<void(QWidget*)> answer) : answer_(std::move(answer)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      if (modal != last_) {
        last_ = modal;
        ++seen;
        since_.start();
        // Queued: an answer that opens a nested dialog must not run
        // inside this timer's slot, or the timer could not fire again.
        QTimer::singleShot(0, modal, [this, modal] { answer_(modal); });
      } else if (since_.elapsed() > 2000) {
        stuck = true;
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
      }
    });
    timer_.start(10);
  }
  int seen = 0;
  bool stuck = false;

 private:
  std::function<void(QWidget*)> answer_;
  QTimer timer_;
  QElapsedTimer since_;
  QPointer<QWidget> last_;  // cleared when it dies: the next dialog may reuse its address
};

QLineEdit* nameEdit(QFileDialog* dialog) {
  return dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

class DialogsTest : public QtAppTest {
 protected:
  void SetUp() override {
    testApp();
    static bool spanish = false;
    if (!spanish) platform::installSpanish(testApp());
    spanish = true;
  }
  QWidget window;
};

}  // namespace

TEST_F(DialogsTest, SpanishTranslationsAreLoaded) {
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("Aceptar"));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancelar"));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Open"), QStringLiteral("Abrir"));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Save"), QStringLiteral("Guardar"));
}

TEST_F(DialogsTest, MessageHasTitleTextIconAndOneAceptarButton) {
  platform::QtMessages messages(&window, QStringLiteral("TarnwickQuest"));
  const std::pair<platform::Icon, QMessageBox::Icon> icons[] = {
      {platform::Icon::None, QMessageBox::NoIcon},
      {platform::Icon::Information, QMessageBox::Information},
      {platform::Icon::Critical, QMessageBox::Critical}};
  for (const auto& [ours, theirs] : icons) {
    QString title, text, button;
    QMessageBox::Icon icon{};
    qsizetype buttons = 0;
    ModalAnswerer answerer([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = box->buttons().size();
      button = box->buttons().value(0)->text();
      box->buttons().value(0)->click();
    });
    messages.show("Has terminado el nivel!\r\nGuardado con éxito!", ours);
    EXPECT_EQ(answerer.seen, 1);
    EXPECT_FALSE(answerer.stuck);
    EXPECT_EQ(title, QStringLiteral("TarnwickQuest"));
    // The rules' "\r\n" is shown as one line break.
    EXPECT_EQ(text, QStringLiteral("Has terminado el nivel!\nGuardado con éxito!"));
    EXPECT_EQ(icon, theirs);
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(button.remove('&'), QStringLiteral("Aceptar"));
  }
}

// Space held in a fight when the end-of-level box opens: neither its
// repeats (flagged or not) nor its final release may answer the box; a
// press after the box appeared does.
TEST_F(DialogsTest, MessageIgnoresKeysHeldWhenItOpened) {
  platform::QtMessages messages(&window, QStringLiteral("Juego"));
  std::vector<bool> openAfter;
  ModalAnswerer answerer([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    QWidget* button = box->buttons().value(0);
    const auto send = [&](QEvent::Type type, Qt::Key key, bool repeat) {
      QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "", repeat);
      QApplication::sendEvent(button, &event);
      openAfter.push_back(box->isVisible());
    };
    for (int i = 0; i < 3; ++i) {
      send(QEvent::KeyRelease, Qt::Key_Space, true);
      send(QEvent::KeyPress, Qt::Key_Space, true);
    }
    send(QEvent::KeyRelease, Qt::Key_Space, false);  // a repeat X failed to pair
    send(QEvent::KeyPress, Qt::Key_Space, false);
    send(QEvent::KeyPress, Qt::Key_Return, true);  // Return held as well
    send(QEvent::KeyRelease, Qt::Key_Space, false);  // let go at last
    QTest::qWait(150);
    send(QEvent::KeyPress, Qt::Key_Space, false);  // a new press answers
    send(QEvent::KeyRelease, Qt::Key_Space, false);
  });
  messages.show("Has terminado el nivel!", platform::Icon::Information);
  EXPECT_FALSE(answerer.stuck);
  const std::vector<bool> want = {true, true, true, true, true, true,
                                  true, true, true, true, true, false};
  EXPECT_EQ(openAfter, want);
}

TEST_F(DialogsTest, SaveProposesTheNameAndReplacesWithoutAsking) {
  QTemporaryDir dir;
  const QString existing = dir.filePath("mundo.mapa");
  QFile(existing).open(QIODevice::WriteOnly);
  platform::QtFileDialog dialogs(&window);

  int confirmations = 0;
  QString directory, nameField;
  bool native = true;
  ModalAnswerer answerer([&](QWidget* w) {
    if (auto* box = qobject_cast<QMessageBox*>(w)) {  // an overwrite question
      ++confirmations;
      box->reject();
      return;
    }
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    if (!directory.isEmpty()) {  // back after a refused question: give up
      dialog->reject();
      return;
    }
    directory = dialog->directory().absolutePath();
    native = !dialog->testOption(QFileDialog::DontUseNativeDialog);
    if (auto* edit = nameEdit(dialog)) nameField = edit->text();
    QMetaObject::invokeMethod(dialog, "accept");
  });
  const auto choice = dialogs.save(existing.toStdString());
  EXPECT_FALSE(answerer.stuck);
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->path, existing.toStdString());
  EXPECT_EQ(choice->title, "mundo.mapa");
  EXPECT_EQ(directory, QDir(dir.path()).absolutePath());
  EXPECT_EQ(nameField, QStringLiteral("mundo.mapa"));
  EXPECT_FALSE(native);
  EXPECT_EQ(confirmations, 0);
}

TEST_F(DialogsTest, OpenReturnsTypedNameAndCancelGivesNothing) {
  QTemporaryDir dir;
  platform::QtFileDialog dialogs(&window);
  {
    ModalAnswerer answerer([&](QWidget* w) {
      auto* dialog = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(dialog, nullptr);
      ASSERT_NE(nameEdit(dialog), nullptr);
      nameEdit(dialog)->setText(QStringLiteral("otro.mapa"));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    const auto choice = dialogs.open((dir.path() + "/").toStdString());
    EXPECT_FALSE(answerer.stuck);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->path, dir.filePath("otro.mapa").toStdString());
    EXPECT_EQ(choice->title, "otro.mapa");
  }
  {
    ModalAnswerer answerer([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(dialogs.open(dir.filePath("x.mapa").toStdString()), std::nullopt);
    EXPECT_EQ(dialogs.save(""), std::nullopt);
    EXPECT_EQ(answerer.seen, 2);
  }
}
