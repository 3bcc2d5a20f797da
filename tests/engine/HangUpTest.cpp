// The hang-up and the output still going out: "ATH+++" follows the page instead of cutting it
// off, the event loop is not held up while the line drains, and the line is closed before
// the pause dials on it again.
#include <chrono>

#include "EngineFixture.h"
#include "support/PseudoTerminal.h"

namespace engine_test {
namespace {

using WallClock = std::chrono::steady_clock;

testing_support::ServerHarness::Options OnAPseudoTerminal() {
  testing_support::ServerHarness::Options options;
  options.pseudoTerminal = true;
  return options;
}

// The server on a pseudo-terminal at 300 bit/s, the port open after the load. The test plays
// the far end on the master side and reads it only when it chooses: a pseudo-terminal does
// not pace its output, so an unread master is what makes the output back up.
class SlowLineHangUpTest : public ::testing::Test {
 protected:
  SlowLineHangUpTest() : h(OnAPseudoTerminal()) {
    h.WriteDefaultSettings();
    pty.LinkInto(h.folder.Path(), 1);
    pty.HoldSlave();
    h.form->Load();
    h.form->MSComm1.SetSettings("300,e,7,1");
    pty.ReadUntil("ATZ\r");
  }

  // A page far longer than the terminal side takes unread, then the hang-up, as at the end of
  // a call; returns how long the hang-up's handler took.
  WallClock::duration PageThenHangUp() {
    h.form->MSComm1.Output(page);
    const auto started = WallClock::now();
    h.engine->Command5_Click();
    return WallClock::now() - started;
  }
  void Seconds(double seconds) { h.loop.Advance(static_cast<std::int64_t>(seconds * 1000)); }
  bool PortOpen() const { return h.form->MSComm1.PortOpen(); }

  testing_support::ServerHarness h;
  testing_support::PseudoTerminal pty;
  const std::string page = std::string(64 * 1024, 'p') + "\r";
};

TEST_F(SlowLineHangUpTest, TheHangUpLineFollowsThePageStillGoingOut) {
  EXPECT_LT(PageThenHangUp(), std::chrono::milliseconds(200));
  EXPECT_FALSE(h.form->tmrSend.Enabled);
  EXPECT_TRUE(h.form->tmrCountdown.Enabled) << "the pause begins at once";
  Seconds(1);
  EXPECT_TRUE(PortOpen()) << "the page has not left yet";

  std::string received;
  for (int reads = 0; reads < 100 && PortOpen(); ++reads) {
    received += pty.Read(20);
    Seconds(0.2);
  }
  EXPECT_FALSE(PortOpen());
  received += pty.ReadUntil("ATH+++\r");
  EXPECT_TRUE(received == page + "ATH+++\r") << received.size() << " bytes";
}

TEST_F(SlowLineHangUpTest, OutputThatCannotLeaveIsDroppedBeforeThePauseDialsAgain) {
  PageThenHangUp();
  Seconds(6.6);
  EXPECT_TRUE(PortOpen()) << "300 bit/s needs minutes for the rest, the pause dials at 8 s";
  const auto started = WallClock::now();
  Seconds(0.2);
  EXPECT_LT(WallClock::now() - started, std::chrono::milliseconds(pager::CallEngine::kMaxHandlerWaitMs + 200));
  EXPECT_FALSE(PortOpen());
  EXPECT_TRUE(h.form->tmrCountdown.Enabled);
  const std::string received = pty.ReadUntil("ATH+++\r");
  EXPECT_LT(received.size(), page.size());
  EXPECT_EQ(received.substr(received.size() - 7), "ATH+++\r") << "the hang-up line is not queued behind the rest";
}

// A line being hung up carries no call: a late "CONNECT" must not start a dialogue on it.
TEST_F(EngineTest, WhileTheHangUpWaitsForTheOutputTheReaderTakesNoAnswer) {
  QueueMany("5550100", 1);
  Start();
  writes.clear();
  line().HoldOutput(true);
  const std::string page(2000, 'p');  // about two seconds at 9600 bit/s
  form().MSComm1.Output(page);
  engine().Command5_Click();
  line().PushInput("\r\nCONNECT 2400\r\n");
  Seconds(1);
  EXPECT_TRUE(form().MSComm1.PortOpen());
  EXPECT_FALSE(form().tmrSend.Enabled);
  EXPECT_TRUE(writes.empty());

  line().HoldOutput(false);
  Seconds(0.2);
  EXPECT_EQ(WrittenTexts(), (std::vector<std::string>{page, "ATH+++\r"}));
  EXPECT_FALSE(form().MSComm1.PortOpen());
}

}  // namespace
}  // namespace engine_test
