// TarnwickEdit: the map editor's entry point.
#include <QApplication>

#include "editor/qt/principalwindow.h"
#include "platform/qt/qtapp.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName(QStringLiteral("Edit"));
  platform::prepareApplication(app);
  editor::PrincipalWindow window;
  window.show();
  return app.exec();
}
