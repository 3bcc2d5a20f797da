// Today's date and the time of day.
#pragma once

#include "platform/vb/DateTime.h"

namespace forms {

class EventLoop;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual vb::Date Today() const = 0;
  virtual vb::TimeOfDay TimeNow() const = 0;
};

// The machine's local date and time.
class SystemClock : public Clock {
 public:
  vb::Date Today() const override;
  vb::TimeOfDay TimeNow() const override;
};

// A clock that starts at a moment a test sets and moves with the loop's virtual time.
class SimulatedClock : public Clock {
 public:
  SimulatedClock(const EventLoop& loop, vb::Date startDate, vb::TimeOfDay startTime);
  vb::Date Today() const override;
  vb::TimeOfDay TimeNow() const override;
  // Moves the clock to a new moment from now on (virtual time keeps running from there).
  void Set(vb::Date date, vb::TimeOfDay time);

 private:
  long long NowSeconds() const;  // seconds since the start date's midnight
  const EventLoop& loop_;
  vb::Date startDate_;
  long long startSeconds_;
  long long loopStartMs_;
};

}  // namespace forms
