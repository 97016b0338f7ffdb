// TarnwickQuest: the game's entry point.
#include <QApplication>

#include "game/layout.h"
#include "game/qt/mainwindow.h"
#include "platform/qt/qtapp.h"
#include "platform/qt/qtscale.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName(QString::fromUtf8(game::layout::kAplicacion));
  // Its menu entry and icon (assets/linux/), for the desktop to match its windows.
  app.setDesktopFileName(QStringLiteral("org.tarnwick.TarnwickQuest"));
  platform::prepareApplication(app);
  game::MainWindow window;
  platform::showCrisp(window);
  return app.exec();
}
