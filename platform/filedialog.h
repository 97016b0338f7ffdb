// The open/save file dialog. Called by the editor's and game's menu handlers.
#pragma once

#include <optional>
#include <string>

namespace platform {

struct FileChoice {
  std::string path;   // full path as chosen
  std::string title;  // file name without its folder
};

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // proposed is a full file name (folder + name) or empty. Cancelling or
  // an empty answer give nullopt. save() never asks before replacing.
  virtual std::optional<FileChoice> open(const std::string& proposed) = 0;
  virtual std::optional<FileChoice> save(const std::string& proposed) = 0;
};

}  // namespace platform
