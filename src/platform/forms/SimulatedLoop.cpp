#include "platform/forms/SimulatedLoop.h"

#include <algorithm>

namespace forms {

void SimulatedLoop::Register(Timer& timer) {
  timer.creationOrder = created_++;
  timers_.push_back(&timer);
}

void SimulatedLoop::Unregister(Timer& timer) {
  timers_.erase(std::remove(timers_.begin(), timers_.end(), &timer), timers_.end());
}

void SimulatedLoop::Arm(Timer& timer) {
  timer.dueMs = nowMs_ + timer.Interval();
  timer.missedTick = false;
}

void SimulatedLoop::Disarm(Timer& timer) { timer.missedTick = false; }

Timer* SimulatedLoop::NextDue(std::int64_t limitMs) const {
  Timer* best = nullptr;
  for (Timer* timer : timers_) {
    // A timer without an interval never ticks (it would otherwise be due again at once).
    if (!timer->Enabled || timer->InTick() || timer->Interval() <= 0) continue;
    std::int64_t due = timer->missedTick ? nowMs_ : timer->dueMs;
    if (due > limitMs) continue;
    if (best == nullptr) {
      best = timer;
      continue;
    }
    std::int64_t bestDue = best->missedTick ? nowMs_ : best->dueMs;
    if (due < bestDue || (due == bestDue && timer->creationOrder < best->creationOrder)) best = timer;
  }
  return best;
}

void SimulatedLoop::FireAt(Timer& timer) {
  // The next interval counts from this tick. A tick that falls due while the handler still
  // runs is remembered once and comes when the handler has returned.
  timer.missedTick = false;
  timer.dueMs = nowMs_ + timer.Interval();
  timer.Fire();
}

void SimulatedLoop::RunInput() {
  while (!input_.empty()) {
    auto event = std::move(input_.front());
    input_.pop_front();
    event();
  }
}

void SimulatedLoop::DoEvents() {
  ++pumps_;
  RunInput();
  // Mark ticks that fell due for timers whose handler is running (they come later, once).
  for (Timer* timer : timers_) {
    if (timer->Enabled && timer->InTick() && timer->dueMs <= nowMs_) timer->missedTick = true;
  }
  while (Timer* timer = NextDue(nowMs_)) FireAt(*timer);
}

void SimulatedLoop::Advance(std::int64_t ms) {
  const std::int64_t end = nowMs_ + ms;
  RunInput();
  while (true) {
    // A handler may have moved time past the end (a modal box that stayed open); what fell due
    // meanwhile, a tick missed during that handler included, runs now.
    const std::int64_t limit = std::max(end, nowMs_);
    for (Timer* timer : timers_) {
      if (timer->Enabled && timer->InTick() && timer->dueMs <= limit) timer->missedTick = true;
    }
    Timer* timer = NextDue(limit);
    if (timer == nullptr) break;
    if (!timer->missedTick) nowMs_ = std::max(nowMs_, timer->dueMs);
    FireAt(*timer);
    RunInput();
  }
  nowMs_ = std::max(nowMs_, end);
}

bool SimulatedLoop::AdvanceUntil(const std::function<bool()>& condition, std::int64_t maxMs, std::int64_t stepMs) {
  for (std::int64_t passed = 0; passed < maxMs; passed += stepMs) {
    if (condition()) return true;
    Advance(stepMs);
  }
  return condition();
}

void SimulatedLoop::Post(std::function<void()> event) { input_.push_back(std::move(event)); }

}  // namespace forms
