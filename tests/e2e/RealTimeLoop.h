// An event loop in real time without a window system, for the end-to-end test: timers run on
// the steady clock, and the loop sleeps in poll() until the next one is due.
//
// It keeps the rules of every loop (see EventLoop.h): a first tick one interval after the
// switch-on; no re-entry of a tick handler (a pump inside it skips that timer, and a tick that
// fell due meanwhile comes once after it returns); due ticks in time order, ties in creation
// order. The next interval counts from the moment a tick runs, so a late tick delays the ones
// after it instead of bunching them up.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/forms/EventLoop.h"

namespace testing_support {

class RealTimeLoop : public forms::EventLoop {
 public:
  RealTimeLoop();

  std::int64_t NowMs() const override;
  void DoEvents() override;

  // Runs the timers as they fall due until the condition holds (checked after each round and
  // at least every 20 ms) or maxMs have passed; returns whether it holds.
  bool RunUntil(const std::function<bool()>& condition, std::int64_t maxMs);

 protected:
  void Register(forms::Timer& timer) override;
  void Unregister(forms::Timer& timer) override;
  void Arm(forms::Timer& timer) override;
  void Disarm(forms::Timer& timer) override;

 private:
  forms::Timer* NextDue(std::int64_t nowMs) const;
  void RunDue();
  std::int64_t MsUntilNextDue() const;

  std::chrono::steady_clock::time_point start_;
  int created_ = 0;
  std::vector<forms::Timer*> timers_;
};

}  // namespace testing_support
