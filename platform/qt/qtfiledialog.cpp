#include "platform/qt/qtfiledialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace platform {

std::optional<FileChoice> QtFileDialog::open(const std::string& proposed) {
  return run(false, proposed);
}

std::optional<FileChoice> QtFileDialog::save(const std::string& proposed) {
  return run(true, proposed);
}

std::optional<FileChoice> QtFileDialog::run(bool saving, const std::string& proposed) {
  QFileDialog dialog(parent_);
  // Qt's own dialog: the same on every desktop and reachable through accessibility.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Any name is returned, even for opening: the rules report a file that
  // cannot be read, as they do for one that is corrupt.
  dialog.setFileMode(QFileDialog::AnyFile);
  // The programs replace the file they save without asking.
  if (saving) dialog.setOption(QFileDialog::DontConfirmOverwrite);

  if (!proposed.empty()) {
    const QFileInfo info(QString::fromStdString(proposed));
    if (info.isDir()) {
      dialog.setDirectory(info.absoluteFilePath());
    } else {
      dialog.setDirectory(info.absolutePath());
      dialog.selectFile(info.fileName());
    }
  }

  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
  const QFileInfo info(chosen.first());
  if (info.fileName().isEmpty()) return std::nullopt;  // only a folder was given
  return FileChoice{chosen.first().toStdString(), info.fileName().toStdString()};
}

}  // namespace platform
