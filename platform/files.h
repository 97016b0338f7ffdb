// The file system as the rules see it: the program's folder and whole-file
// reads and writes. Paths are UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/system.h"

namespace platform {

class Files {
 public:
  virtual ~Files() = default;
  // Folder holding the executable, without a trailing separator.
  virtual std::string programFolder() const = 0;
  // A whole regular file of at most maxBytes. Anything else (missing,
  // unreadable, a folder, a FIFO, a device, a larger file, one growing as
  // it is read) gives nullopt, without blocking and without reading more
  // than the file's size when opened plus one byte.
  virtual std::optional<std::string> read(const std::string& path, std::size_t maxBytes) = 0;
  // Writes a new regular file in the same folder, then renames it over
  // path: a symbolic link at path is replaced, never written through. On
  // any failure (flush and sync included) the old file is intact, no
  // temporary file is left and false is returned.
  virtual bool writeAtomic(const std::string& path, std::string_view data) = 0;
  virtual bool remove(const std::string& path) = 0;
  // Creates the folder and its parents if missing; true if it is a folder now.
  virtual bool makeFolder(const std::string& path) = 0;
  // Whether path is a folder, or a regular file (a symbolic link counts as
  // what it points to).
  virtual bool isFolder(const std::string& path) const = 0;
  virtual bool isFile(const std::string& path) const = 0;
  // The folder where this user's programs keep their data: $XDG_DATA_HOME
  // or ~/.local/share on Linux, %APPDATA% on Windows. Empty if there is none.
  virtual std::string userDataFolder() const = 0;
};

// Where a program finds what it ships with and where it keeps what the
// player makes. A program whose own folder holds "mapas" is a portable
// folder (build/bin, the Windows zip): both are that folder, as ever. Any
// other was installed under a prefix (PREFIX/games/TarnwickQuest) that the
// player may not write to: it reads PREFIX/share/tarnwick, wherever the
// prefix was moved, and keeps his files in his own data folder.
struct Folders {
  std::string shipped;  // mapas/, sonidos/ and the starter personajes/default
  std::string player;   // personajes/, and when installed his own mapas/
  bool installed() const { return shipped != player; }
};
// Called once by each program's rules when they start.
Folders findFolders(const Files& files);

// Why a file name (UTF-8, no folder) is not one that every platform the
// programs run on can hold as a file of its own, so that a folder copied
// from one to the other keeps every file apart. Windows is the strictest:
// it refuses the characters below, drops a trailing dot or space (so "x."
// is the file "x"), and opens a device for a reserved name whatever its
// extension. Most file systems hold 255 bytes of UTF-8 (Linux) or 255
// UTF-16 units (Windows); the first is the tighter.
enum class NameFault {
  None,
  Empty,
  Separator,           // "/" or "\"
  Control,             // bytes 0 to 31 and 127
  WindowsCharacter,    // one of < > : " | ? *
  TrailingDotOrSpace,  // also "." and ".."
  DeviceName,          // CON, PRN, AUX, NUL, COM0-9, LPT0-9, ... with or without extension
  TooLong,             // over 255 bytes of UTF-8
};
NameFault portableNameFault(std::string_view name);
inline constexpr std::size_t kMaxNameBytes = 255;

// Appends a literal written with backslashes ("\\mapas\\default.mapa") to a
// folder, turning each backslash into this platform's separator.
std::string underFolder(const std::string& folder, std::string_view literal);

}  // namespace platform
