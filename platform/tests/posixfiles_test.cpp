// The file layer against a real temporary folder. Tests run as root, so
// failures are provoked with FIFOs, devices, links, a file size limit and
// an injected sync failure instead of permission bits.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/posixfiles.h"

namespace fs = std::filesystem;

// Every test runs under a 1 MiB file size limit, so a larger write fails as
// on a full disk (and a write that never ends fails instead of filling one),
// and with standard input closed, as a program may be started: descriptor 0
// is then a file like any other.
class FilesTest : public ::testing::Test {
 protected:
  FilesTest() : dir(fs::temp_directory_path() / ("tarnwick-files-" + std::to_string(::getpid()))) {
    fs::create_directories(dir);
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limit{1 << 20, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    ::close(0);
  }
  ~FilesTest() override {
    EXPECT_EQ(::fcntl(0, F_GETFD), -1) << "a descriptor left open";
    ::dup2(input, 0);
    setrlimit(RLIMIT_FSIZE, &saved);
    fs::remove_all(dir);
  }
  std::string path(const std::string& name) const { return (dir / name).string(); }
  auto get(const std::string& name) { return files.read(path(name), 1 << 20); }
  void put(const std::string& name, const char* text) const { std::ofstream(path(name)) << text; }

  const int input = ::dup(0);
  fs::path dir;
  rlimit saved{};
  platform::PosixFiles files;
};

TEST_F(FilesTest, ReadsOnlyRegularFilesWithinTheCap) {
  put("ten", "0123456789");
  put("empty", "");
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", path("zero"));
  const int opens = inotify_init1(IN_NONBLOCK);
  ASSERT_GE(inotify_add_watch(opens, path("fifo").c_str(), IN_OPEN), 0);
  for (const char* name : {"fifo", "zero", "", "missing"})  // a device behind a link, the folder
    EXPECT_EQ(files.read(path(name), 9), std::nullopt) << name;
  EXPECT_EQ(files.read(path("ten"), 10), "0123456789");  // exactly the cap
  EXPECT_EQ(files.read(path("ten"), 9), std::nullopt);   // one byte more
  EXPECT_EQ(files.read(path("empty"), 0), "");
  char event[256];
  EXPECT_LT(::read(opens, event, sizeof event), 0) << "the FIFO was opened";
  ::close(opens);
  // A FIFO swapped in between the look at the path and the open is refused too.
  std::atomic<bool> done = false;
  std::thread swapper([&] {
    while (!done)
      ::renameat2(AT_FDCWD, path("ten").c_str(), AT_FDCWD, path("fifo").c_str(), RENAME_EXCHANGE);
  });
  int wrong = 0;
  for (int i = 0; i < 20000; ++i) wrong += get("ten").value_or("0123456789") != "0123456789";
  done = true;
  swapper.join();
  EXPECT_EQ(wrong, 0);
  // More bytes than its size said: still being written, so refused.
  EXPECT_EQ(files.read("/proc/self/status", 1 << 20), std::nullopt);
}

TEST_F(FilesTest, WriteReplacesThePathItselfWithExactBytes) {
  const std::string binary("a\0b\r\nc\xff", 7);
  const mode_t mask = ::umask(027);
  ASSERT_TRUE(files.writeAtomic(path("mapa"), std::string(5000, 'x')));
  ASSERT_TRUE(files.writeAtomic(path("mapa"), binary));
  ::umask(mask);
  EXPECT_EQ(get("mapa"), binary);  // shorter content leaves no tail behind
  EXPECT_EQ(fs::status(path("mapa")).permissions(), fs::perms(0640));  // as open(0666) makes it
  // A link at the target is replaced by the new file; what it pointed at is untouched.
  put("elsewhere", "precious");
  fs::create_symlink(path("elsewhere"), path("pepe"));
  ASSERT_TRUE(files.writeAtomic(path("pepe"), "pepe,2,150,"));
  EXPECT_EQ(get("pepe"), "pepe,2,150,");
  EXPECT_EQ(get("elsewhere"), "precious");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 3);  // no temporary left over
  EXPECT_TRUE(files.remove(path("mapa")) && !files.remove(path("mapa")));
  EXPECT_TRUE(files.makeFolder(path("a/b")) && files.makeFolder(path("a/b")));  // then there
  EXPECT_FALSE(files.makeFolder(path("pepe")));                                 // a file in the way
}

TEST_F(FilesTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  put("heroe", "old contents");
  // The sync fails, as a disk may only say then. The file it was asked to
  // sync is a hidden one beside the target, so the rename is atomic.
  static fs::path synced;
  platform::PosixFiles failingSync([](int fd) {
    synced = fs::read_symlink("/proc/self/fd/" + std::to_string(fd));
    return -1;
  });
  EXPECT_FALSE(failingSync.writeAtomic(path("heroe"), "new"));
  EXPECT_TRUE(synced.string().starts_with((fs::canonical(dir) / ".tarnwick-").string())) << synced;
  EXPECT_FALSE(files.writeAtomic(path("heroe"), std::string(2 << 20, 'n')));  // past the limit
  EXPECT_FALSE(files.writeAtomic(path("nope/x"), "data"));                    // missing folder
  EXPECT_FALSE(files.writeAtomic(path(""), "data"));                          // a folder in the way
  EXPECT_EQ(get("heroe"), "old contents");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
}

TEST_F(FilesTest, KindsOfEntryFollowLinks) {
  put("file", "x");
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
  fs::create_directory(path("folder"));
  fs::create_symlink(path("file"), path("to-file"));
  fs::create_symlink(path("folder"), path("to-folder"));
  fs::create_symlink(path("missing"), path("dangling"));
  std::string kinds;
  for (const char* name : {"file", "to-file", "folder", "to-folder", "fifo", "dangling", "missing"})
    kinds += std::string(files.isFolder(path(name)) ? "d" : "") +
             (files.isFile(path(name)) ? "f" : "") + " ";
  EXPECT_EQ(kinds, "f f d d    ");
}

// The XDG rule: an absolute $XDG_DATA_HOME, else HOME/.local/share; a
// program started without HOME finds the home in the password database.
TEST(UserDataFolder, FollowsTheXdgRule) {
  const struct {
    const char *xdg, *home, *want;
  } cases[] = {{"/datos", "/home/u", "/datos"},
               {"", "/home/u", "/home/u/.local/share"},
               {"datos", "/home/u", "/home/u/.local/share"},  // relative: ignored
               {nullptr, "/home/u", "/home/u/.local/share"},
               {nullptr, "", ""},
               {nullptr, nullptr, ""}};
  for (const auto& c : cases)
    EXPECT_EQ(platform::xdgDataHome(c.xdg, c.home), c.want) << (c.xdg ? c.xdg : "unset");
  ::setenv("XDG_DATA_HOME", "/x/d", 1);
  EXPECT_EQ(platform::PosixFiles().userDataFolder(), "/x/d");
  ::unsetenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  const std::string saved = home ? home : "";
  ::unsetenv("HOME");
  EXPECT_EQ(platform::PosixFiles().userDataFolder(),
            std::string(::getpwuid(::getuid())->pw_dir) + "/.local/share");
  if (home) ::setenv("HOME", saved.c_str(), 1);
}
