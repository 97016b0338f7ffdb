// QtSound must never block, throw or flood the terminal, whether or not the
// machine has an audio device (test machines usually have none).
#include "platform/qt/qtsound.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "platform/testing/qtapp.h"
#include "platform/testing/wav.h"

namespace {

// Runs body with the process's stderr going to a file and returns what was written.
template <typename F>
std::string captureStderr(F body) {
  std::fflush(stderr);
  char name[] = "/tmp/tq-stderr-XXXXXX";
  const int fd = mkstemp(name);
  const int saved = dup(2);
  dup2(fd, 2);
  body();
  std::fflush(stderr);
  dup2(saved, 2);
  close(saved);
  std::string out;
  char buf[4096];
  lseek(fd, 0, SEEK_SET);
  for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) out.append(buf, size_t(n));
  close(fd);
  unlink(name);
  return out;
}

class QtSoundTest : public QtAppTest {
 protected:
  void SetUp() override {
    qputenv("QT_FORCE_STDERR_LOGGING", "1");  // Qt may log to journald otherwise
    testApp();
    ASSERT_TRUE(platform::testing::writeTone(dir.filePath("a.wav"), 440));
    ASSERT_TRUE(platform::testing::writeTone(dir.filePath("b.wav"), 660));
  }
  std::string file(const char* name) const { return dir.filePath(name).toStdString(); }
  static void pump(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }

  QTemporaryDir dir;
};

}  // namespace

// Real, missing, empty and folder paths, over and over, mixed: nothing
// throws and nothing stops the next sound. (How long play() takes is
// measured by bench/sound_bench.cpp.)
TEST_F(QtSoundTest, AnyPathIsPlayedOrSkipped) {
  platform::QtSound sound;
  const std::string paths[] = {file("a.wav"), file("b.wav"), file("missing.wav"), "",
                               "/",           file("a.wav")};
  EXPECT_NO_THROW({
    for (int round = 0; round < 20; ++round)
      for (const auto& p : paths) {
        sound.play(p);
        QCoreApplication::processEvents();
      }
  });
  pump(100);
}

TEST_F(QtSoundTest, NoAudioDeviceNoiseReachesTheTerminal) {
  const std::string err = captureStderr([&] {
    platform::QtSound sound;
    sound.play(file("a.wav"));
    sound.play(file("missing.wav"));
    pump(200);
    sound.play(file("b.wav"));
    pump(200);
    // The same filter must pass every other message on.
    qWarning("No audio device detected");
    qWarning("tarnwick marker");
  });
  EXPECT_EQ(err.find("No audio device"), std::string::npos) << err;
  EXPECT_EQ(err.find("PulseAudioService"), std::string::npos) << err;
  EXPECT_EQ(err.find("QSoundEffect"), std::string::npos) << err;
  EXPECT_NE(err.find("tarnwick marker"), std::string::npos) << err;
}
