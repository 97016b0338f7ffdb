// The open and save dialogs through the common file dialog. Created by each
// program's window and handed to the rules as a platform::FileDialog.
#pragma once

#include <windows.h>

#include "platform/filedialog.h"

namespace platform {

class Win32FileDialog final : public FileDialog {
 public:
  // Owns what opens while no window of the program is active; otherwise the
  // active window does, and every other one is disabled (win32modal.h).
  void setOwner(HWND owner) { owner_ = owner; }

  std::optional<FileChoice> open(const std::string& proposed) override;
  std::optional<FileChoice> save(const std::string& proposed) override;

 private:
  std::optional<FileChoice> run(bool saving, const std::string& proposed);
  HWND owner_ = nullptr;
};

}  // namespace platform
