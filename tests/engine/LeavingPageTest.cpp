// A call ended in the moment a page's text is leaving the port, before the dialogue's next tick
// has looked: whoever ends it, a page whose bytes have left is settled as sent and never sent
// again, and a page whose bytes are still in the port is taken back from it (it never goes
// out, not even when the port closes) and keeps waiting.
#include "EngineFixture.h"

namespace engine_test {
namespace {

enum class CallEnd { kSave, kNoCarrier, kHangUp, kOperatorStop, kOrderlyEnd };

struct LeavingCase {
  CallEnd end;
  bool drained;  // the page's bytes left before the end
};

std::string Name(const ::testing::TestParamInfo<LeavingCase>& info) {
  static const char* const kEnds[] = {"Save", "NoCarrier", "HangUp", "OperatorStop", "OrderlyEnd"};
  return std::string(kEnds[static_cast<int>(info.param.end)]) + (info.param.drained ? "AfterItLeft" : "WhileItLeaves");
}

class LeavingPageTest : public EngineTest, public ::testing::WithParamInterface<LeavingCase> {
 protected:
  void SetUp() override {
    ReplyTo("ATDT5550100\r", "\r\nCONNECT 2400\r\n");
    LoginPrompts(1);
  }
  void End(CallEnd end) {
    switch (end) {
      case CallEnd::kSave:
        engine().EndCall("saving", "could not be served: the modem settings were saved during the call.");
        if (form().MSComm1.PortOpen()) form().MSComm1.SetPortOpen(false);
        form().MSComm1.SetPortOpen(true);
        break;
      case CallEnd::kNoCarrier:
        line().PushInput("\r\nNO CARRIER\r\n");
        engine().Timer1_Timer();
        break;
      case CallEnd::kHangUp: engine().Command5_Click(); break;
      case CallEnd::kOperatorStop: h.core->Command2_Click(); break;
      case CallEnd::kOrderlyEnd: h.core->EndKeepingMessages(); break;
    }
  }
  int SentRecordsOf(const std::string& unit) {
    int sent = 0;
    for (const auto& sentence : LogSentences()) sent += sentence == "text 1 for unit " + unit + " was sent successfully.";
    return sent;
  }
};

TEST_P(LeavingPageTest, APageThatLeftIsSettledAndOneStillInThePortNeverGoesOut) {
  const LeavingCase c = GetParam();
  QueueMany("5550100", 2);
  Start();
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return !WritesOf("U1\r").empty(); }, 30000, 100));
  line().HoldOutput(true);
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return line().HeldOutput().find("text 1\r") != std::string::npos; }, 30000, 100));
  if (c.drained) line().HoldOutput(false);
  End(c.end);
  line().HoldOutput(false);
  if (c.end != CallEnd::kOperatorStop && c.end != CallEnd::kOrderlyEnd) {
    // The server goes on: the next cycles send what waits, and nothing twice.
    ASSERT_TRUE(h.loop.AdvanceUntil([&] { return WritesOf("text 2\r").size() == 1; }, 120000, 1000));
    EXPECT_EQ(WritesOf("text 1\r").size(), 1u);
    EXPECT_EQ(SentRecordsOf("U1"), 1);
    return;
  }
  EXPECT_EQ(WritesOf("text 1\r").size(), c.drained ? 1u : 0u);
  EXPECT_EQ(SentRecordsOf("U1"), c.drained ? 1 : 0);
  if (c.end == CallEnd::kOrderlyEnd) {
    // What waits is kept for the next start; what went out is not.
    const std::vector<std::string> waiting = c.drained ? std::vector<std::string>{"U2"} : std::vector<std::string>{"U1", "U2"};
    EXPECT_EQ(Column("Queue", "Unit"), waiting);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryEnd, LeavingPageTest,
                         ::testing::Values(LeavingCase{CallEnd::kSave, true}, LeavingCase{CallEnd::kSave, false},
                                           LeavingCase{CallEnd::kNoCarrier, true}, LeavingCase{CallEnd::kNoCarrier, false},
                                           LeavingCase{CallEnd::kHangUp, true}, LeavingCase{CallEnd::kHangUp, false},
                                           LeavingCase{CallEnd::kOperatorStop, true},
                                           LeavingCase{CallEnd::kOperatorStop, false},
                                           LeavingCase{CallEnd::kOrderlyEnd, true},
                                           LeavingCase{CallEnd::kOrderlyEnd, false}),
                         Name);

// Stop does not let what the line has not taken go out before its hang-up line (a page held
// off behind it would reach the terminal after the operator stopped the server).
TEST_F(EngineTest, StopTakesBackWhatTheLineHasNotTakenBeforeItsHangUpLine) {
  ReplyTo("ATDT5550100\r", "\r\nCONNECT 2400\r\n");
  LoginPrompts(1);
  QueueMany("5550100", 1);
  Start();
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return !WritesOf("M\r").empty(); }, 30000, 100));
  line().HoldOutput(true);
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return line().HeldOutput() == "U1\r"; }, 5000, 100));
  writes.clear();
  h.core->Command2_Click();
  line().HoldOutput(false);
  EXPECT_EQ(WrittenTexts(), std::vector<std::string>{"ATH+++\r"});
}

// A Save while another program holds the database: the failure routine raises, and the hang-up
// its trap runs still waits for a long unit line to leave. The Save ends that hang-up before it
// closes the port: nothing of the old call reaches the port the Save opens again.
TEST_F(EngineTest, ASaveDuringAnOutsideLockLeavesNoHangUpWaitingForTheReopenedPort) {
  ReplyTo("ATDT5550100\r", "\r\nCONNECT 2400\r\n");
  LoginPrompts(1);
  Queue("5550100", std::string(1000, 'u'), "text 1");  // about a second at 9600 bit/s
  Start();
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return !WritesOf("M\r").empty(); }, 30000, 100));
  line().HoldOutput(true);
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return line().HeldOutput().size() == 1001; }, 5000, 100));
  {
    const auto lock = h.HoldWriteLock();
    engine().EndCall("saving", "could not be served: the modem settings were saved during the call.");
    if (form().MSComm1.PortOpen()) form().MSComm1.SetPortOpen(false);
  }
  line().HoldOutput(false);
  form().MSComm1.SetPortOpen(true);
  writes.clear();
  Seconds(2);
  EXPECT_TRUE(form().MSComm1.PortOpen()) << "the reopened port is the Save's";
  EXPECT_TRUE(writes.empty());
}

}  // namespace
}  // namespace engine_test
