// The file layer against a real temporary folder, on every system it
// serves (Linux; node, for the browser's build). What only Linux's kernel
// can provoke is in linuxfiles_test.cpp.
#include <pwd.h>
#include <sys/stat.h>

#include <cstdlib>

#include "platform/tests/filestest.h"

namespace fs = std::filesystem;

TEST_F(FilesTest, ReadsRegularFilesWithinTheCap) {
  put("ten", "0123456789");
  put("empty", "");
  for (const char* name : {"", "missing"})  // the folder itself, nothing
    EXPECT_EQ(files.read(path(name), 9), std::nullopt) << name;
  EXPECT_EQ(files.read(path("ten"), 10), "0123456789");  // exactly the cap
  EXPECT_EQ(files.read(path("ten"), 9), std::nullopt);   // one byte more
  EXPECT_EQ(files.read(path("empty"), 0), "");
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
  EXPECT_FALSE(files.writeAtomic(path("nope/x"), "data"));  // missing folder
  EXPECT_FALSE(files.writeAtomic(path(""), "data"));        // a folder in the way
  EXPECT_EQ(get("heroe"), "old contents");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1);
}

TEST_F(FilesTest, KindsOfEntryFollowLinks) {
  put("file", "x");
  fs::create_directory(path("folder"));
  fs::create_symlink(path("file"), path("to-file"));
  fs::create_symlink(path("folder"), path("to-folder"));
  fs::create_symlink(path("missing"), path("dangling"));
  std::string kinds;
  for (const char* name : {"file", "to-file", "folder", "to-folder", "dangling", "missing"})
    kinds += std::string(files.isFolder(path(name)) ? "d" : "") +
             (files.isFile(path(name)) ? "f" : "") + " ";
  EXPECT_EQ(kinds, "f f d d   ");
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
  // A system with no password database (the browser's) gives no folder.
  const passwd* user = ::getpwuid(::getuid());
  EXPECT_EQ(platform::PosixFiles().userDataFolder(),
            user ? std::string(user->pw_dir) + "/.local/share" : "");
  if (home) ::setenv("HOME", saved.c_str(), 1);
}
