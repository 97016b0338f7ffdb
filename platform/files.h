// The file system as the rules see it: the program's folder and whole-file
// reads and writes. Paths are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

class Files {
 public:
  virtual ~Files() = default;
  // Folder holding the executable, without a trailing separator.
  virtual std::string programFolder() const = 0;
  // Whole file as bytes; nullopt if it cannot be opened or read.
  virtual std::optional<std::string> read(const std::string& path) = 0;
  // Writes a temporary file in the same folder, then renames it over path.
  // On any failure the old file is intact and false is returned.
  virtual bool writeAtomic(const std::string& path, std::string_view data) = 0;
  virtual bool remove(const std::string& path) = 0;
};

// Appends a literal written with backslashes ("\\mapas\\default.mapa") to a
// folder, turning each backslash into this platform's separator.
std::string underFolder(const std::string& folder, std::string_view literal);

}  // namespace platform
