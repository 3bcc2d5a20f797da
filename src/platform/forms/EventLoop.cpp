#include "platform/forms/EventLoop.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace forms {

void EventLoop::Wait(std::int64_t ms) {
  const std::int64_t until = NowMs() + ms;
  for (std::int64_t left = ms; left > 0; left = until - NowMs()) {
    DoEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min<std::int64_t>(left, 10)));
  }
  DoEvents();
}

Timer::Timer(EventLoop& loop, std::string name, int intervalMs, bool enabled)
    : Enabled(false), loop_(loop), name_(std::move(name)), intervalMs_(intervalMs) {
  loop_.Register(*this);
  Enabled.Observe([this] {
    if (Enabled) {
      loop_.Arm(*this);
    } else {
      loop_.Disarm(*this);
    }
  });
  Enabled = enabled;
}

Timer::~Timer() { loop_.Unregister(*this); }

bool Timer::Fire() {
  if (inTick_) return false;
  inTick_ = true;
  ++ticks_;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{inTick_};
  if (OnTimer) OnTimer();
  return true;
}

}  // namespace forms
