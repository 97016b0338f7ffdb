// QtFiles against a real temporary folder. Tests run as root, so failures
// are provoked with a missing folder, a directory in the way and a file
// size limit instead of permission bits.
#include "platform/qt/qtfiles.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QTemporaryDir>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "platform/testing/qtapp.h"

namespace fs = std::filesystem;

namespace {

class QtFilesTest : public ::testing::Test {
 protected:
  std::string path(const char* name) const {
    return (fs::path(dir.path().toStdString()) / name).string();
  }
  static std::string slurp(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  size_t entries() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir.path().toStdString()), {}));
  }

  QTemporaryDir dir;
  platform::QtFiles files;
};

}  // namespace

TEST_F(QtFilesTest, AtomicWriteCreatesAndReplacesExactBytes) {
  const std::string target = path("mapa.mapa");
  const std::string binary("a\0b\r\nc\xff", 7);
  ASSERT_TRUE(files.writeAtomic(target, std::string(5000, 'x')));
  ASSERT_TRUE(files.writeAtomic(target, binary));
  EXPECT_EQ(slurp(target), binary);  // shorter content leaves no tail behind
  EXPECT_EQ(files.read(target), binary);
  EXPECT_EQ(entries(), 1u);  // no temporary left over
  EXPECT_TRUE(files.remove(target));
  EXPECT_FALSE(files.remove(target));
  EXPECT_EQ(entries(), 0u);
}

TEST_F(QtFilesTest, WriteIntoMissingFolderFails) {
  EXPECT_FALSE(files.writeAtomic(path("nope/x.txt"), "data"));
  EXPECT_FALSE(fs::exists(path("nope")));
}

TEST_F(QtFilesTest, WriteOverDirectoryFailsAndKeepsIt) {
  const std::string target = path("personaje");
  fs::create_directory(target);
  std::ofstream(target + "/inside") << "kept";
  EXPECT_FALSE(files.writeAtomic(target, "data"));
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_EQ(slurp(target + "/inside"), "kept");
  EXPECT_EQ(entries(), 1u);
}

TEST_F(QtFilesTest, FailedWriteLeavesOldFileIntact) {
  const std::string target = path("heroe.txt");
  ASSERT_TRUE(files.writeAtomic(target, "old contents"));

  // A file size limit makes the write itself fail, as a full disk would.
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limit = saved;
  limit.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  // Small data fails only when commit() flushes it, large data already in write().
  const bool smallOk = files.writeAtomic(target, std::string(4000, 'n'));
  const bool largeOk = files.writeAtomic(target, std::string(64 * 1024, 'n'));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(smallOk);
  EXPECT_FALSE(largeOk);
  EXPECT_EQ(slurp(target), "old contents");
  EXPECT_EQ(entries(), 1u);
}

TEST_F(QtFilesTest, ReadRefusesWhatIsNotAReadableFile) {
  EXPECT_EQ(files.read(path("missing")), std::nullopt);
  EXPECT_EQ(files.read(dir.path().toStdString()), std::nullopt);
  std::ofstream(path("empty"));
  EXPECT_EQ(files.read(path("empty")), std::string());
}

TEST_F(QtFilesTest, UnicodeNamesRoundTrip) {
  const std::string target = path("ñandú año.mapa");
  ASSERT_TRUE(files.writeAtomic(target, "ok"));
  EXPECT_TRUE(fs::exists(fs::u8path(target)));
  EXPECT_EQ(files.read(target), "ok");
}

TEST(QtFilesProgramFolder, IsTheExecutablesFolderWithOrWithoutApplication) {
  const std::string want = fs::canonical("/proc/self/exe").parent_path().string();
  platform::QtFiles files;
  if (!QCoreApplication::instance()) {
    EXPECT_EQ(files.programFolder(), want);
  }
  testApp();
  EXPECT_EQ(files.programFolder(), want);
}
