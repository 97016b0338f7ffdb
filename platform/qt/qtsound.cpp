#include "platform/qt/qtsound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

#include "platform/qt/qtapp.h"

namespace platform {

QtSound::QtSound() { quietMultimediaWarnings(); }

QtSound::~QtSound() = default;

void QtSound::play(const std::string& path) {
  // Checked on every call: QSoundEffect reports a missing file only later,
  // asynchronously, and with a warning on the terminal.
  const QFileInfo info(QString::fromStdString(path));
  if (!info.isFile()) return;

  auto& effect = effects_[path];
  if (!effect) {
    effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
  }
  if (current_) current_->stop();
  // Plays at once if loaded, otherwise as soon as loading ends; never blocks.
  effect->play();
  current_ = effect.get();
}

}  // namespace platform
