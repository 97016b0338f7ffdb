// Modal message boxes with one OK button and the program's title.
// Called by the rules to report saves, errors and the end of a level.
#pragma once

#include <string>

namespace platform {

enum class Icon { None, Information, Critical };

class Messages {
 public:
  virtual ~Messages() = default;
  // Returns when the user has closed the box.
  virtual void show(const std::string& text, Icon icon) = 0;
};

}  // namespace platform
