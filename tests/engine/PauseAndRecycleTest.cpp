// The pause and the re-cycle across a Stop, a Stop inside the pause's pumps, and the end of
// the company list.
#include "EngineFixture.h"

#include "platform/dao/Database.h"

namespace engine_test {
namespace {

class PauseAndRecycleTest : public EngineTest {
 protected:
  // Two companies; the first answers busy at the first read, so the pause begins at 1 s.
  void BusyFirstCompany() {
    QueueMany("5550100", 1);
    QueueMany("5550200", 1);
    line().PushInput("BUSY");
    Start();
    Seconds(1);
    ASSERT_TRUE(form().tmrCountdown.Enabled);
  }
  // Clicks Stop inside the first or the second pump of the pause's next tick. The tick sets
  // Label2 between its two pumps.
  void StopInsideNextPausePump(int pump) {
    if (pump == 1) {
      form().tmrCountdown.OnTimer = [this] {
        h.loop.Post([this] { h.core->Command2_Click(); });
        engine().tmrCountdown_Timer();
      };
      return;
    }
    stopAtLabelChange_ = true;
    if (!observing_) {
      observing_ = true;
      form().Label2.Caption.Observe([this] {
        if (!stopAtLabelChange_) return;
        stopAtLabelChange_ = false;
        h.loop.Post([this] { h.core->Command2_Click(); });
      });
    }
  }
  bool stopAtLabelChange_ = false;
  bool observing_ = false;
};

TEST_F(PauseAndRecycleTest, PauseAndRecycleCountersCarryOverAStop) {
  BusyFirstCompany();
  Seconds(5);
  EXPECT_EQ(form().Label2.Caption.get(), "Next Company: 3 seconds");
  h.core->Command2_Click();
  Seconds(30);
  EXPECT_EQ(h.m.intCountdown.value(), 5);

  // The next pause is 3 ticks long and its label starts at 2.
  QueueMany("5550300", 1);
  QueueMany("5550400", 1);
  line().PushInput("BUSY");
  Start();
  Seconds(2);
  EXPECT_EQ(form().Label2.Caption.get(), "Next Company: 2 seconds");
  Seconds(2);
  EXPECT_EQ(WritesOf("ATDT5550400\r").size(), 1u);

  // The re-cycle the same way: a Stop at its 5th tick leaves 3 for the next one.
  h.core->Command2_Click();
  Start();  // nothing queued: re-cycle
  ASSERT_TRUE(form().tmrRestart.Enabled);
  Seconds(5);
  h.core->Command2_Click();
  Start();
  Seconds(1);
  EXPECT_EQ(form().Label3.Caption.get(), "Re-cycle: 2");
  const int opens = line().OpenCount();
  Seconds(2);
  EXPECT_EQ(form().Label3.Caption.get(), "Re-cycle: 0");
  EXPECT_EQ(h.m.intRecycle.value(), 0);
  EXPECT_EQ(line().OpenCount(), opens) << "Start ran and found nothing to dial";
  EXPECT_TRUE(form().tmrRestart.Enabled);
}

TEST_F(PauseAndRecycleTest, StopInsideEitherPumpOfThePauseEndsTheTickQuietly) {
  for (int pump : {1, 2}) {
    for (int stopTick : {3, 8}) {
      SCOPED_TRACE(std::to_string(pump) + "/" + std::to_string(stopTick));
      h.m.intCountdown = 0;
      h.Exec("DELETE FROM Queue; DELETE FROM Temp; DELETE FROM TranLog");
      BusyFirstCompany();
      Seconds(stopTick - 1);
      StopInsideNextPausePump(pump);
      Seconds(1);
      EXPECT_TRUE(EngineIdle());
      EXPECT_EQ(h.m.strServerState, "STOP");
      EXPECT_EQ(h.m.intCountdown.value(), stopTick == 8 ? 0 : stopTick) << "a pause run out starts afresh";
      EXPECT_EQ(form().Label2.Caption.get(), stopTick == 8 ? "" : pump == 1 ? "Next Company: 6 seconds" : "Next Company: 5 seconds");
      EXPECT_TRUE(WritesOf("ATDT5550200\r").empty());
      EXPECT_TRUE(h.dialogs.Boxes().empty());
      form().tmrCountdown.OnTimer = [this] { engine().tmrCountdown_Timer(); };
    }
  }
}

TEST_F(PauseAndRecycleTest, PortReopenedDuringThePauseIsUsedForTheNextDial) {
  BusyFirstCompany();
  form().MSComm1.SetPortOpen(true);  // the setup window's Save reopens the port
  Seconds(8);
  EXPECT_EQ(WritesOf("ATDT5550200\r").size(), 1u);
  EXPECT_TRUE(form().tmrDialing.Enabled);
  EXPECT_EQ(form().lblStatus.Caption.get(), "Dialing 5550200");
}

// A failed call settles every row of its company: each gets its failure record, and only the
// waiting ones ("N") go back to Temp. A row an outside writer adds after its company's turn was
// never offered: the end of the list leaves it for the next cycle, whatever its Status.
TEST_F(PauseAndRecycleTest, TheEndOfTheListRemovesOnlyTheRowsTheCycleDealtWith) {
  Queue("5550100", "null", "t", std::nullopt);
  Queue("5550100", "lower", "t", std::string("n"));
  Queue("5550100", "waiting", "t");
  line().PushInput("BUSY");
  Start();
  Seconds(1);
  ASSERT_TRUE(form().tmrCountdown.Enabled);
  Queue("5550100", "late Y", "t", std::string("Y"));
  Queue("5550100", "late null", "t", std::nullopt);
  Seconds(8);
  ASSERT_TRUE(form().tmrRestart.Enabled);
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::string>{"late Y", "late null"}));
  EXPECT_EQ(Column("Temp", "Unit"), std::vector<std::string>{"waiting"});
  EXPECT_EQ(Column("TranLog", "Paging Unit"), (std::vector<std::string>{"waiting", "null", "lower"}));
}

}  // namespace
}  // namespace engine_test
