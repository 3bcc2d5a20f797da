#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ConsoleFixture.h"

namespace console_test {
namespace {

class StatusDisplayTest : public ConsoleTest {
 protected:
  // The lit lamp frame, 1 to 3, or 0 when dark; fails when more than one is lit.
  int LitFrame() {
    int lit = 0;
    int count = 0;
    for (auto [frame, number] : {std::pair{&form().imgRed1, 1}, std::pair{&form().imgred2, 2}, std::pair{&form().imgRed3, 3}}) {
      if (frame->Visible) {
        lit = number;
        ++count;
      }
    }
    EXPECT_LE(count, 1);
    return lit;
  }

  // The lamp after each of the next n ticks of Timer4.
  std::vector<int> LampTicks(int n) {
    std::vector<int> frames;
    for (int i = 0; i < n; ++i) {
      loop.Advance(150);
      frames.push_back(LitFrame());
    }
    return frames;
  }
};

TEST_F(StatusDisplayTest, LabelsKeepTheirLoadCaptionsUntilTheFirstTicksAfterTheLoad) {
  Boot();
  EXPECT_EQ(form().Label14.Caption.get(), "Other File: Disabled.");
  EXPECT_EQ(form().Label10.Caption.get(), "");
  EXPECT_EQ(form().lblPending.Caption.get(), "0");

  app->m.intOtherFile = 1;
  app->m.intIDCount = 3;
  form().imgInternet.Visible = true;
  loop.Advance(55);
  EXPECT_EQ(form().Label11.Caption.get(), "Intranet mode: Enabled");
  EXPECT_EQ(form().Label14.Caption.get(), "Other File: Enabled");
  EXPECT_EQ(form().Label10.Caption.get(), "ID value:  3");

  app->m.intOtherFile = 2;  // only 1 reads as enabled
  app->m.intIDCount = -2;
  form().imgInternet.Visible = false;
  loop.Advance(55);
  EXPECT_EQ(form().Label11.Caption.get(), "Intranet mode: Disabled");
  EXPECT_EQ(form().Label14.Caption.get(), "Other File: Disabled");
  EXPECT_EQ(form().Label10.Caption.get(), "ID value: -2");
}

TEST_F(StatusDisplayTest, CountersShowPlainNumbersWithinASecond) {
  Boot();
  app->m.intPending = -3;
  app->m.intToCall = 12;
  loop.Advance(999);
  EXPECT_EQ(form().lblPending.Caption.get(), "0");
  loop.Advance(1);
  EXPECT_EQ(form().lblPending.Caption.get(), "-3");
  EXPECT_EQ(form().lblToCall.Caption.get(), "12");
  app->m.intPending = 0;
  loop.Advance(1000);
  EXPECT_EQ(form().lblPending.Caption.get(), "0");
}

TEST_F(StatusDisplayTest, LampSweepsWhileRunningAndGoesDarkAfterStop) {
  Boot();
  EXPECT_EQ(LampTicks(3), (std::vector<int>{0, 0, 0}));  // stopped: dark

  app->m.strServerState = "RUNNING";
  const long long pumpsBefore = loop.Pumps();
  EXPECT_EQ(LampTicks(8), (std::vector<int>{1, 2, 3, 2, 1, 2, 3, 2}));
  EXPECT_GE(loop.Pumps() - pumpsBefore, 8);  // each running tick ends with a pump
  EXPECT_TRUE(app->m.blnLedBack);

  Press(form().Stop);  // Stop while the sweep goes back
  EXPECT_EQ(app->m.strServerState, "STOP");
  EXPECT_EQ(LampTicks(2), (std::vector<int>{0, 0}));
  EXPECT_TRUE(app->m.blnLedBack);

  app->m.strServerState = "RUNNING";  // the next run starts from frame 1 again
  EXPECT_EQ(LampTicks(4), (std::vector<int>{1, 2, 3, 2}));
}

}  // namespace
}  // namespace console_test
