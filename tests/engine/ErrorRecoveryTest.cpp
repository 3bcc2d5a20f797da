// Database and port failures inside the engine's handlers: rolled back, the company's waiting
// messages settled, the call ended, the operator told, and the cycle going on.
#include "EngineFixture.h"

#include "platform/dao/Database.h"

namespace engine_test {
namespace {

class ErrorRecoveryTest : public EngineTest {
 protected:
  void SetUp() override {
    QueueMany("5550100", 2);
    QueueMany("5550200", 1);
    LoginPrompts(1);
  }
  bool errorShown_ = false;
  bool StatusShowsError() { return form().lblStatus.Caption.get().rfind("Error: ", 0) == 0; }
  // The second company is dialed 8 ticks after the first call ended.
  void ExpectNextCompanyDialedAfterPause() {
    EXPECT_TRUE(form().tmrCountdown.Enabled);
    EXPECT_FALSE(form().MSComm1.PortOpen());
    Seconds(8);
    EXPECT_EQ(WritesOf("ATDT5550200\r").size(), 1u);
  }
};

TEST_F(ErrorRecoveryTest, PortFailuresEndTheCallAndTheCycleGoesOn) {
  struct Case {
    const char* name;
    std::function<void(comm::FakeSerialBackend&)> arrange;
    double atSecond;  // after CONNECT
  };
  for (const Case& c : {Case{"write", [](comm::FakeSerialBackend& l) { l.FailNextWrite(57); }, 3},
                        Case{"read", [](comm::FakeSerialBackend& l) { l.FailNextRead(8020); }, 1}}) {
    SCOPED_TRACE(c.name);
    h.Exec("DELETE FROM Queue; DELETE FROM Temp; DELETE FROM TranLog");
    QueueMany("5550100", 2);
    QueueMany("5550200", 1);
    writes.clear();
    StartAndConnect();
    Seconds(c.atSecond - 0.5);
    c.arrange(line());
    Seconds(0.5);
    EXPECT_TRUE(StatusShowsError());
    EXPECT_EQ(h.CountRows("Temp"), 2);
    ExpectNextCompanyDialedAfterPause();
    h.core->Command2_Click();
  }
}

TEST_F(ErrorRecoveryTest, PortThatWillNotOpenForTheNextDialFailsThatCompanyOnly) {
  QueueMany("5550300", 1);
  line().PushInput("BUSY");
  Start();
  Seconds(1);
  line().FailNextOpen(8010);
  Seconds(8);
  EXPECT_TRUE(StatusShowsError());
  EXPECT_EQ(Column("Temp", "Modem"), (std::vector<std::string>{"5550100", "5550100", "5550200"}));
  Seconds(8);
  EXPECT_EQ(WritesOf("ATDT5550300\r").size(), 1u);
}

TEST_F(ErrorRecoveryTest, DatabaseClosedUnderTheEngineNeverStopsTheCycle) {
  QueueMany("5550300", 1);
  StartAndConnect();
  Seconds(9);
  form().lblStatus.Caption.Observe([this] { errorShown_ = errorShown_ || StatusShowsError(); });
  h.m.dbPager->Close();
  Seconds(120);  // the steps that need the database fail; each is reported and the cycle moves on
  EXPECT_TRUE(errorShown_);
  EXPECT_FALSE(form().tmrSend.Enabled);
  EXPECT_EQ(h.m.strServerState, "RUNNING");
  EXPECT_TRUE(form().tmrRestart.Enabled || form().tmrDialing.Enabled || form().tmrCountdown.Enabled)
      << "the engine is still cycling";
}

TEST_F(ErrorRecoveryTest, HandlersCalledWithNothingSetUpDoNotFail) {
  pager::CallEngine& e = engine();
  h.m.rsQueue = nullptr;
  form().tmrSend.Enabled = true;
  for (int i = 0; i < 9; ++i) e.tmrSend_Timer();
  e.tmrCountdown_Timer();
  e.tmrDialing_Timer();
  e.Timer1_Timer();
  e.LogUnsentMessages();
  e.Command5_Click();
  for (int i = 0; i < 8; ++i) e.tmrCountdown_Timer();
  EXPECT_TRUE(form().tmrRestart.Enabled) << "an empty company list ends the cycle";
}

// Whatever the companies answer, every message of the cycle ends sent, refused as invalid, or
// back in Temp with its failure record.
TEST_F(ErrorRecoveryTest, NoMessageIsLostInACycleOfMixedAnswers) {
  h.Exec("DELETE FROM Queue");
  modemsim::ModemConfig config;
  config.terminal.knownUnits = {"100", "101", "102"};
  config.dialPlan.Add("5550001", modemsim::ParseBehaviour("connect:2"));
  config.dialPlan.Add("5550002", modemsim::ParseBehaviour("busy:2"));
  config.dialPlan.Add("5550003", modemsim::ParseBehaviour("nocarrier:3"));
  config.dialPlan.Add("5550004", modemsim::ParseBehaviour("silent"));
  config.dialPlan.Add("5550005", modemsim::ParseBehaviour("drop:9:2"));
  config.dialPlan.Add("5550006", modemsim::ParseBehaviour("nodialtone"));
  testing_support::InProcessTerminal terminal(h.loop, h.fakeSerial, config);
  h.m.intTimeOut = 20;
  const std::vector<std::pair<std::string, std::string>> pages = {
      {"100", "BUSY line test"}, {"999", "unknown unit"}, {"101", "NO CARRIER ahead, ID please"}, {"102", "plain"}};
  int queued = 0;
  for (int company = 1; company <= 6; ++company) {
    for (const auto& [unit, text] : pages) {
      Queue("555000" + std::to_string(company), unit, text);
      ++queued;
    }
  }
  const auto before = h.Rows("Queue");
  Start();
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return form().tmrRestart.Enabled.get(); }, 3600000, 1000));

  const auto log = LogSentences();
  const auto temp = h.Rows("Temp");
  int settled = 0;
  for (const auto& row : before) {
    const std::string unit = *row.at("Unit"), text = *row.at("Message"), modem = *row.at("Modem");
    const auto logged = [&](const std::string& sentence) {
      for (const auto& r : h.TranLog()) {
        if (r.at("Paging Company") == modem && r.at("Message")->find(sentence) != std::string::npos) return true;
      }
      return false;
    };
    bool copied = false;
    for (const auto& t : temp) copied = copied || (t.at("Modem") == modem && t.at("Unit") == unit);
    const bool sent = logged(text + " for unit " + unit + " was sent successfully.");
    const bool invalid = logged(" was not sent because paging unit ");
    const bool failed = copied && logged(text + " to unit " + unit + " was not sent because paging company ");
    EXPECT_TRUE(sent || (invalid && unit == "999") || failed) << modem << " " << unit;
    settled += sent || invalid || failed;
  }
  EXPECT_EQ(settled, queued);
  EXPECT_EQ(terminal.Pages().size(), 3u) << "one company took its three valid pages";
  EXPECT_EQ(h.CountRows("Queue"), 0);
}

}  // namespace
}  // namespace engine_test
