// A page partly on the wire when its call ends. Bytes that have left cannot be taken back: the
// terminal holds the start of the page, and whatever reaches it next ending in CR would make a
// page of it. Every end of a call either lets the page finish leaving (then it is sent) or ends
// the call without another byte (then the terminal drops the start, and the page waits or
// fails with its call). The terminal here is the modem simulator behind the fake line, which
// lets 4 of the 7 bytes of "text 1\r" go and holds the rest.
#include "EngineFixture.h"

namespace engine_test {
namespace {

enum class End {
  kStart,
  kStop,
  kOrderlyEnd,
  kPause,
  kBusy,
  kNoCarrier,
  kNoDialtone,
  kSave,
  kHangUp,
  kPageHeld,
  kRefusal,
  kVanished,
};

struct PartCase {
  End end;
  bool lineMoves;  // the rest of the page leaves when waited for (a slow line, not a stuck one)
};

std::string Name(const ::testing::TestParamInfo<PartCase>& info) {
  static const char* const kEnds[] = {"Start",   "Stop", "OrderlyEnd", "Pause",    "Busy",    "NoCarrier",
                                      "NoDialtone", "Save", "HangUp",  "PageHeld", "Refusal", "Vanished"};
  return std::string(kEnds[static_cast<int>(info.param.end)]) + (info.param.lineMoves ? "OnAMovingLine" : "OnAStuckLine");
}

class PartPageTest : public EngineTest, public ::testing::WithParamInterface<PartCase> {
 protected:
  PartPageTest() : terminal(h.loop, h.fakeSerial, modemsim::ModemConfig{}) {}

  void End(End end) {
    switch (end) {
      case End::kStart: h.core->Command1_Click(); break;
      case End::kStop: h.core->Command2_Click(); break;
      case End::kOrderlyEnd: h.core->EndKeepingMessages(); break;
      case End::kPause:
        // The pause's last tick, which settles what the line has taken before it dials.
        form().tmrCountdown.Enabled = true;
        h.m.intCountdown = pager::CallEngine::kPauseTicks - 1;
        engine().tmrCountdown_Timer();
        break;
      case End::kBusy: Answer("\r\nBUSY\r\n"); break;
      case End::kNoCarrier: Answer("\r\nNO CARRIER\r\n"); break;
      case End::kNoDialtone: Answer("\r\nNO DIALTONE\r\n"); break;
      case End::kSave:
        engine().EndCall("saving", "could not be served: the modem settings were saved during the call.");
        if (form().MSComm1.PortOpen()) form().MSComm1.SetPortOpen(false);
        form().MSComm1.SetPortOpen(true);
        break;
      case End::kHangUp: engine().Command5_Click(); break;
      case End::kPageHeld: Seconds(4); break;
      case End::kRefusal: Answer("\r\nInvalid pager ID\r\n"); break;
      case End::kVanished:
        line().SetVanished(true);
        Seconds(1.5);
        line().SetVanished(false);
        break;
    }
  }
  // An answer read by the reader's next tick, while the page is still partly out.
  void Answer(const std::string& text) {
    line().PushInput(text);
    engine().Timer1_Timer();
  }
  // "sent successfully" records of the unit.
  int SentRecords(const std::string& unit) {
    int sent = 0;
    for (const auto& sentence : LogSentences()) sent += sentence.ends_with(" for unit " + unit + " was sent successfully.");
    return sent;
  }
  int PagesTo(const std::string& unit) {
    int pages = 0;
    for (const auto& page : terminal.Pages()) pages += page.unit == unit;
    return pages;
  }

  testing_support::InProcessTerminal terminal;
};

TEST_P(PartPageTest, NoPageIsCompletedByAnotherWriteAndEachIsLoggedAsTheTerminalTookIt) {
  const PartCase c = GetParam();
  QueueMany("5550100", 2);
  Queue("5550200", "U9", "text 9");
  Start();
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return line().Written().find("U1\r") != std::string::npos; }, 30000, 100));
  line().HoldOutput(true);
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return line().HeldOutput() == "text 1\r"; }, 5000, 100));
  line().ReleaseHeld(4);  // "text" has left
  line().SetDrainsOnWait(c.lineMoves);
  End(c.end);
  line().SetDrainsOnWait(false);
  line().HoldOutput(false);
  if (c.end == End::kStart && c.lineMoves) {
    // A Start in the middle of a call dials into it: only what the line carries is judged.
    Seconds(200);
  } else if (c.end != End::kStop && c.end != End::kOrderlyEnd) {
    // The server goes on with its cycles until every page has reached the terminal (U1's unit
    // refused aside).
    const int u1 = c.end == End::kRefusal ? 0 : 1;
    EXPECT_TRUE(h.loop.AdvanceUntil([&] { return PagesTo("U1") == u1 && PagesTo("U2") > 0 && PagesTo("U9") > 0; }, 200000, 1000));
    Seconds(20);
  } else {
    EXPECT_EQ(PagesTo("U1"), c.lineMoves ? 1 : 0) << "a page let finish leaving is sent";
  }
  for (const auto& page : terminal.Pages()) {
    EXPECT_TRUE(page.text == "text 1" || page.text == "text 2" || page.text == "text 9")
        << "a page not whole: " << page.text;
  }
  for (const std::string unit : {"U1", "U2", "U9"}) {
    SCOPED_TRACE(unit);
    EXPECT_LE(PagesTo(unit), 1) << "no page twice";
    EXPECT_EQ(SentRecords(unit), PagesTo(unit)) << "logged sent exactly when the terminal took it";
  }
  // Only the refusal read refuses a unit, U1's: the next unit is not taken for refused.
  int refused = 0;
  for (const auto& sentence : LogSentences()) refused += sentence.ends_with(" is invalid.");
  EXPECT_EQ(refused, c.end == End::kRefusal ? 1 : 0);
  if (c.end == End::kOrderlyEnd) {
    // What the terminal did not take waits for the next start.
    EXPECT_EQ(Column("Queue", "Unit").size() + Column("Temp", "Unit").size(), 3u - terminal.Pages().size());
  }
}

INSTANTIATE_TEST_SUITE_P(EveryEnd, PartPageTest,
                         ::testing::Values(PartCase{End::kStart, true}, PartCase{End::kStart, false},
                                           PartCase{End::kStop, true}, PartCase{End::kStop, false},
                                           PartCase{End::kOrderlyEnd, true}, PartCase{End::kOrderlyEnd, false},
                                           PartCase{End::kPause, false}, PartCase{End::kBusy, false},
                                           PartCase{End::kNoCarrier, false}, PartCase{End::kNoDialtone, false},
                                           PartCase{End::kSave, true}, PartCase{End::kSave, false},
                                           PartCase{End::kHangUp, false}, PartCase{End::kPageHeld, false},
                                           PartCase{End::kRefusal, false}, PartCase{End::kVanished, false}),
                         Name);

}  // namespace
}  // namespace engine_test
