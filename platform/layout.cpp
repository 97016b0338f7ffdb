#include "platform/layout.h"

#include <charconv>

namespace platform {

void setPairText(std::string& out, std::string_view prefix, int32_t a, int32_t b) {
  char buffer[32];  // "(", two 32-bit numbers, "," and ")"
  char* end = buffer;
  *end++ = '(';
  end = std::to_chars(end, buffer + sizeof buffer, a).ptr;
  *end++ = ',';
  end = std::to_chars(end, buffer + sizeof buffer, b).ptr;
  *end++ = ')';
  out.assign(prefix);
  out.append(buffer, end);
}

}  // namespace platform
