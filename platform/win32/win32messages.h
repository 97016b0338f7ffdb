// Message boxes through MessageBoxW, titled with the program's name.
// Created by each program's window and handed to the rules as a
// platform::Messages.
#pragma once

#include <windows.h>

#include <string>

#include "platform/messages.h"

namespace platform {

class Win32Messages final : public Messages {
 public:
  explicit Win32Messages(std::wstring title) : title_(std::move(title)) {}
  // Owns what opens while no window of the program is active; otherwise the
  // active window does, and every other one is disabled (win32modal.h).
  void setOwner(HWND owner) { owner_ = owner; }

  // Modal; returns when the user presses OK or closes the box. A key held
  // when the box opened neither closes it nor reaches it (freshkeys.h).
  void show(const std::string& text, Icon icon) override;

 private:
  std::wstring title_;
  HWND owner_ = nullptr;
};

}  // namespace platform
