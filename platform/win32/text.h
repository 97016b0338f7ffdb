// UTF-8, the rules' text, to and from UTF-16, the text of every wide Win32 call.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::wstring wide(std::string_view utf8);
// The same into `out`, reusing its storage: no allocation once it has grown.
void wideInto(std::wstring& out, std::string_view utf8);
std::string utf8(std::wstring_view text);

}  // namespace platform
