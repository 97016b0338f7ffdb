// The game window on Windows: paints the rules' drawing surface, the
// portrait and the labels (whose texts screen readers read from static
// controls that paint nothing), and forwards timer, mouse and menu events to
// game::Main, as the Qt window does on Linux.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "game/main.h"
#include "platform/random.h"
#include "platform/win32/win32filedialog.h"
#include "platform/win32/win32files.h"
#include "platform/win32/win32keys.h"
#include "platform/win32/win32messages.h"
#include "platform/win32/win32sound.h"
#include "platform/win32/win32window.h"

namespace game {

class MainWindow final : public platform::Win32Window, public View {
 public:
  explicit MainWindow(HINSTANCE instance);
  ~MainWindow() override;

  // View
  void setCaption(Etiqueta label, const std::string& text) override;
  void present(const media::Rect& changed) override;
  void setMapMenuEnabled(bool enabled) override;
  void quit() override;

  Main& rules() { return main_; }
  // One tick of the rules; called by the timer (layout::kIntervaloTimer,
  // guarded by Win32Window) and by tests.
  void onTimer() override;

 private:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void rescale() override;
  void paint();
  void dropBack();
  void command(int id);

  assets::Pictures pictures_;
  media::Bitmap persona_;
  platform::Win32Keys keys_{platform::Win32Keys::Scope::Window};
  platform::Win32Sound sound_;
  platform::Win32FileDialog dialogo_;
  platform::Win32Messages messages_;
  platform::Win32Files files_;
  platform::ClockRandom random_;
  Main main_;

  std::array<HFONT, 8> fuentes_{};  // one per label, as its font says
  HBRUSH fondo_ = nullptr;
  std::array<std::wstring, 8> captions_;
  std::array<HWND, 8> etiquetas_{};  // the labels' texts, for screen readers
  std::wstring nuevo_;               // a caption being converted
  // The off-screen copy of the client area, made at the first paint.
  HDC backDc_ = nullptr;
  HBITMAP back_ = nullptr;
  HGDIOBJ backOld_ = nullptr;
};

}  // namespace game
