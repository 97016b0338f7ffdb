#include "platform/qt/qtsound.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDateTime>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

#include "platform/qt/qtapp.h"
#include "platform/wavfile.h"

namespace platform {

QtSound::QtSound() { quietMultimediaWarnings(); }

// Qt 6.4's sample cache, destroyed at exit, deadlocks with its loading
// thread when a sample is still loading then (a sound started just before
// quitting): the loads under way are let finish first, for up to 2 s.
QtSound::~QtSound() {
  const auto loading = [this] {
    if (current_ && current_->status() == QSoundEffect::Loading) return true;
    for (const auto& [path, sound] : sounds_)
      if (sound.effect && sound.effect->status() == QSoundEffect::Loading) return true;
    return false;
  };
  for (const QDeadlineTimer deadline(2000); loading() && !deadline.hasExpired();)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  delete current_;
}

// The sound is handed to Qt as a data: URL of the padded copy, so Qt never
// opens the file itself: the file layer has read it once, only if it is a
// regular file under the size limit, and a FIFO or a device is never read.
std::unique_ptr<QSoundEffect> QtSound::load(const std::string& path) {
  const auto bytes = files_.read(path, kMaxFileBytes);
  const auto padded = bytes ? playableWav(*bytes, kTrailingSeconds) : std::nullopt;
  if (!padded) return nullptr;
  const auto base64 = QByteArray::fromRawData(padded->data(), qsizetype(padded->size())).toBase64();
  auto effect = std::make_unique<QSoundEffect>();
  effect->setSource(QUrl(QLatin1String("data:audio/wav;base64,") + QLatin1String(base64)));
  return effect;
}

void QtSound::play(const std::string& path) {
  // A stat on every call (a microsecond): a file removed since it was
  // loaded is skipped and a file replaced is loaded anew.
  const QFileInfo info(QString::fromStdString(path));
  if (!info.isFile()) return;
  Loaded& sound = sounds_[path];
  const qint64 modified = info.lastModified().toMSecsSinceEpoch();
  if (sound.size != info.size() || sound.modified != modified)
    sound = {info.size(), modified, load(path)};
  if (!sound.effect) return;

  // A new effect every time, sharing the loaded samples: Qt 6.4 garbles an
  // effect started again while it plays (its silent tail, at a strike every
  // 0.3 s), losing ~110 ms of the new sound.
  if (current_) {
    current_->stop();
    current_->deleteLater();
  }
  current_ = new QSoundEffect;
  current_->setSource(sound.effect->source());
  // Plays at once if loaded, otherwise as soon as loading ends; never blocks.
  current_->play();
}

}  // namespace platform
