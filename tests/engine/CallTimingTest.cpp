// The timing of a call, the pause, the dial time-out and the re-cycle, tick by tick.
#include "EngineFixture.h"

namespace engine_test {
namespace {

class CallTimingTest : public EngineTest {};

TEST_F(CallTimingTest, CallOfNMessagesLasts6NPlus8TicksFromConnectToHangUp) {
  for (int n : {1, 3}) {
    SCOPED_TRACE(n);
    h.Exec("DELETE FROM Queue; DELETE FROM TranLog");
    QueueMany("5550100", n);
    LoginPrompts(1);
    writes.clear();
    StartAndConnect();
    const std::int64_t connect = h.loop.NowMs();  // the reader took "CONNECT" at this tick
    ASSERT_TRUE(form().tmrSend.Enabled);
    Seconds(6 * n + 8);

    const auto at = [&](int tick) { return connect + tick * 1000; };
    EXPECT_EQ(WritesOf("\r\r"), std::vector<std::int64_t>{at(3)});
    EXPECT_EQ(WritesOf("M\r"), std::vector<std::int64_t>{at(5)});
    for (int k = 1; k <= n; ++k) {
      EXPECT_EQ(WritesOf("U" + std::to_string(k) + "\r"), std::vector<std::int64_t>{at(6 * k + 2)});
      EXPECT_EQ(WritesOf("text " + std::to_string(k) + "\r"), std::vector<std::int64_t>{at(6 * k + 5)});
    }
    EXPECT_EQ(WritesOf("ATH+++\r"), std::vector<std::int64_t>{at(6 * n + 8)});
    EXPECT_EQ(form().lblStatus.Caption.get(), "Not Online");
    EXPECT_EQ(Column("Queue", "Status"), std::vector<std::string>(n, "Y"));
    EXPECT_EQ(h.CountRows("TranLog"), n);

    // The pause: the list ends at its 8th tick, and the re-cycle calls Start 8 ticks later.
    Seconds(7);
    EXPECT_TRUE(form().tmrCountdown.Enabled);
    EXPECT_EQ(form().Label2.Caption.get(), "Next Company: 1 seconds");
    Seconds(1);
    EXPECT_FALSE(form().tmrCountdown.Enabled);
    EXPECT_TRUE(form().tmrRestart.Enabled);
    EXPECT_EQ(form().Label2.Caption.get(), "");
    EXPECT_EQ(h.CountRows("Queue"), 0);
    EXPECT_FALSE(h.m.dbPager->IsOpen());
    Seconds(7);
    EXPECT_EQ(form().Label3.Caption.get(), "Re-cycle: 1");
    Seconds(1);
    EXPECT_EQ(form().Label3.Caption.get(), "Re-cycle: 0");
    EXPECT_TRUE(h.m.dbPager->IsOpen()) << "Start ran at the 8th re-cycle tick";
    EXPECT_TRUE(form().tmrRestart.Enabled) << "nothing queued: Start re-cycles again";
    h.core->Command2_Click();
  }
}

TEST_F(CallTimingTest, DialTimesOutAtTheTimeOutThTickAndNextCompanyIsDialedEightTicksLater) {
  QueueMany("5550100", 2);
  QueueMany("5550200", 1);
  h.m.intTimeOut = 5;
  Start();
  Seconds(4);
  EXPECT_EQ(form().Label9.Caption.get(), " 1 seconds");
  EXPECT_TRUE(form().tmrDialing.Enabled);
  Seconds(1);
  EXPECT_EQ(form().Label9.Caption.get(), " 0 seconds");
  EXPECT_FALSE(form().tmrDialing.Enabled);
  EXPECT_EQ(form().lblStatus.Caption.get(), "Paging Company did not answer");
  EXPECT_EQ(WritesOf("ATH+++\r"), std::vector<std::int64_t>{5000});
  EXPECT_EQ(h.CountRows("Temp"), 2);
  EXPECT_EQ(LogSentences(), (std::vector<std::string>{
                                "text 1 to unit U1 was not sent because paging company did not answer.",
                                "text 2 to unit U2 was not sent because paging company did not answer."}));
  Seconds(8);
  EXPECT_EQ(WritesOf("ATDT5550200\r"), std::vector<std::int64_t>{13000});
  EXPECT_EQ(form().lblStatus.Caption.get(), "Dialing 5550200");
  EXPECT_TRUE(form().tmrDialing.Enabled);
  EXPECT_EQ(h.m.intDialSecs.value(), 0);
}

TEST_F(CallTimingTest, TimeOutBelowOneSecondFallsBackToThirtyAndALoweredTimeOutStillEndsTheDial) {
  QueueMany("5550100", 1);
  h.m.intTimeOut = 0;
  Start();
  Seconds(29);
  EXPECT_TRUE(form().tmrDialing.Enabled);
  EXPECT_EQ(form().Label9.Caption.get(), " 1 seconds");
  Seconds(1);
  EXPECT_FALSE(form().tmrDialing.Enabled);
  EXPECT_EQ(h.CountRows("Temp"), 1);

  // The next dial with a time-out of 45 that the setup window lowers to 3 after 10 seconds.
  h.core->Command2_Click();
  h.Exec("DELETE FROM Temp");
  QueueMany("5550100", 1);
  h.m.intTimeOut = 45;
  Start();
  Seconds(10);
  h.m.intTimeOut = 3;
  Seconds(1);
  EXPECT_FALSE(form().tmrDialing.Enabled);
  EXPECT_EQ(form().lblStatus.Caption.get(), "Paging Company did not answer");
}

TEST_F(CallTimingTest, CompanyWithoutRowsAtItsTurnCostsAnotherPause) {
  QueueMany("5550100", 1);
  QueueMany("5550200", 1);
  QueueMany("5550300", 1);
  line().PushInput("BUSY");
  Start();
  Seconds(1);
  h.Exec("DELETE FROM Queue WHERE Modem = '5550200'");  // gone before its turn
  Seconds(8);
  EXPECT_TRUE(WritesOf("ATDT5550200\r").empty());
  EXPECT_TRUE(form().tmrCountdown.Enabled);
  EXPECT_EQ(form().Label2.Caption.get(), "");
  Seconds(1);
  EXPECT_EQ(form().Label2.Caption.get(), "Next Company: 7 seconds");
  Seconds(7);
  EXPECT_EQ(WritesOf("ATDT5550300\r"), std::vector<std::int64_t>{17000});
}

// A cycle in which c companies answer and take n messages in all lasts the sum of the dial
// times + 6n + 16c + 8 seconds, plus Start: here with the modem simulator behind the line.
TEST_F(CallTimingTest, WholeCycleWithTheSimulatedTerminalLastsDialTimesPlus6nPlus16cPlus8) {
  modemsim::ModemConfig config;
  config.dialPlan.Add("5550100", modemsim::ParseBehaviour("connect:2.5"));
  config.dialPlan.Add("5550200", modemsim::ParseBehaviour("connect:6.5"));
  testing_support::InProcessTerminal terminal(h.loop, h.fakeSerial, config);
  QueueMany("5550100", 2);
  QueueMany("5550200", 3);
  Start();
  const std::int64_t start = h.loop.NowMs();
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return h.m.dbPager && !h.m.dbPager->IsOpen(); }, 200'000, 1000));
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return h.m.dbPager && h.m.dbPager->IsOpen(); }, 20'000, 1000));
  // The answer reader reads once a second, so a dial lasts whole seconds: the answer that comes
  // 2.5 s after the dial line is read at the 3rd tick, the one after 6.5 s at the 7th.
  const int dialTimes = 3 + 7, n = 5, c = 2;
  EXPECT_EQ(h.loop.NowMs() - start, (dialTimes + 6 * n + 16 * c + 8) * 1000);
  EXPECT_EQ(terminal.Pages().size(), 5u);
  EXPECT_EQ(h.CountRows("TranLog"), 5);
  EXPECT_EQ(h.CountRows("Temp"), 0);
}

}  // namespace
}  // namespace engine_test
