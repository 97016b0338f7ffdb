#include "platform/files.h"

namespace platform {

std::string underFolder(const std::string& folder, std::string_view literal) {
  std::string result = folder;
  for (const char c : literal) result.push_back(c == '\\' ? kSeparator : c);
  return result;
}

}  // namespace platform
