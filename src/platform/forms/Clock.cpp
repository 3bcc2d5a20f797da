#include "platform/forms/Clock.h"

#include <ctime>

#include "platform/forms/EventLoop.h"

namespace forms {

namespace {
std::tm LocalNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}
}  // namespace

vb::Date SystemClock::Today() const {
  std::tm local = LocalNow();
  return vb::Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

vb::TimeOfDay SystemClock::TimeNow() const {
  std::tm local = LocalNow();
  return vb::TimeOfDay{local.tm_hour, local.tm_min, local.tm_sec};
}

SimulatedClock::SimulatedClock(const EventLoop& loop, vb::Date startDate, vb::TimeOfDay startTime)
    : loop_(loop), startDate_(startDate), startSeconds_(startTime.Seconds()), loopStartMs_(loop.NowMs()) {}

void SimulatedClock::Set(vb::Date date, vb::TimeOfDay time) {
  startDate_ = date;
  startSeconds_ = time.Seconds();
  loopStartMs_ = loop_.NowMs();
}

long long SimulatedClock::NowSeconds() const { return startSeconds_ + (loop_.NowMs() - loopStartMs_) / 1000; }

vb::Date SimulatedClock::Today() const {
  return vb::AddDays(startDate_, static_cast<int>(NowSeconds() / 86400));
}

vb::TimeOfDay SimulatedClock::TimeNow() const {
  long long s = NowSeconds() % 86400;
  return vb::TimeOfDay{static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60), static_cast<int>(s % 60)};
}

}  // namespace forms
