// The game in a page: builds the window the layout table describes in the
// page's shell, forwards the page's timer, mouse and menu events to
// game::Main, and shows what the rules change, as the desktop windows do.
#pragma once

#include <array>
#include <string>

#include "game/main.h"
#include "platform/random.h"
#include "platform/web/webfiledialog.h"
#include "platform/web/webfiles.h"
#include "platform/web/webkeys.h"
#include "platform/web/webmessages.h"
#include "platform/web/webpage.h"
#include "platform/web/websound.h"

namespace game {

class MainWindow final : public platform::WebProgram, public View {
 public:
  MainWindow();

  // View
  void setCaption(Etiqueta label, const std::string& text) override;
  void present(const media::Rect& changed) override;
  void setMapMenuEnabled(bool enabled) override;
  void quit() override;

  // platform::WebProgram
  void tick() override { main_.maintimer_Timer(); }
  void menu(std::size_t m, std::size_t k) override;
  void mouseDown(int x, int y) override;

 private:
  assets::Pictures pictures_;
  platform::WebKeys keys_{platform::WebKeys::Scope::Window};
  platform::WebFiles files_;
  platform::WebSound sound_{files_};
  platform::WebFileDialog dialogo_{files_, platform::findFolders(files_)};
  platform::WebMessages messages_;
  platform::ClockRandom random_;
  Main main_;
  std::array<std::string, 8> captions_;  // as shown, so an unchanged one costs a comparison
  bool ended_ = false;
};

}  // namespace game
