// Key state, as the rules ask for it once per tick.
// The rules call pressed() with the Windows virtual-key codes below; the Qt
// layer (qt/qtkeys.cpp) translates its own key codes into these.
#pragma once

namespace platform {

namespace vk {
inline constexpr int Space = 32, Left = 37, Up = 38, Right = 39, Down = 40, G = 71, H = 72, R = 82;
}

class Keys {
 public:
  virtual ~Keys() = default;
  // True if the key is held now or was pressed since the previous query
  // of this same key. The query clears that key's latch only.
  virtual bool pressed(int vk) = 0;
};

}  // namespace platform
