#include "RealTimeLoop.h"

#include <poll.h>

#include <algorithm>

namespace testing_support {

namespace {
constexpr std::int64_t kLongestSleepMs = 20;
}  // namespace

RealTimeLoop::RealTimeLoop() : start_(std::chrono::steady_clock::now()) {}

std::int64_t RealTimeLoop::NowMs() const {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
}

void RealTimeLoop::Register(forms::Timer& timer) {
  timer.creationOrder = created_++;
  timers_.push_back(&timer);
}

void RealTimeLoop::Unregister(forms::Timer& timer) {
  timers_.erase(std::remove(timers_.begin(), timers_.end(), &timer), timers_.end());
}

void RealTimeLoop::Arm(forms::Timer& timer) {
  timer.dueMs = NowMs() + timer.Interval();
  timer.missedTick = false;
}

void RealTimeLoop::Disarm(forms::Timer& timer) { timer.missedTick = false; }

forms::Timer* RealTimeLoop::NextDue(std::int64_t nowMs) const {
  forms::Timer* best = nullptr;
  for (forms::Timer* timer : timers_) {
    if (!timer->Enabled || timer->InTick()) continue;
    if (!timer->missedTick && timer->dueMs > nowMs) continue;
    if (best == nullptr || timer->dueMs < best->dueMs ||
        (timer->dueMs == best->dueMs && timer->creationOrder < best->creationOrder)) {
      best = timer;
    }
  }
  return best;
}

void RealTimeLoop::RunDue() {
  const std::int64_t now = NowMs();
  // Ticks that fell due for timers whose handler is running come once, after it returns.
  for (forms::Timer* timer : timers_) {
    if (timer->Enabled && timer->InTick() && timer->dueMs <= now) timer->missedTick = true;
  }
  // Each timer at most once per round: a handler slower than its interval cannot starve the
  // others.
  std::vector<forms::Timer*> ran;
  while (forms::Timer* timer = NextDue(now)) {
    if (std::find(ran.begin(), ran.end(), timer) != ran.end()) break;
    ran.push_back(timer);
    timer->missedTick = false;
    timer->dueMs = NowMs() + timer->Interval();
    timer->Fire();
  }
}

void RealTimeLoop::DoEvents() { RunDue(); }

std::int64_t RealTimeLoop::MsUntilNextDue() const {
  std::int64_t wait = kLongestSleepMs;
  const std::int64_t now = NowMs();
  for (const forms::Timer* timer : timers_) {
    if (timer->Enabled && !timer->InTick()) wait = std::min(wait, std::max<std::int64_t>(0, timer->dueMs - now));
  }
  return wait;
}

bool RealTimeLoop::RunUntil(const std::function<bool()>& condition, std::int64_t maxMs) {
  const std::int64_t end = NowMs() + maxMs;
  while (!condition()) {
    if (NowMs() >= end) return false;
    RunDue();
    if (condition()) return true;
    poll(nullptr, 0, static_cast<int>(MsUntilNextDue()));
  }
  return true;
}

}  // namespace testing_support
