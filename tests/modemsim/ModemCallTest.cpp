// Dialing and calls: each answer with its delay, the carrier dropping, the ways to hang up.
#include <gtest/gtest.h>

#include "modemsim/LineHarness.h"

using modemsim::EventKind;
using modemsim::ModemConfig;
using modemsim::ModemSimulator;
using modemsim_test::Behaviour;
using modemsim_test::LineHarness;
using modemsim_test::QuietModem;

namespace {

ModemConfig Plan() {
  ModemConfig config = QuietModem();
  config.dialPlan.Add("5551234", Behaviour("connect:2:2400"));
  config.dialPlan.Add("5550000", Behaviour("busy:3"));
  config.dialPlan.Add("5557777", Behaviour("nocarrier:30"));
  config.dialPlan.Add("5558888", Behaviour("nodialtone:1"));
  config.dialPlan.Add("5559999", Behaviour("silent"));
  config.dialPlan.Add("5556666", Behaviour("drop:20:1:9600"));
  config.dialPlan.SetDefault(Behaviour("connect:4:1200"));
  return config;
}

struct Answer {
  const char* number;
  std::int64_t delayMs;
  const char* result;
  ModemSimulator::State after;
};

}  // namespace

TEST(ModemCall, EachNumberIsAnsweredAfterItsDelay) {
  const Answer answers[] = {
      {"5551234", 2000, "\r\nCONNECT 2400\r\n", ModemSimulator::State::Online},
      {"5550000", 3000, "\r\nBUSY\r\n", ModemSimulator::State::Command},
      {"5557777", 30000, "\r\nNO CARRIER\r\n", ModemSimulator::State::Command},
      {"5558888", 1000, "\r\nNO DIALTONE\r\n", ModemSimulator::State::Command},
      {"9,5554321", 4000, "\r\nCONNECT 1200\r\n", ModemSimulator::State::Online},
  };
  for (const Answer& answer : answers) {
    SCOPED_TRACE(answer.number);
    LineHarness line(Plan());
    EXPECT_EQ(line.Say(std::string("ATDT") + answer.number + "\r"), "") << "nothing until the line answers";
    EXPECT_EQ(line.modem.CurrentState(), ModemSimulator::State::Dialing);
    EXPECT_EQ(line.modem.NextDueMs(), answer.delayMs);
    EXPECT_EQ(line.Wait(answer.delayMs - 1), "");
    EXPECT_EQ(line.Wait(1), answer.result);
    EXPECT_EQ(line.modem.CurrentState(), answer.after);
  }
}

TEST(ModemCall, ASilentNumberNeverAnswersAndTheCallerCanGiveUp) {
  LineHarness line(Plan());
  line.Say("ATDP5559999\r");
  EXPECT_EQ(line.modem.NextDueMs(), std::nullopt);
  EXPECT_EQ(line.Wait(3'600'000), "");
  // The caller's dial time-out: it hangs up, and that first character abandons the dial.
  EXPECT_EQ(line.Say("ATH+++\r"), "\r\nOK\r\n");
  EXPECT_EQ(line.modem.CurrentState(), ModemSimulator::State::Command);
  auto kinds = line.EventKinds();
  EXPECT_NE(std::find(kinds.begin(), kinds.end(), EventKind::DialAborted), kinds.end());
}

TEST(ModemCall, AbandonedDialGivesNoLateResult) {
  LineHarness line(Plan());
  line.Say("ATDT5550000\r");
  line.Wait(1000);
  line.Say("ATH+++\r");
  EXPECT_EQ(line.Wait(10'000), "") << "a BUSY after the hang-up would fail the caller's next call";
}

TEST(ModemCall, TheCarrierDropsInMidCallAtItsTime) {
  LineHarness line(Plan());
  line.Say("ATDT5556666\r");
  EXPECT_EQ(line.Wait(1000), "\r\nCONNECT 9600\r\n");
  EXPECT_EQ(line.Wait(19'999), "");
  EXPECT_EQ(line.Wait(1), "\r\nNO CARRIER\r\n");
  EXPECT_EQ(line.modem.CurrentState(), ModemSimulator::State::Command);
  EXPECT_EQ(line.Say("AT\r"), "\r\nOK\r\n") << "back in command mode";
  EXPECT_EQ(line.Wait(60'000), "") << "no second drop";
}

TEST(ModemCall, TheCallersHangUpLineEndsTheCallWhileOnLine) {
  LineHarness line(Plan());
  line.Say("ATDT5556666\r");
  line.Wait(1000);
  EXPECT_EQ(line.Say("ATH+++\r"), "\r\nOK\r\n");
  EXPECT_EQ(line.modem.CurrentState(), ModemSimulator::State::Command);
  EXPECT_EQ(line.modem.TerminalStep(), modemsim::PagingTerminal::Step::Off);
  EXPECT_EQ(line.Wait(30'000), "") << "the call that was hung up cannot drop later";
}

TEST(ModemCall, EscapeNeedsItsGuardTimesAndKeepsTheCall) {
  LineHarness line(Plan());
  line.Say("ATDT5551234\r");
  line.Wait(2000);

  // "+++" right after other data is data.
  line.Say("x");
  line.Say("+++");
  EXPECT_EQ(line.Wait(5000), "");
  EXPECT_EQ(line.modem.CurrentState(), ModemSimulator::State::Online);

  // After a second of silence, "+++" and another second of silence: command mode.
  line.Say("+++");
  EXPECT_EQ(line.Wait(999), "");
  EXPECT_EQ(line.Wait(1), "\r\nOK\r\n");
  EXPECT_EQ(line.modem.CurrentState(), ModemSimulator::State::OnlineCommand);

  EXPECT_EQ(line.Say("ATO\r"), "\r\nCONNECT 2400\r\n");
  EXPECT_EQ(line.modem.CurrentState(), ModemSimulator::State::Online);

  line.Wait(1000);
  line.Say("+++");
  line.Wait(1000);
  EXPECT_EQ(line.Say("ATH\r"), "\r\nOK\r\n");
  EXPECT_EQ(line.modem.CurrentState(), ModemSimulator::State::Command);
}

TEST(ModemCall, DataRightAfterThePlusesCancelsTheEscape) {
  LineHarness line(Plan());
  line.Say("ATDT5551234\r");
  line.Wait(3000);
  line.Say("+++");
  line.Wait(500);
  line.Say("1\r");
  EXPECT_EQ(line.Wait(5000).find("OK"), std::string::npos);
  EXPECT_EQ(line.modem.CurrentState(), ModemSimulator::State::Online);
}

TEST(ModemCall, ClosingThePortHangsUpAndDropsWhatWasNotSent) {
  LineHarness line(Plan());
  line.Say("ATDT5556666\r");
  line.Wait(1000);
  line.Say("\r");  // the terminal answers with its ID prompt
  line.modem.LineClosed(line.now);
  EXPECT_EQ(line.modem.TakeOutput(), "");
  EXPECT_EQ(line.modem.CurrentState(), ModemSimulator::State::Command);
  EXPECT_EQ(line.Wait(60'000), "");

  line.Say("ATDT5550000\r");
  line.modem.LineClosed(line.now);
  EXPECT_EQ(line.Wait(60'000), "") << "a dial in progress is dropped too";
}

TEST(ModemCall, DialingWhileACallIsKeptIsRefused) {
  LineHarness line(Plan());
  line.Say("ATDT5551234\r");
  line.Wait(3000);
  line.Say("+++");
  line.Wait(1000);
  EXPECT_EQ(line.Say("ATDT5550000\r"), "\r\nERROR\r\n");
  EXPECT_EQ(line.Say("ATZ\r"), "\r\nOK\r\n");
  EXPECT_EQ(line.modem.CurrentState(), ModemSimulator::State::Command);
}

TEST(ModemCall, EventsTellTheStoryOfACall) {
  LineHarness line(Plan());
  line.Say("ATDT9,5551234\r");
  line.Wait(2000);
  line.Say("ATH+++\r");
  std::vector<modemsim::ModemEvent> events = line.modem.TakeEvents();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].kind, EventKind::CommandLine);
  EXPECT_EQ(events[1].kind, EventKind::Dialed);
  EXPECT_EQ(events[1].detail, "9,5551234 -> connect:2:2400");
  EXPECT_EQ(events[2].kind, EventKind::Connected);
  EXPECT_EQ(events[2].atMs, 2000);
  EXPECT_EQ(events[3].kind, EventKind::HungUp);
  EXPECT_EQ(events[3].detail, "ATH+++");
}
