// The event loop of the running program: Qt's, with a Qt timer behind each forms::Timer.
//
// NowMs is a steady clock that starts with the loop. DoEvents runs the pending Qt events
// (input, paints, due timers) and returns. The timers keep the rules of forms::EventLoop:
//  - the first tick comes one interval after the timer is switched on; switching on a timer
//    that is on changes nothing; switching it off and on again starts a new interval;
//  - the next interval counts from the start of a tick;
//  - a tick handler is never re-entered: when a pump inside the handler meets the timer due,
//    the tick is remembered and comes once, as soon as the handler has returned.
// A timer with an interval of 0 or less never ticks. Due timers run in the order Qt finds
// them due. Needs a QCoreApplication; must outlive its timers, and runs on the GUI thread.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <cstdint>
#include <unordered_map>

#include "platform/forms/EventLoop.h"

class QTimer;

namespace qtui {

class QtEventLoop : public forms::EventLoop {
 public:
  QtEventLoop();
  ~QtEventLoop() override;

  std::int64_t NowMs() const override;
  void DoEvents() override;

 protected:
  void Register(forms::Timer& timer) override;
  void Unregister(forms::Timer& timer) override;
  void Arm(forms::Timer& timer) override;
  void Disarm(forms::Timer& timer) override;

 private:
  void Tick(forms::Timer& timer);
  QTimer* QtTimerOf(const forms::Timer& timer) const;

  QElapsedTimer clock_;
  QObject owner_;  // parent of the Qt timers
  std::unordered_map<const forms::Timer*, QTimer*> timers_;
  int created_ = 0;
};

}  // namespace qtui
