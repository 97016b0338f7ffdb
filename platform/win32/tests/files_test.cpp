// The Windows file layer against a real temporary folder, under the same
// promises as the POSIX one: regular files only, size caps, atomic saves.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "platform/testing/fakes.h"

namespace fs = std::filesystem;

namespace {

struct Win32FilesTest : ::testing::Test {
  platform::testing::TempFiles files;
  std::string path(const std::string& name) const { return files.path(name); }
  std::size_t leftovers() const {
    std::size_t n = 0;
    for (const auto& entry : fs::directory_iterator(files.root))
      n += entry.path().filename().string().rfind(".tarnwick-", 0) == 0;
    return n;
  }
};

}  // namespace

TEST_F(Win32FilesTest, ReadsWholeRegularFilesUpToTheCapAndNothingElse) {
  files.put("mapas/ñandú.mapa", "hola\r\n");
  fs::create_directories(files.root / "carpeta");
  const struct {
    std::string path;
    std::size_t cap;
    std::optional<std::string> want;
  } cases[] = {
      {path("mapas/ñandú.mapa"), 6, "hola\r\n"},     // UTF-8 name, exactly the cap
      {path("mapas\\ñandú.mapa"), 5, std::nullopt},  // one byte over
      {path("falta.mapa"), 100, std::nullopt},
      {path("carpeta"), 100, std::nullopt},
      {"NUL", 100, std::nullopt},
      {"CON", 100, std::nullopt},
      {"\\\\.\\pipe\\tarnwick", 100, std::nullopt},
      {"", 100, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(files.read(c.path, c.cap), c.want) << c.path;
}

TEST_F(Win32FilesTest, SavesReplaceWholeFilesAndFailuresLeaveEverythingAsItWas) {
  const std::string target = path("personajes\\héroe");
  EXPECT_TRUE(files.writeAtomic(target, "nuevo"));
  EXPECT_TRUE(files.writeAtomic(target, "otro"));  // replaces
  EXPECT_EQ(files.read(target, 100), "otro");
  fs::create_directories(files.root / "carpeta");
  for (const std::string& refused : {path("carpeta"), path("personajes\\"), path("falta\\x.mapa")})
    EXPECT_FALSE(files.writeAtomic(refused, "x")) << refused;
  EXPECT_TRUE(fs::is_directory(files.root / "carpeta"));
  EXPECT_EQ(files.read(target, 100), "otro");
  EXPECT_EQ(leftovers(), 0u);
  EXPECT_TRUE(files.remove(target));
  EXPECT_FALSE(files.remove(target));
}

TEST_F(Win32FilesTest, FoldersAreMadeWithTheirParentsAndTheProgramFolderIsTheExecutables) {
  EXPECT_TRUE(files.makeFolder(path("a\\b\\c")));
  EXPECT_TRUE(files.makeFolder(path("a\\b\\c")));  // already there
  files.put("a/archivo", "x");
  EXPECT_FALSE(files.makeFolder(path("a\\archivo")));
  platform::Win32Files real;
  const std::string folder = real.programFolder();
  EXPECT_TRUE(
      fs::exists(fs::path(std::u8string(folder.begin(), folder.end())) / "platform_tests.exe"))
      << real.programFolder();
  // A folder, a file, and neither; %APPDATA% is the user's data folder.
  for (const auto& [name, folder, file] :
       {std::tuple{"a\\b", true, false}, {"a\\archivo", false, true}, {"falta", false, false}})
    EXPECT_EQ(std::pair(files.isFolder(path(name)), files.isFile(path(name))),
              std::pair(folder, file))
        << name;
  SetEnvironmentVariableW(L"APPDATA", L"C:\\Datos de \u00e1");
  EXPECT_EQ(real.userDataFolder(), "C:\\Datos de \u00e1");
}
