// The file layer against a real temporary folder. Tests run as root, so
// failures are provoked with FIFOs, devices, links, a file size limit and
// an injected sync failure instead of permission bits.
#include "platform/posixfiles.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {

class FilesTest : public ::testing::Test {
 protected:
  FilesTest() : dir(fs::temp_directory_path() / ("tarnwick-files-" + std::to_string(::getpid()))) {
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  ~FilesTest() override { fs::remove_all(dir); }
  std::string path(const std::string& name) const { return (dir / name).string(); }
  static std::string slurp(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static void put(const std::string& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
  }
  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
  }

  fs::path dir;
  platform::PosixFiles files;
};

}  // namespace

TEST_F(FilesTest, ReadsOnlyRegularFilesWithinTheCap) {
  put(path("ten"), "0123456789");
  put(path("empty"), "");
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", path("zero"));
  fs::create_symlink(path("ten"), path("link"));
  fs::create_directory(path("folder"));
  const struct {
    const char* name;
    std::size_t cap;
    std::optional<std::string> want;
  } cases[] = {
      {"ten", 10, "0123456789"},  // exactly the cap
      {"ten", 9, std::nullopt},   // one byte more
      {"link", 10, "0123456789"},
      {"empty", 0, ""},
      {"missing", 100, std::nullopt},
      {"fifo", 100, std::nullopt},  // never opened, so never blocks
      {"zero", 100, std::nullopt},  // a device, here behind a link
      {"folder", 100, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(files.read(path(c.name), c.cap), c.want) << c.name;
  EXPECT_EQ(files.read("/dev/zero", 1 << 20), std::nullopt);
}

TEST_F(FilesTest, WriteReplacesThePathItselfWithExactBytes) {
  const std::string target = path("mapa.mapa"), binary("a\0b\r\nc\xff", 7);
  ASSERT_TRUE(files.writeAtomic(target, std::string(5000, 'x')));
  ASSERT_TRUE(files.writeAtomic(target, binary));
  EXPECT_EQ(slurp(target), binary);  // shorter content leaves no tail behind
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::others_read, fs::perms::others_read);

  // A link at the target is replaced by the new file; what it pointed at
  // (here outside the folder) is untouched.
  put(path("elsewhere"), "precious");
  fs::create_symlink(path("elsewhere"), path("pepe"));
  ASSERT_TRUE(files.writeAtomic(path("pepe"), "pepe,2,150,"));
  EXPECT_FALSE(fs::is_symlink(path("pepe")));
  EXPECT_EQ(slurp(path("pepe")), "pepe,2,150,");
  EXPECT_EQ(slurp(path("elsewhere")), "precious");

  const std::string unicode = path("ñandú año.mapa");
  ASSERT_TRUE(files.writeAtomic(unicode, "ok"));
  EXPECT_EQ(files.read(unicode, 2), "ok");
  EXPECT_EQ(entries(), 4u);  // no temporary left over
  EXPECT_TRUE(files.remove(target));
  EXPECT_FALSE(files.remove(target));
}

TEST_F(FilesTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  const std::string target = path("heroe");
  put(target, "old contents");
  fs::create_directory(path("folder"));

  // The sync fails, as a disk may only say then. The file it was asked to
  // sync is a hidden one beside the target, so the rename is atomic.
  static fs::path synced;
  platform::PosixFiles failingSync([](int fd) {
    synced = fs::read_symlink("/proc/self/fd/" + std::to_string(fd));
    errno = EIO;
    return -1;
  });
  EXPECT_FALSE(failingSync.writeAtomic(target, "new"));
  EXPECT_EQ(synced.parent_path(), fs::canonical(dir));
  EXPECT_EQ(synced.filename().string().substr(0, 10), ".tarnwick-");
  EXPECT_FALSE(files.writeAtomic(path("nope/x"), "data"));  // missing folder
  EXPECT_FALSE(files.writeAtomic(path("folder"), "data"));  // a folder in the way
  EXPECT_TRUE(fs::is_directory(path("folder")));

  // A file size limit makes the write itself fail, as a full disk would.
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limit = saved;
  limit.rlim_cur = 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  const bool largeOk = files.writeAtomic(target, std::string(4000, 'n'));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(largeOk);

  EXPECT_EQ(slurp(target), "old contents");
  EXPECT_EQ(entries(), 2u);
}

TEST_F(FilesTest, MakeFolderCreatesParentsAndRefusesAFileInTheWay) {
  EXPECT_TRUE(files.makeFolder(path("a/personajes")));
  EXPECT_TRUE(fs::is_directory(path("a/personajes")));
  EXPECT_TRUE(files.makeFolder(path("a/personajes")));  // already there
  put(path("file"), "x");
  EXPECT_FALSE(files.makeFolder(path("file")));
}

TEST(FilesProgramFolder, IsTheExecutablesFolder) {
  EXPECT_EQ(platform::PosixFiles().programFolder(),
            fs::canonical("/proc/self/exe").parent_path().string());
}
