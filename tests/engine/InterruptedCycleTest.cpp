// Cycles cut short by the database or by Start's error trap: every page the terminal took is
// stored as sent once and never dialled again; every other page keeps waiting.
#include "EngineFixture.h"

#include <sys/stat.h>

#include "platform/forms/Dialogs.h"

namespace engine_test {
namespace {

class InterruptedCycleTest : public EngineTest {
 protected:
  void SetUp() override {
    ReplyTo("ATDT5550100\r", "\r\nCONNECT 2400\r\n");
    LoginPrompts(1);
  }
  int SentRecords() {
    int sent = 0;
    for (const auto& sentence : LogSentences()) sent += sentence.find("was sent successfully.") != std::string::npos;
    return sent;
  }
  // Runs until the engine has gone back to the re-cycle pause `cycles` times.
  void RunCycles(int cycles) {
    for (int i = 0; i < cycles; ++i) {
      ASSERT_TRUE(h.loop.AdvanceUntil([&] { return !form().tmrRestart.Enabled.get(); }, 600000, 1000));
      ASSERT_TRUE(h.loop.AdvanceUntil([&] { return form().tmrRestart.Enabled.get(); }, 600000, 1000));
    }
  }
};

// The log refuses the record of a sent page: the page is neither failed back into Temp nor
// dialled again; the engine holds before its next call until the record can be written.
TEST_F(InterruptedCycleTest, APageWhoseRecordCannotBeWrittenWaitsForItAndIsNotSentAgain) {
  QueueMany("5550100", 2);
  QueueMany("5550200", 1);
  h.Exec("CREATE TRIGGER refuse BEFORE INSERT ON TranLog WHEN NEW.Message LIKE '%sent successfully.' "
         "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
  Start();
  Seconds(12);  // text 1 at the 11th send tick
  EXPECT_EQ(form().lblStatus.Caption.get().rfind("Error: ", 0), 0u) << form().lblStatus.Caption.get();
  EXPECT_FALSE(h.dbEngine.Workspaces(0).InTransaction());
  EXPECT_EQ(WrittenTexts().back(), "ATH+++\r");
  EXPECT_EQ(Column("Queue", "Status"), (std::vector<std::string>{"N", "N", "N"}));
  EXPECT_EQ(h.CountRows("Temp"), 0);
  Seconds(24);
  EXPECT_TRUE(WritesOf("ATDT5550200\r").empty()) << "no next call before the sent page is stored";

  h.Exec("DROP TRIGGER refuse");
  Seconds(8);
  EXPECT_EQ(LogSentences(), std::vector<std::string>{"text 1 for unit U1 was sent successfully."});
  EXPECT_EQ(WritesOf("ATDT5550200\r").size(), 1u);
  RunCycles(2);
  EXPECT_EQ(WritesOf("text 1\r").size(), 1u);
  EXPECT_EQ(WritesOf("text 2\r").size(), 1u) << "the page that waited goes out in the next cycle";
}

// An outside write lock of 20 seconds in the middle of a call: nothing lost, nothing twice.
TEST_F(InterruptedCycleTest, AWriteLockInTheMiddleOfACallLosesAndDoublesNothing) {
  QueueMany("5550100", 3);
  Start();
  Seconds(10);  // unit 1 went out at 9 s
  {
    const auto lock = h.HoldWriteLock();
    Seconds(20);
  }
  RunCycles(2);
  for (const char* text : {"text 1\r", "text 2\r", "text 3\r"}) EXPECT_EQ(WritesOf(text).size(), 1u) << text;
  EXPECT_EQ(SentRecords(), 3);
  EXPECT_EQ(LogSentences().size(), 3u);
  EXPECT_EQ(h.CountRows("Queue") + h.CountRows("Temp"), 0);
}

// The end-of-list removal fails under an outside lock and the operator presses Start in the
// re-cycle pause: the sent page is not dialled again.
TEST_F(InterruptedCycleTest, SentRowsLeftByAFailedEndOfListAreNotSentAgain) {
  QueueMany("5550100", 1);
  Start();
  Seconds(16);  // the call ended at 15 s; the pause runs
  {
    const auto lock = h.HoldWriteLock();
    Seconds(8);
    ASSERT_TRUE(form().tmrRestart.Enabled);
    EXPECT_EQ(Column("Queue", "Status"), std::vector<std::string>{"Y"});
  }
  h.core->StartFromOperator();
  Seconds(20);
  EXPECT_EQ(WritesOf("ATDT5550100\r").size(), 1u);
  EXPECT_EQ(WritesOf("text 1\r").size(), 1u);
  EXPECT_EQ(h.CountRows("Queue"), 0);
}

// Start's error box lets the engine go on calling; after OK the trap's Stop keeps what waits
// and removes what went out, so the next Start sends only the rest.
TEST_F(InterruptedCycleTest, PagesSentWhileStartsErrorBoxIsOpenAreNotSentAgain) {
  QueueMany("5550100", 2);
  ::mkdir(h.folder.PathOf("status.dat").c_str(), 0755);  // Start fails after its dial
  h.dialogs.QueueAnswer(forms::vbOK, 13000);
  Start();
  EXPECT_EQ(h.dialogs.LastBox().prompt.rfind("Error:  75 - ", 0), 0u);
  EXPECT_EQ(WritesOf("text 1\r").size(), 1u) << "the call went on behind the box";
  EXPECT_EQ(h.m.strServerState, "STOP");
  EXPECT_EQ(Column("Queue", "Unit"), std::vector<std::string>{"U2"});

  ::rmdir(h.folder.PathOf("status.dat").c_str());
  Start();
  RunCycles(1);
  EXPECT_EQ(WritesOf("text 1\r").size(), 1u);
  EXPECT_EQ(WritesOf("text 2\r").size(), 1u);
  EXPECT_EQ(SentRecords(), 2);
}

// A database held by another program at the re-cycle's Start does not stop an unattended
// server: it says so, keeps every message and tries again at the next re-cycle.
TEST_F(InterruptedCycleTest, ALockedDatabaseAtTheRecyclesStartWaitsForTheNextRecycle) {
  Start();
  ASSERT_TRUE(form().tmrRestart.Enabled);
  h.Insert("Temp", Row{{"Modem", std::string("5550100")}, {"Unit", std::string("U1")},
                       {"Message", std::string("text 1")}, {"Status", std::string("N")}});
  {
    const auto lock = h.HoldWriteLock();
    Seconds(8);
    EXPECT_TRUE(h.dialogs.Boxes().empty());
    EXPECT_EQ(h.m.strServerState, "RUNNING");
    EXPECT_TRUE(form().tmrRestart.Enabled);
    EXPECT_NE(form().lblStatus.Caption.get().find("trying again"), std::string::npos);
    EXPECT_EQ(h.folder.Read("status.dat").rfind("\"AVAILABLE\"", 0), 0u);
  }
  Seconds(8);
  EXPECT_EQ(WritesOf("ATDT5550100\r").size(), 1u);
  Seconds(12);
  EXPECT_EQ(WritesOf("text 1\r").size(), 1u);
}

// A page counts as sent only once its bytes have left the port: held-off output delays its
// record and the dialogue for as long as the page's length needs at the line's rate (plus a
// margin); output that cannot leave in that time is taken back from the port, never to go
// out, and the company's pages fail.
TEST_F(InterruptedCycleTest, APageIsSentOnlyOnceItHasLeftThePort) {
  form().MSComm1.SetSettings("300,e,7,1");  // 30 characters a second
  const std::string longText(149, 'x');      // 5 seconds of line with its CR
  Queue("5550100", "U1", longText);
  QueueMany("5550100", 2);
  Start();
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return !WritesOf("U1\r").empty(); }, 30000, 100));
  line().HoldOutput(true);
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return line().HeldOutput() == longText + "\r"; }, 5000, 100));
  Seconds(6);  // within the 5 s it needs and the margin
  EXPECT_EQ(line().HeldOutput(), longText + "\r") << "nothing more is written while the page leaves";
  EXPECT_EQ(SentRecords(), 0);
  EXPECT_EQ(Column("Queue", "Status"), (std::vector<std::string>{"N", "N", "N"}));
  line().HoldOutput(false);
  Seconds(1);
  EXPECT_EQ(SentRecords(), 1);

  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return !WritesOf("U1\r").empty() && WritesOf("U1\r").size() == 2; }, 30000, 100));
  line().HoldOutput(true);  // "text 1" needs a quarter of a second: 2.25 s at most
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return !form().tmrSend.Enabled.get(); }, 10000, 100));
  EXPECT_EQ(LogSentences().back(), "text 2 to unit U2 was not sent because paging company did not take the message in time.");
  line().HoldOutput(false);
  Seconds(5);
  EXPECT_TRUE(WritesOf("text 1\r").empty()) << "the page failed never goes out";
  EXPECT_EQ(Column("Temp", "Unit"), (std::vector<std::string>{"U1", "U2"}));
}

// A scheduled row that came in with Status "Y" is still to be sent: a restart after the
// program ended in the middle of a cycle does not take it for a page the server sent.
TEST_F(InterruptedCycleTest, AScheduledRowBroughtInAsSentIsSentAfterARestart) {
  ReplyTo("ATDT5550200\r", "\r\nCONNECT 2400\r\n");
  QueueMany("5550100", 1);
  h.InsertScheduled("2026-12-07", "09:00", "5550200", "S1", "scheduled", "Y");
  Start();
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return SentRecords() == 1 && form().tmrCountdown.Enabled.get(); }, 60000, 1000));
  h.core->EndKeepingMessages();
  Start();
  RunCycles(1);
  EXPECT_EQ(WritesOf("text 1\r").size(), 1u);
  EXPECT_EQ(WritesOf("scheduled\r").size(), 1u);
  EXPECT_EQ(SentRecords(), 2);
}

// Pages the engine holds in memory (their records refused) are stored before Start touches the
// queue: a Start after a Stop that could not store them does not send them again.
TEST_F(InterruptedCycleTest, StartStoresThePagesTheEngineHoldsBeforeItTakesTheQueueUp) {
  QueueMany("5550100", 2);
  h.Exec("CREATE TRIGGER refuse BEFORE INSERT ON TranLog WHEN NEW.Message LIKE '%sent successfully.' "
         "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
  Start();
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return !WritesOf("text 1\r").empty(); }, 30000, 1000));
  h.core->EndKeepingMessages();
  ASSERT_TRUE(engine().HasUnsettledPages());
  h.Exec("DROP TRIGGER refuse");
  Start();
  RunCycles(1);
  EXPECT_EQ(WritesOf("text 1\r").size(), 1u);
  EXPECT_EQ(WritesOf("text 2\r").size(), 1u);
  EXPECT_EQ(SentRecords(), 2);
}

}  // namespace
}  // namespace engine_test
