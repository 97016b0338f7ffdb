// The editor in a page: builds its window and "Nuevo Mapa" as the layout
// table describes them, in the page's shell, and forwards the page's
// events to editor::Principal, as the desktop windows do.
#pragma once

#include <array>
#include <string>

#include "editor/principal.h"
#include "platform/web/webfiledialog.h"
#include "platform/web/webfiles.h"
#include "platform/web/webkeys.h"
#include "platform/web/webmessages.h"
#include "platform/web/webpage.h"

namespace editor {

class PrincipalWindow final : public platform::WebProgram, public View {
 public:
  PrincipalWindow();

  // View
  void setCaption(Etiqueta label, const std::string& text) override;
  void present(const media::Rect& changed) override;
  void quit() override;

  // platform::WebProgram
  void tick() override { principal_.maintimer_Timer(); }
  void menu(std::size_t m, std::size_t k) override;
  void mouseDown(int x, int y) override { principal_.mainpic_MouseDown(x, y); }
  void mouseMove(int x, int y) override { principal_.mainpic_MouseMove(x, y); }
  void button(std::size_t i) override;
  bool crear(const char* ancho, const char* alto, char separador) override;

 private:
  void buildNeww();

  assets::Pictures pictures_;
  platform::WebKeys keys_{platform::WebKeys::Scope::Program};
  platform::WebFiles files_;
  platform::WebFileDialog dialogo_{files_, platform::findFolders(files_)};
  platform::WebMessages messages_;
  Principal principal_;
  std::array<std::string, 2> captions_;  // as shown
  bool ended_ = false;
};

}  // namespace editor
