// Plain key state table behind Keys. The Qt event filter feeds it press and
// release; tests feed it directly. Codes outside 0..255 are ignored.
#pragma once

#include <array>

#include "platform/keys.h"

namespace platform {

class KeyTracker final : public Keys {
 public:
  void press(int vk);
  void release(int vk);
  // Called when the program loses focus: releases that happen elsewhere
  // never reach us, so nothing may stay held.
  void releaseAll();
  // Forgets everything, held keys and presses not yet asked about alike.
  void clear();
  bool pressed(int vk) override;
  // Held now, as far as the presses and releases fed in tell.
  bool held(int vk) const { return vk >= 0 && vk < kCount && held_[static_cast<std::size_t>(vk)]; }

 private:
  static constexpr int kCount = 256;
  std::array<bool, kCount> held_{};
  std::array<bool, kCount> latched_{};  // pressed since the last query
};

}  // namespace platform
