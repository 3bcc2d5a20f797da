#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/forms/EventLoop.h"
#include "platform/forms/SimulatedLoop.h"

namespace forms {
namespace {

// Records "name@ms" for every tick.
struct TickLog {
  SimulatedLoop& loop;
  std::vector<std::string> ticks;
  void Attach(Timer& timer) {
    timer.OnTimer = [this, &timer] { ticks.push_back(timer.Name() + "@" + std::to_string(loop.NowMs())); };
  }
};

using Ticks = std::vector<std::string>;

TEST(Timer, FirstTickComesOneIntervalAfterSwitchingOn) {
  SimulatedLoop loop;
  TickLog log{loop, {}};
  Timer timer(loop, "t", 1000, false);
  log.Attach(timer);
  loop.Advance(500);
  timer.Enabled = true;  // at 500
  loop.Advance(1499);
  EXPECT_EQ(log.ticks, (Ticks{"t@1500"}));
  loop.Advance(1000);
  EXPECT_EQ(log.ticks, (Ticks{"t@1500", "t@2500"}));
  EXPECT_EQ(timer.Ticks(), 2);
}

TEST(Timer, SwitchingOnARunningTimerChangesNothingButOffAndOnRestarts) {
  SimulatedLoop loop;
  TickLog log{loop, {}};
  Timer timer(loop, "t", 1000, true);
  log.Attach(timer);
  loop.Advance(700);
  timer.Enabled = true;
  loop.Advance(300);
  EXPECT_EQ(log.ticks, (Ticks{"t@1000"}));
  loop.Advance(400);
  timer.Enabled = false;
  timer.Enabled = true;  // at 1400: next tick at 2400
  loop.Advance(1000);
  EXPECT_EQ(log.ticks, (Ticks{"t@1000", "t@2400"}));
  timer.Enabled = false;
  loop.Advance(5000);
  EXPECT_EQ(log.ticks.size(), 2u);
}

TEST(Timer, DueTicksRunInTimeOrderTiesInCreationOrder) {
  SimulatedLoop loop;
  TickLog log{loop, {}};
  Timer slow(loop, "slow", 300, true);
  Timer b(loop, "b", 150, true);
  Timer a(loop, "a", 100, true);
  for (Timer* t : {&slow, &b, &a}) log.Attach(*t);
  loop.Advance(300);
  EXPECT_EQ(log.ticks, (Ticks{"a@100", "b@150", "a@200", "slow@300", "b@300", "a@300"}));
}

TEST(Timer, AHandlerSwitchingTimersActsFromItsOwnMoment) {
  SimulatedLoop loop;
  TickLog log{loop, {}};
  Timer first(loop, "first", 1000, true);
  Timer second(loop, "second", 1000, false);
  log.Attach(second);
  first.OnTimer = [&] {
    first.Enabled = false;
    second.Enabled = true;
  };
  loop.Advance(2500);
  EXPECT_EQ(log.ticks, (Ticks{"second@2000"}));
}

TEST(Timer, APumpInsideAHandlerRunsOtherTicksButNeverReentersIt) {
  SimulatedLoop loop;
  Timer outer(loop, "outer", 1000, true);
  Timer inner(loop, "inner", 1000, true);
  int depth = 0;
  int deepest = 0;
  int innerTicks = 0;
  outer.OnTimer = [&] {
    ++depth;
    deepest = std::max(deepest, depth);
    loop.DoEvents();
    --depth;
  };
  inner.OnTimer = [&] {
    ++innerTicks;
    EXPECT_TRUE(outer.InTick());
  };
  loop.Advance(1000);
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(innerTicks, 1);  // due at the same moment, run by the pump inside outer's tick
  EXPECT_EQ(inner.Ticks(), 1);
}

TEST(Timer, ATickMissedDuringAHandlerComesOnceAfterwards) {
  SimulatedLoop loop;
  TickLog log{loop, {}};
  Timer slow(loop, "slow", 100, true);
  Timer other(loop, "other", 1000, false);
  log.Attach(other);
  int slowTicks = 0;
  slow.OnTimer = [&] {
    ++slowTicks;
    if (slowTicks == 1) {
      // A modal box that stays open for 550 ms: five of slow's ticks fall due meanwhile.
      loop.Advance(550);
    }
  };
  loop.Advance(100);
  EXPECT_EQ(loop.NowMs(), 650);
  EXPECT_EQ(slowTicks, 2);  // the missed ticks came once, right after the handler
  loop.Advance(99);
  EXPECT_EQ(slowTicks, 2);
  loop.Advance(1);
  EXPECT_EQ(slowTicks, 3);  // the next interval counts from the late tick
}

TEST(Timer, AMissedTickIsDroppedWhenTheTimerIsSwitchedOffInTheHandler) {
  SimulatedLoop loop;
  Timer timer(loop, "t", 100, true);
  int ticks = 0;
  timer.OnTimer = [&] {
    ++ticks;
    loop.Advance(300);
    timer.Enabled = false;
  };
  loop.Advance(1000);
  EXPECT_EQ(ticks, 1);
}

TEST(Timer, ATimerWithoutIntervalNeverTicks) {
  SimulatedLoop loop;
  Timer timer(loop, "t", 0, true);
  int ticks = 0;
  timer.OnTimer = [&] { ++ticks; };
  loop.Advance(1000);
  loop.DoEvents();
  EXPECT_EQ(ticks, 0);
}

TEST(Timer, ADestroyedTimerLeavesTheLoop) {
  SimulatedLoop loop;
  int ticks = 0;
  {
    Timer timer(loop, "t", 100, true);
    timer.OnTimer = [&] { ++ticks; };
    loop.Advance(100);
  }
  loop.Advance(1000);
  EXPECT_EQ(ticks, 1);
}

TEST(EventPump, DoEventsRunsPostedInputAndTicksDueNowOnly) {
  SimulatedLoop loop;
  Timer timer(loop, "t", 100, true);
  std::vector<std::string> order;
  timer.OnTimer = [&] { order.push_back("tick"); };
  loop.Post([&] { order.push_back("click"); });
  loop.DoEvents();
  EXPECT_EQ(order, (std::vector<std::string>{"click"}));  // nothing is due at 0
  EXPECT_EQ(loop.NowMs(), 0);
  Timer due(loop, "due", 50, false);
  due.OnTimer = [&] {
    order.push_back("due");
    loop.Post([&] { order.push_back("posted by due"); });
    loop.DoEvents();
  };
  due.Enabled = true;
  loop.Advance(50);
  EXPECT_EQ(order, (std::vector<std::string>{"click", "due", "posted by due"}));
  EXPECT_EQ(loop.Pumps(), 2);
}

TEST(EventPump, AdvanceRunsQueuedInputFirstAndAfterEachTick) {
  SimulatedLoop loop;
  Timer timer(loop, "t", 100, true);
  std::vector<std::string> order;
  timer.OnTimer = [&] {
    order.push_back("tick@" + std::to_string(loop.NowMs()));
    if (order.size() == 2) loop.Post([&] { order.push_back("click@" + std::to_string(loop.NowMs())); });
  };
  loop.Post([&] { order.push_back("click@" + std::to_string(loop.NowMs())); });
  loop.Advance(300);
  EXPECT_EQ(order, (std::vector<std::string>{"click@0", "tick@100", "click@100", "tick@200", "tick@300"}));
}

TEST(EventPump, AdvanceUntilStopsWhenTheConditionHolds) {
  SimulatedLoop loop;
  Timer timer(loop, "t", 1000, true);
  EXPECT_TRUE(loop.AdvanceUntil([&] { return timer.Ticks() == 3; }, 10000, 10));
  EXPECT_EQ(loop.NowMs(), 3000);
  EXPECT_FALSE(loop.AdvanceUntil([] { return false; }, 500, 100));
  EXPECT_EQ(loop.NowMs(), 3500);
}

}  // namespace
}  // namespace forms
