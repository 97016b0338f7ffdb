#include "platform/win32/win32filedialog.h"

#include <commdlg.h>

#include "platform/win32/text.h"
#include "platform/win32/win32modal.h"

namespace platform {

std::optional<FileChoice> Win32FileDialog::open(const std::string& proposed) {
  return run(false, proposed);
}

std::optional<FileChoice> Win32FileDialog::save(const std::string& proposed) {
  return run(true, proposed);
}

std::optional<FileChoice> Win32FileDialog::run(bool saving, const std::string& proposed) {
  // Room for the longest path Windows takes.
  std::wstring file(32768, L'\0');
  std::wstring folder;
  const std::wstring given = wide(proposed);
  const DWORD attributes =
      given.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(given.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    folder = given;
  } else if (!given.empty()) {
    const std::size_t cut = given.find_last_of(L"\\/");
    if (cut != std::wstring::npos) folder = given.substr(0, cut);
    const std::wstring name = cut == std::wstring::npos ? given : given.substr(cut + 1);
    if (name.size() < file.size()) file.replace(0, name.size(), name);  // else no room: no name
  }

  const ModalScope modal(owner_);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = modal.owner();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  // Any name comes back, even for opening: the rules report a file that
  // cannot be read as they do one that is corrupt. Saving replaces without
  // asking. The program's current folder stays where it was.
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  const BOOL chosen = saving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;

  const std::wstring path = file.c_str();
  if (path.empty() || dialog.nFileOffset >= path.size()) return std::nullopt;  // a folder alone
  return FileChoice{utf8(path), utf8(path.substr(dialog.nFileOffset))};
}

}  // namespace platform
