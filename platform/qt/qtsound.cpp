#include "platform/qt/qtsound.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSoundEffect>
#include <QUrl>
#include <sys/stat.h>

#include "platform/qt/qtapp.h"
#include "media/wavfile.h"

namespace platform {

QtSound::QtSound() { quietMultimediaWarnings(); }

// Qt 6.4's sample cache, destroyed at exit, deadlocks with its loading
// thread when a sample is still loading then (a sound started just before
// quitting): the loads under way are let finish first, for up to 2 s.
QtSound::~QtSound() {
  const auto loading = [this] {
    for (const auto& [path, sound] : sounds_)
      for (const auto& voice : sound.voices)
        if (voice && voice->status() == QSoundEffect::Loading) return true;
    return false;
  };
  for (const QDeadlineTimer deadline(2000); loading() && !deadline.hasExpired();)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The sound is handed to Qt as a data: URL of the padded copy, so Qt never
// opens the file itself: the file layer has read it once, only if it is a
// regular file under the size limit, and a FIFO or a device is never read.
// The voices share one decoded sample.
void QtSound::load(const std::string& path, Loaded& into) {
  if (current_)
    for (const auto& voice : into.voices)
      if (voice.get() == current_) current_ = nullptr;
  into.voices = {};
  into.next = 0;
  const auto bytes = files_.read(path, media::kMaxWavBytes);
  const auto padded = bytes ? media::playableWav(*bytes, kTrailingSeconds) : std::nullopt;
  if (!padded) return;
  const auto base64 = QByteArray::fromRawData(padded->data(), qsizetype(padded->size())).toBase64();
  const QUrl source(QLatin1String("data:audio/wav;base64,") + QLatin1String(base64));
  for (auto& voice : into.voices) {
    voice = std::make_unique<QSoundEffect>();
    voice->setSource(source);
  }
}

void QtSound::play(const std::string& path) {
  // A stat on every call (a microsecond): a file removed since it was
  // loaded is skipped and a file replaced is loaded anew.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
  Loaded& sound = sounds_[path];
  const long long modified =
      static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  if (sound.size != st.st_size || sound.modified != modified) {
    sound.size = st.st_size;
    sound.modified = modified;
    load(path, sound);
  }
  if (!sound.voices[0]) return;
  if (current_) current_->stop();
  current_ = sound.voices[sound.next].get();
  sound.next = (sound.next + 1) % kVoices;
  // Plays at once if loaded, otherwise as soon as loading ends; never blocks.
  current_->play();
}

}  // namespace platform
