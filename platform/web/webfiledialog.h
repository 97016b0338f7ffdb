// The open/save dialog in the page: an in-page modal dialog listing the
// folder's files (those the site ships and the player's own, which live in
// the browser's storage), taking a typed name or a file brought from the
// computer ("Subir…"), awaited (ASYNCIFY) like a desktop dialog.
#pragma once

#include "platform/filedialog.h"
#include "platform/files.h"

namespace platform {

class WebFileDialog final : public FileDialog {
 public:
  WebFileDialog(const Files& files, Folders folders)
      : files_(files), folders_(std::move(folders)) {}
  std::optional<FileChoice> open(const std::string& proposed) override;
  std::optional<FileChoice> save(const std::string& proposed) override;

 private:
  std::optional<FileChoice> run(bool saving, const std::string& proposed);
  const Files& files_;
  Folders folders_;
};

// Where the dialog for `proposed` (a file or a folder, or empty) looks: the
// folder under the shipped files and under the player's that stand for the
// same place, and the name proposed. A folder outside both is the player's.
struct DialogPlace {
  std::string shipped, player, name;
};
DialogPlace dialogPlace(const Folders& folders, const std::string& proposed, bool isFolder);

}  // namespace platform
