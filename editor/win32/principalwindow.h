// The editor window on Windows: the map view, the three palettes of picture
// buttons, the two status labels and the menus, forwarding every event to
// editor::Principal, as the Qt window does on Linux.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "editor/principal.h"
#include "editor/win32/newwdialog.h"
#include "platform/win32/win32filedialog.h"
#include "platform/win32/win32files.h"
#include "platform/win32/win32keys.h"
#include "platform/win32/win32messages.h"
#include "platform/win32/win32window.h"

namespace editor {

class PrincipalWindow final : public platform::Win32Window, public View {
 public:
  explicit PrincipalWindow(HINSTANCE instance);
  ~PrincipalWindow() override;
  // The open "Nuevo Mapa" dialog or null, for the message loop.
  HWND neww() const { return neww_.hwnd(); }

  // View
  void setCaption(Etiqueta label, const std::string& text) override;
  void present(const media::Rect& changed) override;
  void quit() override;

 private:
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  void onTimer() override { principal_.maintimer_Timer(); }
  void rescale() override;
  void buildControls();
  void command(int id);

  assets::Pictures pictures_;
  platform::Win32Keys keys_{platform::Win32Keys::Scope::Program};
  platform::Win32FileDialog dialogo_;
  platform::Win32Messages messages_;
  platform::Win32Files files_;
  Principal principal_;
  NewwDialog neww_;

  std::array<HWND, 2> etiquetas_{};       // mousecap and mapcap
  std::array<std::wstring, 2> captions_;  // as the two labels show them
  std::wstring nuevo_;                    // a caption being converted
  HFONT font_ = nullptr, bold_ = nullptr;
  HBRUSH fondo_;
  std::array<std::array<media::Bitmap, 2>, 8> caras_;  // each palette button, raised and held
};

}  // namespace editor
