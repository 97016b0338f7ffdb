// The one place that asks which system the program is compiled for. The
// rest of the code reads these constants (with `if constexpr` where a rule
// differs), so that no portable file tests a platform macro of its own.
#pragma once

namespace platform {

#ifdef _WIN32
inline constexpr bool kWindows = true;
// The folder separator; "\" in the programs' path literals stands for it.
inline constexpr char kSeparator = '\\';
inline constexpr const char* kSeparators = "\\/";  // both cut a Windows path
#else
inline constexpr bool kWindows = false;
inline constexpr char kSeparator = '/';
inline constexpr const char* kSeparators = "/";
#endif

}  // namespace platform
