// The game window: builds the controls at their places, forwards timer,
// mouse and menu events to game::Main and shows what it changes.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <array>

#include "game/main.h"
#include "platform/qt/qtfiledialog.h"
#include "platform/posixfiles.h"
#include "platform/qt/qtkeys.h"
#include "platform/qt/qtmessages.h"
#include "platform/qt/qtsound.h"
#include "platform/qt/qtsurface.h"
#include "platform/random.h"

class QAction;

namespace game {

class MainWindow final : public QMainWindow, public View {
  Q_OBJECT
 public:
  MainWindow();

  Main& rules() { return main_; }
  QLabel* label(Etiqueta which) const { return labels_[static_cast<std::size_t>(which)]; }

  // View
  void setCaption(Etiqueta label, const std::string& text) override;
  void present(const platform::Rect& changed) override;
  void setMapMenuEnabled(bool enabled) override;
  void quit() override;

 private:
  void buildControls();
  void buildMenus();
  QAction* addItem(QMenu* menu, const char* name, const QString& text, void (Main::*handler)());
  void tick();

  assets::Pictures pictures_;
  platform::QtKeys keys_;
  platform::QtSound sound_;
  platform::QtFileDialog dialogo_;
  platform::QtMessages messages_;
  platform::PosixFiles files_;
  platform::ClockRandom random_;
  Main main_;

  platform::QtSurface* mainpic_ = nullptr;
  std::array<QLabel*, 8> labels_{};
  QAction* mnumapa_ = nullptr;
  QTimer maintimer_;
  bool enTick_ = false;
};

}  // namespace game
