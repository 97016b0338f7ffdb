// The file system through Qt. Created by each program's main() and handed
// to the rules as a platform::Files.
#pragma once

#include "platform/files.h"

namespace platform {

class QtFiles final : public Files {
 public:
  // The executable's folder; works before a QCoreApplication exists too.
  std::string programFolder() const override;
  std::optional<std::string> read(const std::string& path) override;
  // Through QSaveFile: the data counts as written only if commit() succeeds.
  bool writeAtomic(const std::string& path, std::string_view data) override;
  bool remove(const std::string& path) override;
};

}  // namespace platform
