// The editor's rules driven without a window.
#pragma once

#include <map>
#include <string>

#include "assets/loadpictures.h"
#include "editor/principal.h"
#include "platform/testing/fakes.h"

namespace edittest {

struct RecView : editor::View {
  std::map<editor::Etiqueta, std::string> captions;
  int presents = 0;
  bool quitted = false;
  void setCaption(editor::Etiqueta l, const std::string& t) override { captions[l] = t; }
  void present() override { ++presents; }
  void quit() override { quitted = true; }
};

inline const assets::Pictures& pictures() {
  static const assets::Pictures p = assets::loadPictures();
  return p;
}

struct Editor {
  platform::testing::FakeKeys keys;
  platform::testing::FakeDialog dialog;
  platform::testing::FakeMessages messages;
  platform::testing::TempFiles files;
  RecView view;
  editor::Principal p{editor::Services{keys, dialog, messages, files}, pictures(), view};
  Editor() { p.Form_Load(); }

  void click(int cx, int cy) { p.mainpic_MouseDown(cx * 20 + 5, cy * 20 + 5); }
  // Answers the next file dialog with this path.
  void answer(const std::string& relative) {
    const std::string name = relative.substr(relative.find_last_of('/') + 1);
    dialog.answers.push_back(platform::FileChoice{files.path(relative), name});
  }
  bool guardar(const std::string& relative) {
    answer(relative);
    const auto before = messages.shown.size();
    p.mnuguardar_Click();
    return messages.shown.size() > before && messages.shown.back().text == "Guardado con éxito!";
  }
  void abrir(const std::string& relative) {
    answer(relative);
    p.mnuabrir_Click();
  }
};

}  // namespace edittest
