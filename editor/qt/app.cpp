// TarnwickEdit: the map editor's entry point.
#include <QApplication>

#include "editor/layout.h"
#include "editor/qt/principalwindow.h"
#include "platform/qt/qtapp.h"
#include "platform/qt/qtscale.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setApplicationName(QString::fromUtf8(editor::layout::kAplicacion));
  // Its menu entry and icon (assets/linux/), for the desktop to match its windows.
  app.setDesktopFileName(QStringLiteral("org.tarnwick.TarnwickEdit"));
  platform::prepareApplication(app);
  editor::PrincipalWindow window;
  platform::showCrisp(window);
  return app.exec();
}
