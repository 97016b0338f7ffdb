// The file system through Win32 calls, for the Windows programs: the same
// promises as the POSIX layer (platform/files.h), with wide paths.
#pragma once

#include "platform/files.h"

namespace platform {

class Win32Files : public Files {
 public:
  std::string programFolder() const override;
  std::optional<std::string> read(const std::string& path, std::size_t maxBytes) override;
  bool writeAtomic(const std::string& path, std::string_view data) override;
  bool remove(const std::string& path) override;
  bool makeFolder(const std::string& path) override;
  bool isFolder(const std::string& path) const override;
  bool isFile(const std::string& path) const override;
  std::string userDataFolder() const override;
};

}  // namespace platform
