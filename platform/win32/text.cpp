#include "platform/win32/text.h"

#include <windows.h>

#include <limits>

namespace platform {

// Invalid bytes become U+FFFD rather than failing: a text always shows.
std::wstring wide(std::string_view utf8) {
  std::wstring out;
  wideInto(out, utf8);
  return out;
}

void wideInto(std::wstring& out, std::string_view utf8) {
  out.clear();
  if (utf8.empty() || utf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
    return;
  const int n = static_cast<int>(utf8.size());
  const int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, nullptr, 0);
  out.resize(static_cast<std::size_t>(count));
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, out.data(), count);
}

std::string utf8(std::wstring_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()) / 4)
    return {};
  const int n = static_cast<int>(text.size());
  const int count = WideCharToMultiByte(CP_UTF8, 0, text.data(), n, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), n, out.data(), count, nullptr, nullptr);
  return out;
}

}  // namespace platform
