#include "platform/keytracker.h"

namespace platform {

namespace {
bool valid(int vk) { return vk >= 0 && vk < 256; }
}  // namespace

void KeyTracker::press(int vk) {
  if (!valid(vk)) return;
  held_[vk] = true;
  latched_[vk] = true;
}

void KeyTracker::release(int vk) {
  if (!valid(vk)) return;
  held_[vk] = false;  // the latch survives: a quick tap between ticks still counts
}

void KeyTracker::releaseAll() { held_.fill(false); }

void KeyTracker::clear() {
  held_.fill(false);
  latched_.fill(false);
}

bool KeyTracker::pressed(int vk) {
  if (!valid(vk)) return false;
  const bool result = held_[vk] || latched_[vk];
  latched_[vk] = false;
  return result;
}

}  // namespace platform
