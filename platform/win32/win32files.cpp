#include "platform/win32/win32files.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <utility>

#include "platform/win32/text.h"

namespace platform {

namespace {

struct Handle {
  HANDLE h;
  ~Handle() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  HANDLE release() { return std::exchange(h, INVALID_HANDLE_VALUE); }
};

// "\\.\" and "\\?\" name devices and pipes as well as files; opening a pipe
// would connect to whoever serves it. No dialog gives such a name.
bool deviceNamespace(const std::wstring& path) {
  if (path.size() < 4) return false;
  auto sep = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  return sep(path[0]) && sep(path[1]) && (path[2] == L'.' || path[2] == L'?') && sep(path[3]);
}

}  // namespace

std::string Win32Files::programFolder() const {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (n == 0) return ".";
    if (n < name.size()) {
      name.resize(n);
      break;
    }
    name.resize(name.size() * 2);  // cut short: a long path
  }
  const std::size_t cut = name.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::string(".") : utf8(name.substr(0, cut));
}

std::optional<std::string> Win32Files::read(const std::string& path, std::size_t maxBytes) {
  const std::wstring name = wide(path);
  if (name.empty() || deviceNamespace(name)) return std::nullopt;
  // The attributes first, so a folder or a device ("CON", "NUL") is never opened.
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
    return std::nullopt;
  Handle file{CreateFileW(name.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)};
  BY_HANDLE_FILE_INFORMATION info{};
  if (file.h == INVALID_HANDLE_VALUE || GetFileType(file.h) != FILE_TYPE_DISK ||
      !GetFileInformationByHandle(file.h, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  const unsigned long long size =
      (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  if (size > maxBytes) return std::nullopt;

  // One byte more than the file holds: a file growing while we read it is
  // still being written, and is no file to read yet.
  std::string bytes(static_cast<std::size_t>(size) + 1, '\0');
  std::size_t got = 0;
  while (got < bytes.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - got, 1u << 30));
    DWORD n = 0;
    if (!ReadFile(file.h, bytes.data() + got, want, &n, nullptr)) return std::nullopt;
    if (n == 0) break;
    got += n;
  }
  if (got > size) return std::nullopt;
  bytes.resize(got);
  return bytes;
}

bool Win32Files::writeAtomic(const std::string& path, std::string_view data) {
  const std::wstring name = wide(path);
  if (name.empty() || deviceNamespace(name)) return false;
  const std::size_t cut = name.find_last_of(L"\\/");
  const std::wstring folder =
      cut == std::wstring::npos ? std::wstring(L".\\") : name.substr(0, cut + 1);

  // A fresh name in the same folder, so the final move stays on one volume.
  static std::mt19937 pick{std::random_device{}() ^ GetCurrentProcessId()};
  std::wstring temp;
  Handle file{INVALID_HANDLE_VALUE};
  for (int attempt = 0; attempt < 16 && file.h == INVALID_HANDLE_VALUE; ++attempt) {
    wchar_t suffix[16];
    swprintf(suffix, 16, L"%08x", static_cast<unsigned>(pick()));
    temp = folder + L".tarnwick-" + suffix;
    file.h = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
    if (file.h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  if (file.h == INVALID_HANDLE_VALUE) return false;

  bool ok = true;
  while (ok && !data.empty()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 30));
    DWORD n = 0;
    ok = WriteFile(file.h, data.data(), want, &n, nullptr) && n > 0;
    data.remove_prefix(n);
  }
  ok = FlushFileBuffers(file.h) && ok;
  ok = CloseHandle(file.release()) && ok;
  // Replaces a file (a symbolic link itself, not its target); refuses a
  // folder and a name ending in a separator.
  ok = ok &&
       MoveFileExW(temp.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temp.c_str());
  return ok;
}

bool Win32Files::remove(const std::string& path) {
  const std::wstring name = wide(path);
  return !name.empty() && DeleteFileW(name.c_str());
}

bool Win32Files::makeFolder(const std::string& path) {
  const std::filesystem::path folder(wide(path));
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return std::filesystem::is_directory(folder, error);
}

namespace {

DWORD attributesOf(const std::string& path) {
  const std::wstring name = wide(path);
  return name.empty() || deviceNamespace(name) ? INVALID_FILE_ATTRIBUTES
                                               : GetFileAttributesW(name.c_str());
}

}  // namespace

bool Win32Files::isFolder(const std::string& path) const {
  const DWORD attributes = attributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Files::isFile(const std::string& path) const {
  const DWORD attributes = attributesOf(path);
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

std::string Win32Files::userDataFolder() const {
  std::wstring value(32768, L'\0');
  const DWORD n =
      GetEnvironmentVariableW(L"APPDATA", value.data(), static_cast<DWORD>(value.size()));
  if (n == 0 || n >= value.size()) return {};
  value.resize(n);
  return utf8(value);
}

}  // namespace platform
