#include "platform/posixfiles.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <utility>
#include <vector>

namespace platform {

namespace {

// Closes a descriptor on every way out of a function.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
  int release() { return std::exchange(fd, -1); }
};

// Regular files only: their reads and writes are never cut short by a
// signal, so an error is an error.
bool writeAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

mode_t creationMode() {
  // What open(..., 0666) would give: mkstemp itself creates files 0600.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

PosixFiles::PosixFiles(SyncFunction sync) : sync_(sync ? sync : &::fsync) {}

std::string PosixFiles::programFolder() const {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : exe.parent_path().string();
}

std::optional<std::string> PosixFiles::read(const std::string& path, std::size_t maxBytes) {
  // The type is checked before opening, so a FIFO is never opened at all and
  // a device is never read; the open itself cannot block either, and fstat
  // checks again what was really opened.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  Descriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
  if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<std::uintmax_t>(info.st_size) > maxBytes)
    return std::nullopt;

  // One byte more than the file holds: a file that grows while we read it
  // is still being written, and is no file to read yet.
  const auto size = static_cast<std::size_t>(info.st_size);
  std::string bytes(size + 1, '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::read(file.fd, bytes.data() + got, bytes.size() - got);
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  if (got > size) return std::nullopt;
  bytes.resize(got);
  return bytes;
}

bool PosixFiles::writeAtomic(const std::string& path, std::string_view data) {
  const std::size_t cut = path.find_last_of(kSeparator);
  const std::string folder = cut == std::string::npos ? std::string("./") : path.substr(0, cut + 1);
  std::string temp = folder + ".tarnwick-XXXXXX";
  Descriptor file{::mkostemp(temp.data(), O_CLOEXEC)};
  if (file.fd < 0) return false;
  bool ok =
      ::fchmod(file.fd, creationMode()) == 0 && writeAll(file.fd, data) && sync_(file.fd) == 0;
  ok = ::close(file.release()) == 0 && ok;
  // rename() replaces whatever the name is, a symbolic link included, and
  // refuses to replace a folder or to take a name ending in a separator.
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  // The new name lasts once the folder is synced; the data already does.
  Descriptor dir{::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (dir.fd >= 0) ::fsync(dir.fd);
  return true;
}

bool PosixFiles::remove(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool PosixFiles::makeFolder(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  return std::filesystem::is_directory(path, error);
}

bool PosixFiles::isFolder(const std::string& path) const {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PosixFiles::isFile(const std::string& path) const {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string xdgDataHome(const char* xdgDataHome, const char* home) {
  // The XDG rule ignores a relative $XDG_DATA_HOME; it would name a
  // different folder from every working directory.
  if (xdgDataHome && xdgDataHome[0] == '/') return xdgDataHome;
  if (home && home[0] != '\0') return std::string(home) + "/.local/share";
  return {};
}

std::string PosixFiles::userDataFolder() const {
  const char* home = std::getenv("HOME");
  // A program started without HOME (by a service, say) still finds the
  // user's home in the password database.
  std::vector<char> buffer(16384);
  passwd entry{}, *found = nullptr;
  if ((!home || !home[0]) &&
      ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
    home = found->pw_dir;
  return xdgDataHome(std::getenv("XDG_DATA_HOME"), home);
}

}  // namespace platform
