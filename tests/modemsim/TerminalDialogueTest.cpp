// The paging terminal as the server talks to it: its writes on its own schedule after CONNECT,
// its reads once a second, its count of reads holding "ID" for the login test.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "modemsim/LineHarness.h"

using modemsim::ModemConfig;
using modemsim::TerminalConfig;
using modemsim_test::Behaviour;
using modemsim_test::LineHarness;
using modemsim_test::QuietModem;

namespace {

struct Page {
  std::string unit;
  std::string text;
};

struct CallTranscript {
  bool connected = false;
  int idReadsAtLogin = -1;        // reads holding "ID" from CONNECT up to the login test
  bool loggedIn = false;
  std::vector<std::string> reads;  // every read of the call, one a second
  std::vector<std::string> rejectedUnits;
  std::string Joined() const {
    std::string all;
    for (const std::string& read : reads) all += read;
    return all;
  }
};

bool HoldsRejection(const std::string& read) {
  return read.find("invalid") != std::string::npos || read.find("not valid") != std::string::npos ||
         read.find("Invalid") != std::string::npos;
}

// Plays one call the way the server does: dial; read once a second; after CONNECT two CRs at
// second 3, "M" CR at 5, the login test at 8 (1 to 3 reads holding "ID"), then a unit or a
// message every 3 seconds; a rejected unit skips its page; "ATH+++" CR 3 seconds after the
// last page. The reader runs half a second out of step with the writer.
CallTranscript PlayServerCall(LineHarness& line, const std::vector<Page>& pages) {
  CallTranscript call;
  line.Say("ATDT5551234\r");
  for (int second = 0; second < 60 && !call.connected; ++second) {
    std::string read = line.Wait(1000);
    call.connected = read.find("CONNECT") != std::string::npos;
    if (call.connected) call.reads.push_back(read);
  }
  if (!call.connected) return call;

  int idReads = call.reads[0].find("ID") != std::string::npos ? 1 : 0;
  std::string unread;  // what came back since the last read
  auto write = [&](const std::string& text) { unread += line.Say(text); };
  std::size_t row = 0;
  bool unitNext = true;
  int lastStep = 5;
  for (int tick = 1; tick < 200; ++tick) {
    // Writer tick.
    unread += line.Wait(500);
    if (tick == 3) {
      write("\r\r");
    } else if (tick == 5) {
      write("M\r");
    } else if (tick > 5 && tick == lastStep + 3) {
      if (!call.loggedIn) {
        call.idReadsAtLogin = idReads;
        if (idReads < 1 || idReads > 3) {
          write("ATH+++\r");
          call.reads.push_back(unread);
          return call;
        }
      }
      if (row == pages.size()) {
        write("ATH+++\r");
        call.reads.push_back(unread);
        return call;
      }
      write((unitNext ? pages[row].unit : pages[row].text) + "\r");
      call.loggedIn = true;
      if (!unitNext) ++row;
      unitNext = !unitNext;
      lastStep = tick;
    }
    // Reader tick, half a second later.
    std::string read = std::exchange(unread, {}) + line.Wait(500);
    call.reads.push_back(read);
    if (read.find("ID") != std::string::npos) ++idReads;
    if (HoldsRejection(read) && row < pages.size()) {
      call.rejectedUnits.push_back(pages[row].unit);
      ++row;
      unitNext = true;
      lastStep = tick;
    }
  }
  return call;
}

ModemConfig TerminalWith(void (*adjust)(TerminalConfig&)) {
  ModemConfig config = QuietModem();
  config.echo = true;
  config.terminal.echo = true;
  config.dialPlan.SetDefault(Behaviour("connect:2:2400"));
  adjust(config.terminal);
  return config;
}

}  // namespace

TEST(TerminalDialogue, DefaultTerminalPassesTheLoginAndTakesEveryPage) {
  LineHarness line(TerminalWith([](TerminalConfig&) {}));
  CallTranscript call = PlayServerCall(line, {{"1234", "Server room too hot"}, {"5678", "Call home"}});
  ASSERT_TRUE(call.connected);
  EXPECT_EQ(call.idReadsAtLogin, 1);
  ASSERT_EQ(line.modem.Pages().size(), 2u);
  EXPECT_EQ(line.modem.Pages()[0].unit, "1234");
  EXPECT_EQ(line.modem.Pages()[0].text, "Server room too hot");
  EXPECT_EQ(line.modem.Pages()[0].dialed, "5551234");
  EXPECT_EQ(line.modem.Pages()[1].unit, "5678");
  EXPECT_EQ(line.modem.Pages()[1].text, "Call home");
  EXPECT_TRUE(call.rejectedUnits.empty());
  EXPECT_TRUE(call.reads.back().ends_with("\r\nOK\r\n")) << "the hang-up line was taken by the modem";
  EXPECT_EQ(line.modem.CurrentState(), modemsim::ModemSimulator::State::Command);
}

TEST(TerminalDialogue, PromptsComeInTheOrderOfManualEntry) {
  LineHarness line(TerminalWith([](TerminalConfig& terminal) { terminal.echo = false; }));
  line.Say("ATDT5551234\r");
  line.Wait(2000);
  EXPECT_EQ(line.Say("\r\r"), "\r\nID=");
  EXPECT_EQ(line.Say("M\r"), "\r\nEnter pager number:");
  EXPECT_EQ(line.Say("1234\r"), "\r\nEnter message:");
  EXPECT_EQ(line.Say("Back in 5\r"), "\r\nPage accepted\r\nEnter pager number:");
  EXPECT_EQ(line.Say("\r"), "\r\nEnter pager number:");
}

TEST(TerminalDialogue, EchoSendsTheTypedLineBackFirst) {
  LineHarness line(TerminalWith([](TerminalConfig&) {}));
  line.Say("ATDT5551234\r");
  line.Wait(2000);
  line.Say("\r\rM\r");
  EXPECT_EQ(line.Say("1234\r"), "1234\r\n\r\nEnter message:");
  EXPECT_EQ(line.Say("Back in 5\r"), "Back in 5\r\n\r\nPage accepted\r\nEnter pager number:");
}

TEST(TerminalDialogue, UnknownUnitIsRejectedAndTheNextPageStillGoesThrough) {
  LineHarness line(TerminalWith([](TerminalConfig& terminal) { terminal.knownUnits = {"1234", "5678"}; }));
  CallTranscript call = PlayServerCall(line, {{"9999", "Lost"}, {"5678", "Found"}});
  EXPECT_EQ(call.rejectedUnits, std::vector<std::string>{"9999"});
  ASSERT_EQ(line.modem.Pages().size(), 1u);
  EXPECT_EQ(line.modem.Pages()[0].unit, "5678");
  EXPECT_NE(call.Joined().find("Invalid pager ID"), std::string::npos);
}

TEST(TerminalDialogue, AnotherVendorsRejectionWordingIsStillARejection) {
  LineHarness line(TerminalWith([](TerminalConfig& terminal) {
    terminal.knownUnits = {"1234"};
    terminal.rejectLine = "Pager ID not valid";
  }));
  CallTranscript call = PlayServerCall(line, {{"42", "Lost"}, {"1234", "Found"}});
  EXPECT_EQ(call.rejectedUnits, std::vector<std::string>{"42"});
  ASSERT_EQ(line.modem.Pages().size(), 1u);
  EXPECT_EQ(line.modem.Pages()[0].text, "Found");
}

TEST(TerminalDialogue, LoginCountFollowsTheIdPromptSettings) {
  struct Case {
    const char* name;
    void (*adjust)(TerminalConfig&);
    int expectedIdReads;
    bool pagesGoThrough;
  };
  const Case cases[] = {
      {"default", [](TerminalConfig&) {}, 1, true},
      {"ID wording in the unit prompt", [](TerminalConfig& t) { t.unitPrompt = "Pager ID?"; }, 2, true},
      {"a prompt on every line", [](TerminalConfig& t) { t.idPrompts = TerminalConfig::kEveryLine; }, 1, true},
      {"never an ID prompt", [](TerminalConfig& t) { t.idPrompts = 0; }, 0, false},
      {"ID prompt repeated every second", [](TerminalConfig& t) { t.idRepeatMs = 1000; }, 4, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LineHarness line(TerminalWith(c.adjust));
    CallTranscript call = PlayServerCall(line, {{"1234", "Hello"}});
    EXPECT_EQ(call.idReadsAtLogin, c.expectedIdReads);
    EXPECT_EQ(line.modem.Pages().size(), c.pagesGoThrough ? 1u : 0u);
  }
}

TEST(TerminalDialogue, RepeatedIdPromptsStopOnceManualModeIsChosen) {
  LineHarness line(TerminalWith([](TerminalConfig& terminal) {
    terminal.echo = false;
    terminal.idRepeatMs = 1000;
  }));
  line.Say("ATDT5551234\r");
  line.Wait(2000);
  EXPECT_EQ(line.Wait(1000), "\r\nID=");
  EXPECT_EQ(line.Wait(2000), "\r\nID=\r\nID=");
  line.Say("M\r");
  EXPECT_EQ(line.Wait(10'000), "");
}

TEST(TerminalDialogue, APageIsTakenWhateverItHolds) {
  LineHarness line(TerminalWith([](TerminalConfig& terminal) { terminal.echo = false; }));
  line.Say("ATDT5551234\r");
  line.Wait(2000);
  line.Say("\rM\r 1234 \r");
  line.Say("  two  spaces\tand a tab  \r");
  line.Say("1234\r\r");
  ASSERT_EQ(line.modem.Pages().size(), 2u);
  EXPECT_EQ(line.modem.Pages()[0].unit, "1234");
  EXPECT_EQ(line.modem.Pages()[0].text, "  two  spaces\tand a tab  ");
  EXPECT_EQ(line.modem.Pages()[1].text, "") << "an empty message is still a page";
}

TEST(TerminalDialogue, ACallThatEndsBeforeTheMessageRecordsNothing) {
  LineHarness line(TerminalWith([](TerminalConfig&) {}));
  line.Say("ATDT5551234\r");
  line.Wait(2000);
  line.Say("\r\rM\r1234\r");
  line.modem.LineClosed(line.now);
  line.Say("ATDT5551234\r");
  line.Wait(2000);
  line.Say("Hello\r");
  EXPECT_TRUE(line.modem.Pages().empty()) << "a new call starts at the login again";
}
