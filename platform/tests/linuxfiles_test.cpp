// The file layer against what only Linux's kernel provokes: FIFOs, devices,
// files that grow as they are read, a file size limit, a failed sync. Tests
// run as root, so failures come from these instead of permission bits.
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <atomic>
#include <csignal>
#include <thread>

#include "platform/tests/filestest.h"

namespace fs = std::filesystem;

// Every test runs under a 1 MiB file size limit, so a larger write fails as
// on a full disk (and a write that never ends fails instead of filling one).
class KernelFilesTest : public FilesTest {
 protected:
  KernelFilesTest() {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limit{1 << 20, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~KernelFilesTest() override { setrlimit(RLIMIT_FSIZE, &saved); }

  rlimit saved{};
};

TEST_F(KernelFilesTest, ReadsOnlyRegularFiles) {
  put("ten", "0123456789");
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", path("zero"));
  const int opens = inotify_init1(IN_NONBLOCK);
  ASSERT_GE(inotify_add_watch(opens, path("fifo").c_str(), IN_OPEN), 0);
  for (const char* name : {"fifo", "zero"})  // a device behind a link
    EXPECT_EQ(files.read(path(name), 9), std::nullopt) << name;
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

TEST_F(KernelFilesTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
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
  EXPECT_EQ(get("heroe"), "old contents");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
}

TEST_F(KernelFilesTest, AFifoIsNeitherFileNorFolder) {
  ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
  fs::create_symlink(path("fifo"), path("to-fifo"));
  for (const char* name : {"fifo", "to-fifo"})
    EXPECT_FALSE(files.isFile(path(name)) || files.isFolder(path(name))) << name;
}
