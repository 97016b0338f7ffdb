#include "platform/files.h"

namespace platform {

namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool equalsUpper(std::string_view a, std::string_view upperCase) {
  if (a.size() != upperCase.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upperCase[i]) return false;
  return true;
}

// Windows opens a device for these whatever follows the first dot, and
// with spaces before that dot ("nul .txt").
bool deviceName(std::string_view name) {
  std::string_view base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (equalsUpper(base, device)) return true;
  if (base.size() < 4) return false;
  const std::string_view stem = base.substr(0, 3), number = base.substr(3);
  if (!equalsUpper(stem, "COM") && !equalsUpper(stem, "LPT")) return false;
  // A digit, or the superscripts one to three of Windows' code pages.
  return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == "\u00B9" ||
         number == "\u00B2" || number == "\u00B3";
}

}  // namespace

NameFault portableNameFault(std::string_view name) {
  if (name.empty()) return NameFault::Empty;
  for (const char c : name) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\') return NameFault::Separator;
    if (b < 0x20 || b == 0x7F) return NameFault::Control;
    if (std::string_view("<>:\"|?*").find(c) != std::string_view::npos)
      return NameFault::WindowsCharacter;
  }
  if (name.back() == '.' || name.back() == ' ') return NameFault::TrailingDotOrSpace;
  if (deviceName(name)) return NameFault::DeviceName;
  if (name.size() > kMaxNameBytes) return NameFault::TooLong;
  return NameFault::None;
}

Folders findFolders(const Files& files) {
  const std::string program = files.programFolder();
  if (files.isFolder(underFolder(program, "\\mapas"))) return {program, program};
  // PREFIX/games -> PREFIX/share/tarnwick, written without "..", as the
  // dialogs show it.
  const std::size_t cut = program.find_last_of(kSeparators);
  const std::string prefix = cut == std::string::npos ? std::string(".") : program.substr(0, cut);
  // No home at all: the current folder, as a program folder that cannot be
  // found is; still never the prefix.
  std::string user = files.userDataFolder();
  if (user.empty()) user = ".";
  return {underFolder(prefix, "\\share\\tarnwick"), underFolder(user, "\\tarnwick")};
}

std::string underFolder(const std::string& folder, std::string_view literal) {
  std::string result = folder;
  for (const char c : literal) result.push_back(c == '\\' ? kSeparator : c);
  return result;
}

}  // namespace platform
