#include "platform/forms/Clock.h"

#include <gtest/gtest.h>

#include "platform/forms/SimulatedLoop.h"

namespace forms {
namespace {

TEST(SimulatedClock, MovesWithVirtualTimeAcrossMidnight) {
  SimulatedLoop loop;
  loop.Advance(5000);
  SimulatedClock clock(loop, vb::Date{2026, 12, 31}, vb::TimeOfDay{23, 59, 58});
  EXPECT_EQ(clock.TimeNow(), (vb::TimeOfDay{23, 59, 58}));
  loop.Advance(1999);
  EXPECT_EQ(clock.TimeNow(), (vb::TimeOfDay{23, 59, 59}));
  loop.Advance(1);
  EXPECT_EQ(clock.Today(), (vb::Date{2027, 1, 1}));
  EXPECT_EQ(clock.TimeNow(), (vb::TimeOfDay{0, 0, 0}));
  clock.Set(vb::Date{2026, 12, 7}, vb::TimeOfDay{14, 30, 0});
  loop.Advance(61000);
  EXPECT_EQ(clock.Today(), (vb::Date{2026, 12, 7}));
  EXPECT_EQ(clock.TimeNow(), (vb::TimeOfDay{14, 31, 1}));
}

TEST(SystemClock, GivesAValidDateAndTime) {
  SystemClock clock;
  EXPECT_TRUE(vb::IsValidDate(clock.Today()));
  vb::TimeOfDay now = clock.TimeNow();
  EXPECT_LT(now.hour, 24);
  EXPECT_LT(now.minute, 60);
}

}  // namespace
}  // namespace forms
