// TarnwickQuest: the game's entry point.
#include <QApplication>

#include "game/qt/mainwindow.h"
#include "platform/qt/qtapp.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("Juego"));
  platform::prepareApplication(app);
  game::MainWindow window;
  window.show();
  return app.exec();
}
