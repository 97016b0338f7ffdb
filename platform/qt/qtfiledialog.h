// The file dialog through QFileDialog. Created by each program's main
// window and handed to the rules as a platform::FileDialog.
#pragma once

#include "platform/filedialog.h"

class QWidget;

namespace platform {

class QtFileDialog final : public FileDialog {
 public:
  explicit QtFileDialog(QWidget* parent) : parent_(parent) {}

  std::optional<FileChoice> open(const std::string& proposed) override;
  std::optional<FileChoice> save(const std::string& proposed) override;

 private:
  std::optional<FileChoice> run(bool saving, const std::string& proposed);
  QWidget* parent_;
};

}  // namespace platform
