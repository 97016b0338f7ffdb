// The editor window: the map view, the three palettes, the two status
// labels and the menus, forwarding every event to editor::Principal.
#pragma once

#include <QLabel>

#include "platform/qt/qtcaption.h"
#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include "assets/pictures.h"
#include "editor/principal.h"
#include "editor/qt/newwdialog.h"
#include "platform/qt/qtfiledialog.h"
#include "platform/posixfiles.h"
#include "platform/qt/qtkeys.h"
#include "platform/qt/qtmessages.h"
#include "platform/qt/qtsurface.h"
#include "platform/ticker.h"

namespace editor {

QFont editorFont();

class PrincipalWindow final : public QMainWindow, public View {
  Q_OBJECT
 public:
  PrincipalWindow();

  Principal& rules() { return principal_; }
  NewwDialog* neww() const { return neww_; }

  // "Nuevo": opens the new-map dialog, or brings the open one forward as it is.
  void mnunuevo_Click();

  // View
  void setCaption(Etiqueta label, const std::string& text) override;
  void present(const media::Rect& changed) override;
  void quit() override;

 private:
  void buildControls();
  void buildMenus();

  assets::Pictures pictures_;
  platform::QtKeys keys_;
  platform::QtFileDialog dialogo_;
  platform::QtMessages messages_;
  platform::PosixFiles files_;
  Principal principal_;

  platform::QtSurface* mainpic_ = nullptr;
  platform::QtCaption mousecap_, mapcap_;
  QPointer<NewwDialog> neww_;
  QTimer maintimer_;
  platform::Ticker ticker_;
};

}  // namespace editor
