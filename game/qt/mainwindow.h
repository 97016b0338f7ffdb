// The game window: builds the controls at their places, forwards timer,
// mouse and menu events to game::Main and shows what it changes.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <array>

#include "game/main.h"
#include "platform/qt/qtcaption.h"
#include "platform/qt/qtfiledialog.h"
#include "platform/posixfiles.h"
#include "platform/qt/qtkeys.h"
#include "platform/qt/qtmessages.h"
#include "platform/qt/qtsound.h"
#include "platform/qt/qtsurface.h"
#include "platform/random.h"
#include "platform/ticker.h"

class QAction;

namespace game {

class MainWindow final : public QMainWindow, public View {
  Q_OBJECT
 public:
  MainWindow();

  Main& rules() { return main_; }
  QLabel* label(Etiqueta which) const { return captions_[static_cast<std::size_t>(which)].label(); }

  // View
  void setCaption(Etiqueta label, const std::string& text) override;
  void present(const media::Rect& changed) override;
  void setMapMenuEnabled(bool enabled) override;
  void quit() override;

  // One tick of the rules; called by the timer (layout::kIntervaloTimer) and
  // by the benchmarks.
  void tick();
  // Shows what the rules changed during the event being handled: each
  // changed caption once, and the part of the surface that changed. Called
  // at the end of every event, and before a box or dialog opens, since
  // its nested event loop paints the window.
  void flush();

 private:
  void buildControls();
  void buildMenus();

  assets::Pictures pictures_;
  platform::QtKeys keys_;
  platform::QtSound sound_;
  platform::QtFileDialog dialogo_;
  platform::QtMessages messages_;
  // The rules' boxes and dialogs, opened after flush().
  struct Mensajes final : platform::Messages {
    MainWindow& w;
    explicit Mensajes(MainWindow& window) : w(window) {}
    void show(const std::string& text, platform::Icon icon) override;
  } mensajes_{*this};
  struct Dialogo final : platform::FileDialog {
    MainWindow& w;
    explicit Dialogo(MainWindow& window) : w(window) {}
    std::optional<platform::FileChoice> open(const std::string& proposed) override;
    std::optional<platform::FileChoice> save(const std::string& proposed) override;
  } dialogoAntes_{*this};
  platform::PosixFiles files_;
  platform::ClockRandom random_;
  Main main_;

  platform::QtSurface* mainpic_ = nullptr;
  std::array<platform::QtCaption, 8> captions_;
  media::Rect cambiado_;  // of the surface, since the last flush
  QAction* mnumapa_ = nullptr;
  QTimer maintimer_;
  platform::Ticker ticker_;
};

}  // namespace game
