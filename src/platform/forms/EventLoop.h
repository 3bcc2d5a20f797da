// The event loop and its timers.
//
// Principles of operation. All work runs on one thread, in handlers: timer ticks and input
// events. A handler may pump pending events (DoEvents); other due timers and queued input then
// run inside it. Rules every loop keeps:
//  - a timer's first tick comes one interval after it is switched on; switching on a timer that
//    is already on changes nothing; switching it off and on again starts a new interval;
//  - a tick handler is never re-entered: a pump inside it skips that timer; a tick that fell due
//    meanwhile comes once, after the handler has returned (ticks do not pile up);
//  - due ticks run in time order; ties in the order the timers were created;
//  - a timer whose interval is 0 never ticks.
// Two loops keep these rules: SimulatedLoop (virtual time, for tests) and the Qt loop of the
// window layer.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/forms/Property.h"

namespace forms {

class Timer;

class EventLoop {
 public:
  virtual ~EventLoop() = default;

  // Milliseconds since the loop began.
  virtual std::int64_t NowMs() const = 0;

  // Runs the events that are pending now (due ticks of timers not in their handler, queued
  // input), then returns.
  virtual void DoEvents() = 0;

  // A handler's bounded wait: runs the events of the next `ms` milliseconds as DoEvents does,
  // then returns. The real loops pump and sleep in turn; SimulatedLoop moves its virtual time.
  virtual void Wait(std::int64_t ms);

 protected:
  friend class Timer;
  virtual void Register(Timer& timer) = 0;
  virtual void Unregister(Timer& timer) = 0;
  virtual void Arm(Timer& timer) = 0;     // switched on: first tick one interval from now
  virtual void Disarm(Timer& timer) = 0;  // switched off: no more ticks
};

class Timer {
 public:
  // Registers with the loop, which must outlive the timer.
  Timer(EventLoop& loop, std::string name, int intervalMs, bool enabled);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const std::string& Name() const { return name_; }
  int Interval() const { return intervalMs_; }
  bool InTick() const { return inTick_; }
  // Ticks handled since creation.
  long long Ticks() const { return ticks_; }

  // Switching on and off; the loop learns of real changes only.
  Property<bool> Enabled;

  // The tick handler.
  std::function<void()> OnTimer;

  // Called by the loop when the timer is due; runs the handler unless it is already running.
  // Returns false when the tick was skipped because the handler is running.
  bool Fire();

  // Loop bookkeeping.
  std::int64_t dueMs = 0;
  bool missedTick = false;
  int creationOrder = 0;

 private:
  EventLoop& loop_;
  std::string name_;
  int intervalMs_;
  bool inTick_ = false;
  long long ticks_ = 0;
};

}  // namespace forms
