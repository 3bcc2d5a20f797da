#include "platform/qt/QtEventLoop.h"

#include <QCoreApplication>
#include <QTimer>

namespace qtui {

QtEventLoop::QtEventLoop() { clock_.start(); }

QtEventLoop::~QtEventLoop() = default;

std::int64_t QtEventLoop::NowMs() const { return clock_.elapsed(); }

void QtEventLoop::DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

QTimer* QtEventLoop::QtTimerOf(const forms::Timer& timer) const {
  auto it = timers_.find(&timer);
  return it == timers_.end() ? nullptr : it->second;
}

void QtEventLoop::Register(forms::Timer& timer) {
  timer.creationOrder = created_++;
  // One shot per interval, restarted at each tick: the next interval then counts from the
  // tick, and a tick met inside its own handler can be given back once, right after it.
  auto* qtTimer = new QTimer(&owner_);
  qtTimer->setSingleShot(true);
  qtTimer->setTimerType(Qt::PreciseTimer);
  QObject::connect(qtTimer, &QTimer::timeout, qtTimer, [this, &timer] { Tick(timer); });
  timers_[&timer] = qtTimer;
}

void QtEventLoop::Unregister(forms::Timer& timer) {
  QTimer* qtTimer = QtTimerOf(timer);
  if (qtTimer == nullptr) return;
  timers_.erase(&timer);
  qtTimer->stop();
  qtTimer->disconnect();
  // The timer may go away inside its own tick; its Qt timer is deleted once the tick is over.
  qtTimer->deleteLater();
}

void QtEventLoop::Arm(forms::Timer& timer) {
  timer.missedTick = false;
  QTimer* qtTimer = QtTimerOf(timer);
  if (qtTimer == nullptr) return;
  if (timer.Interval() > 0) {
    qtTimer->start(timer.Interval());
  } else {
    qtTimer->stop();
  }
}

void QtEventLoop::Disarm(forms::Timer& timer) {
  timer.missedTick = false;
  if (QTimer* qtTimer = QtTimerOf(timer)) qtTimer->stop();
}

void QtEventLoop::Tick(forms::Timer& timer) {
  if (!timer.Enabled) return;
  if (timer.InTick()) {
    // A pump inside the handler met the timer due: the tick comes after the handler.
    timer.missedTick = true;
    return;
  }
  QTimer* qtTimer = QtTimerOf(timer);
  timer.missedTick = false;
  qtTimer->start(timer.Interval());
  if (!timer.Fire()) {
    timer.missedTick = true;
    return;
  }
  // The handler may have destroyed the timer (its Qt timer is then gone) or switched it off.
  qtTimer = QtTimerOf(timer);
  if (qtTimer == nullptr || !timer.Enabled || !timer.missedTick) return;
  timer.missedTick = false;
  qtTimer->start(0);
}

}  // namespace qtui
