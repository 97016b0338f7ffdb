// TarnwickQuest: the game's entry point.
#include <QApplication>
#include <QFont>

#include "game/qt/mainwindow.h"
#include "platform/qt/qtapp.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("Juego"));
  platform::installSpanish(app);
  platform::quietMultimediaWarnings();
  // "Arial" resolves to Liberation Sans through fontconfig; "MS Sans Serif"
  // would fall back to a wider face, so point it at the same family.
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  game::MainWindow window;
  window.show();
  return app.exec();
}
