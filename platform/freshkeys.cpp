#include "platform/freshkeys.h"

namespace platform {

bool FreshKeys::withhold(int key, bool press, bool autoRepeat, std::int64_t nowMs) {
  auto found = keys_.find(key);
  if (found == keys_.end()) {
    if (press && !autoRepeat) {
      keys_[key] = Estado{true, std::nullopt};
      return false;
    }
    // Its first news is a repeat or a release: it was down before the box.
    found = keys_.emplace(key, Estado{false, std::nullopt}).first;
  }
  Estado& e = found->second;
  if (autoRepeat) {
    if (!e.fresh) e.releasedAt.reset();  // still held
    return true;
  }
  if (e.fresh) return false;
  if (!press) {
    e.releasedAt = nowMs;
    return true;
  }
  if (e.releasedAt && nowMs - *e.releasedAt > kRepeatGapMs) {
    e.fresh = true;
    return false;
  }
  e.releasedAt.reset();
  return true;
}

}  // namespace platform
