#include "platform/qt/qtfiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <filesystem>
#include <limits>

namespace platform {

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

std::string QtFiles::programFolder() const {
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath().toStdString();
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : exe.parent_path().string();
}

std::optional<std::string> QtFiles::read(const std::string& path) {
  QFile file(q(path));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return std::nullopt;
  return bytes.toStdString();
}

bool QtFiles::writeAtomic(const std::string& path, std::string_view data) {
  if (data.size() > static_cast<size_t>(std::numeric_limits<qint64>::max())) return false;
  QSaveFile file(q(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  const auto size = static_cast<qint64>(data.size());
  // Flushed and checked here: Qt 6.4's commit() renames the temporary file
  // over the target even when flushing its buffer failed (seen with a file
  // size limit: 1024 of 4000 bytes replaced the old file).
  if (file.write(data.data(), size) != size || !file.flush()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool QtFiles::remove(const std::string& path) { return QFile::remove(q(path)); }

}  // namespace platform
