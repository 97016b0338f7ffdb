// A temporary folder for the tests of the POSIX file layer, with standard
// input closed, as a program may be started: descriptor 0 is then a file
// like any other, and none may be left open.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/posixfiles.h"

class FilesTest : public ::testing::Test {
 protected:
  FilesTest()
      : dir(std::filesystem::temp_directory_path() /
            ("tarnwick-files-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(dir);
    ::close(0);
  }
  ~FilesTest() override {
    EXPECT_EQ(::fcntl(0, F_GETFD), -1) << "a descriptor left open";
    ::dup2(input, 0);
    std::filesystem::remove_all(dir);
  }
  std::string path(const std::string& name) const { return (dir / name).string(); }
  auto get(const std::string& name) { return files.read(path(name), 1 << 20); }
  void put(const std::string& name, const char* text) const { std::ofstream(path(name)) << text; }

  const int input = ::dup(0);
  std::filesystem::path dir;
  platform::PosixFiles files;
};
