// The timer rules of the Qt loop, with real Qt timers of a few tens of milliseconds. Waits are
// on conditions (a tick having come), never on a fixed time.
#include <QTest>
#include <vector>

#include "QtTestRegistry.h"
#include "platform/qt/QtEventLoop.h"

namespace qtui {

namespace {
constexpr int kWaitMs = 3000;  // the longest any condition may take on a busy machine
}

class QtEventLoopTest : public QObject {
  Q_OBJECT

 private slots:
  void firstTickComesOneIntervalAfterSwitchingOn() {
    QtEventLoop loop;
    forms::Timer timer(loop, "timer", 50, false);
    std::vector<std::int64_t> ticks;
    timer.OnTimer = [&] { ticks.push_back(loop.NowMs()); };
    const std::int64_t on = loop.NowMs();
    timer.Enabled = true;
    QVERIFY(QTest::qWaitFor([&] { return ticks.size() >= 2; }, kWaitMs));
    QVERIFY2(ticks[0] - on >= 49, qPrintable(QString::number(ticks[0] - on)));
    // The next interval counts from the tick.
    QVERIFY(ticks[1] - ticks[0] >= 49);
  }

  void switchingOnARunningTimerKeepsItsInterval() {
    QtEventLoop loop;
    forms::Timer slow(loop, "slow", 200, true);
    forms::Timer nudge(loop, "nudge", 30, true);
    std::int64_t switchedAgainAt = -1;
    std::int64_t tickAt = -1;
    nudge.OnTimer = [&] {
      nudge.Enabled = false;
      switchedAgainAt = loop.NowMs();
      slow.Enabled = true;
    };
    slow.OnTimer = [&] {
      if (tickAt < 0) tickAt = loop.NowMs();
    };
    QVERIFY(QTest::qWaitFor([&] { return tickAt >= 0; }, kWaitMs));
    QVERIFY(switchedAgainAt >= 0);
    // A new interval would have put the tick a full 200 ms after the second switching on.
    QVERIFY2(tickAt - switchedAgainAt < 195, qPrintable(QString::number(tickAt - switchedAgainAt)));
  }

  void switchingOffAndOnAgainStartsANewInterval() {
    QtEventLoop loop;
    forms::Timer slow(loop, "slow", 150, true);
    forms::Timer nudge(loop, "nudge", 30, true);
    std::int64_t restartedAt = -1;
    std::int64_t tickAt = -1;
    nudge.OnTimer = [&] {
      nudge.Enabled = false;
      slow.Enabled = false;
      slow.Enabled = true;
      restartedAt = loop.NowMs();
    };
    slow.OnTimer = [&] {
      if (tickAt < 0) tickAt = loop.NowMs();
    };
    QVERIFY(QTest::qWaitFor([&] { return tickAt >= 0; }, kWaitMs));
    QVERIFY2(tickAt - restartedAt >= 149, qPrintable(QString::number(tickAt - restartedAt)));
  }

  void aPumpInsideTheHandlerSkipsItsTimerWhoseTickComesOnceAfterwards() {
    QtEventLoop loop;
    forms::Timer timer(loop, "timer", 30, true);
    int depth = 0;
    int deepest = 0;
    std::vector<std::int64_t> starts;
    std::int64_t firstHandlerEnd = -1;
    timer.OnTimer = [&] {
      ++depth;
      deepest = std::max(deepest, depth);
      starts.push_back(loop.NowMs());
      if (starts.size() == 1) {
        // Several intervals pass while this handler pumps.
        while (loop.NowMs() - starts[0] < 120) loop.DoEvents();
        firstHandlerEnd = loop.NowMs();
      }
      --depth;
    };
    QVERIFY(QTest::qWaitFor([&] { return starts.size() >= 3; }, kWaitMs));
    QCOMPARE(deepest, 1);
    // The tick that fell due during the pump comes at once, and only once: the one after it
    // waits a full interval.
    QVERIFY2(starts[1] - firstHandlerEnd < 25, qPrintable(QString::number(starts[1] - firstHandlerEnd)));
    QVERIFY2(starts[2] - starts[1] >= 29, qPrintable(QString::number(starts[2] - starts[1])));
  }

  void aPumpInsideAHandlerRunsTheOtherDueTimers() {
    QtEventLoop loop;
    forms::Timer pumping(loop, "pumping", 20, true);
    forms::Timer other(loop, "other", 20, true);
    bool otherRanInside = false;
    pumping.OnTimer = [&] {
      pumping.Enabled = false;
      const std::int64_t start = loop.NowMs();
      while (!otherRanInside && loop.NowMs() - start < kWaitMs) loop.DoEvents();
    };
    other.OnTimer = [&] {
      if (pumping.InTick()) otherRanInside = true;
    };
    QVERIFY(QTest::qWaitFor([&] { return otherRanInside; }, kWaitMs));
  }

  void aTimerSwitchedOffInItsHandlerGetsNoMissedTick() {
    QtEventLoop loop;
    forms::Timer timer(loop, "timer", 20, true);
    forms::Timer deadline(loop, "deadline", 150, false);
    bool deadlinePassed = false;
    deadline.OnTimer = [&] { deadlinePassed = true; };
    timer.OnTimer = [&] {
      const std::int64_t start = loop.NowMs();
      while (loop.NowMs() - start < 60) loop.DoEvents();
      timer.Enabled = false;
      deadline.Enabled = true;
    };
    QVERIFY(QTest::qWaitFor([&] { return deadlinePassed; }, kWaitMs));
    QCOMPARE(timer.Ticks(), 1LL);
  }

  void aDestroyedTimerTicksNoMore() {
    QtEventLoop loop;
    int ticks = 0;
    auto doomed = std::make_unique<forms::Timer>(loop, "doomed", 20, true);
    doomed->OnTimer = [&] { ++ticks; };
    forms::Timer deadline(loop, "deadline", 100, true);
    bool deadlinePassed = false;
    deadline.OnTimer = [&] { deadlinePassed = true; };
    doomed.reset();
    QVERIFY(QTest::qWaitFor([&] { return deadlinePassed; }, kWaitMs));
    QCOMPARE(ticks, 0);
  }
};

QTUI_TEST_CLASS(QtEventLoopTest)

}  // namespace qtui

#include "QtEventLoopTest.moc"
