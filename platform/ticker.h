// The guard every front end runs its timer events through. No tick starts
// while another runs: a message box or file dialog opened inside a tick
// runs a nested event loop (or, in a browser, is awaited), and a tick
// handled there would act on half-updated state. Timer events that arrive
// meanwhile are dropped, not queued.
#pragma once

namespace platform {

class Ticker {
 public:
  // Runs tick() unless a tick is already running; says whether it ran.
  // The next tick may start even if this one ends by an exception.
  template <class Tick>
  bool run(Tick&& tick) {
    if (running_) return false;
    struct Running {
      bool& flag;
      explicit Running(bool& f) : flag(f) { flag = true; }
      ~Running() { flag = false; }
    } running{running_};
    tick();
    return true;
  }

  bool running() const { return running_; }

 private:
  bool running_ = false;
};

}  // namespace platform
