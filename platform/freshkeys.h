// Which key events a message box may see: only those of keys pressed after
// it appeared. A key held when it opened (Space in a fight) and its
// autorepeat would otherwise answer the box before the player has seen it.
// Fed by each platform's box with the events of its own keyboard.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

namespace platform {

class FreshKeys {
 public:
  // True if the event must be withheld from the box. nowMs counts from any
  // fixed moment. The same event given twice gets the same answer.
  bool withhold(int key, bool press, bool autoRepeat, std::int64_t nowMs);

 private:
  // A repeat that the window system fails to pair arrives as a plain
  // release and press a few milliseconds apart; a key counts as pressed
  // anew only when its press comes this long after its release (X repeats
  // 25 times a second).
  static constexpr std::int64_t kRepeatGapMs = 100;
  struct Estado {
    bool fresh;                              // pressed while the box was open
    std::optional<std::int64_t> releasedAt;  // a stale key's last release, if it is up
  };
  std::map<int, Estado> keys_;
};

}  // namespace platform
