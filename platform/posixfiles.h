// The file system through POSIX calls, for the Linux programs. Created by
// each program's window and handed to the rules as a platform::Files.
#pragma once

#include "platform/files.h"

namespace platform {

class PosixFiles : public Files {
 public:
  // sync makes written data durable (fsync); tests inject a failing one.
  using SyncFunction = int (*)(int fd);
  explicit PosixFiles(SyncFunction sync = nullptr);

  std::string programFolder() const override;
  std::optional<std::string> read(const std::string& path, std::size_t maxBytes) override;
  bool writeAtomic(const std::string& path, std::string_view data) override;
  bool remove(const std::string& path) override;
  bool makeFolder(const std::string& path) override;
  bool isFolder(const std::string& path) const override;
  bool isFile(const std::string& path) const override;
  std::string userDataFolder() const override;

 private:
  SyncFunction sync_;
};

// The XDG rule for the data folder, from the values of $XDG_DATA_HOME and
// $HOME (null when unset): the first if it is an absolute path, else
// HOME/.local/share; empty without either.
std::string xdgDataHome(const char* xdgDataHome, const char* home);

}  // namespace platform
