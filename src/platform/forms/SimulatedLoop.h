// An event loop in virtual time, for tests.
//
// Nothing runs by itself: Advance(ms) moves the virtual clock and runs the ticks that fall due
// on the way, in time order (ties in timer creation order), each at its own virtual moment.
// DoEvents, called by a handler, runs the ticks due at the present moment and the input events
// a test queued with Post. Handlers take no virtual time unless they advance the loop
// themselves (as a scripted modal box does).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/forms/EventLoop.h"

namespace forms {

class SimulatedLoop : public EventLoop {
 public:
  SimulatedLoop() = default;
  ~SimulatedLoop() override = default;

  std::int64_t NowMs() const override { return nowMs_; }
  void DoEvents() override;
  // Advances virtual time by ms (Advance), also from inside a handler.
  void Wait(std::int64_t ms) override { Advance(ms); }

  // Moves virtual time forward by ms, running every tick that falls due up to and including
  // the end point. Queued input runs first.
  void Advance(std::int64_t ms);

  // Advances in steps until the condition holds or maxMs have passed; returns whether it holds.
  bool AdvanceUntil(const std::function<bool()>& condition, std::int64_t maxMs, std::int64_t stepMs = 1);

  // Queues an input event (a click, a key) for the next pump or the next Advance.
  void Post(std::function<void()> event);

  // How many times DoEvents ran (handlers that must pump can be checked).
  long long Pumps() const { return pumps_; }

 protected:
  void Register(Timer& timer) override;
  void Unregister(Timer& timer) override;
  void Arm(Timer& timer) override;
  void Disarm(Timer& timer) override;

 private:
  // The enabled timer due first at or before the limit, not in its own tick; null when none.
  Timer* NextDue(std::int64_t limitMs) const;
  void RunInput();
  void FireAt(Timer& timer);

  std::int64_t nowMs_ = 0;
  int created_ = 0;
  long long pumps_ = 0;
  std::vector<Timer*> timers_;
  std::deque<std::function<void()>> input_;
};

}  // namespace forms
