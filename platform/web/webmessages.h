// Message boxes in the page: an in-page modal box with the program's
// title and "Aceptar", awaited (ASYNCIFY) so that the rules see a call
// that returns when the player has closed it, as on the desktop.
#pragma once

#include <string>

#include "platform/messages.h"

namespace platform {

class WebMessages final : public Messages {
 public:
  explicit WebMessages(std::string title) : title_(std::move(title)) {}
  void show(const std::string& text, Icon icon) override;

 private:
  std::string title_;
};

}  // namespace platform
