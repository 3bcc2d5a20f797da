// The send dialogue: the login test, what goes to the line, and calls cut short.
#include "EngineFixture.h"

namespace engine_test {
namespace {

class SendDialogueTest : public EngineTest {
 protected:
  // Runs `action` inside the pump of the dialogue's next tick, as a click or another timer's
  // tick would.
  void InsideNextSendPump(std::function<void()> action) {
    form().tmrSend.OnTimer = [this, action] {
      h.loop.Post(action);
      pager::CallEngine& callEngine = engine();
      form().tmrSend.OnTimer = [&callEngine] { callEngine.tmrSend_Timer(); };  // ends this closure
      callEngine.tmrSend_Timer();
    };
  }
};

TEST_F(SendDialogueTest, LoginPassesWithOneToThreePromptsAndFailsWithNoneOrMoreThanThree) {
  struct Case {
    int prompts;
    const char* status;  // nullptr: the login passes
  };
  for (Case c : {Case{0, "Paging Company ID was not received"}, Case{1, nullptr}, Case{3, nullptr},
                 Case{4, "Paging Company login was not successful"}}) {
    SCOPED_TRACE(c.prompts);
    h.Exec("DELETE FROM Queue; DELETE FROM Temp; DELETE FROM TranLog");
    QueueMany("5550100", 2);
    writes.clear();
    StartAndConnect();
    Seconds(4);
    for (int i = 0; i < c.prompts; ++i) {  // one prompt a second: the reader counts ticks
      line().PushInput("\r\nID=");
      Seconds(1);
    }
    Seconds(8 - 4 - c.prompts);
    EXPECT_EQ(h.m.intIDCount.value(), c.prompts);
    if (c.status != nullptr) {
      EXPECT_EQ(form().lblStatus.Caption.get(), c.status);
      EXPECT_FALSE(h.m.blnLoggedIn);
      EXPECT_EQ(WrittenTexts().back(), "ATH+++\r") << "nothing written after the M line";
      EXPECT_EQ(WrittenTexts()[WrittenTexts().size() - 2], "M\r");
      EXPECT_EQ(Column("Temp", "Unit"), (std::vector<std::string>{"U1", "U2"}));
      EXPECT_EQ(LogSentences()[0], "text 1 to unit U1 was not sent because paging company didn't send it's ID.");
    } else {
      EXPECT_EQ(form().lblStatus.Caption.get(), "Sending paging unit id");
      EXPECT_TRUE(h.m.blnLoggedIn);
      EXPECT_EQ(WrittenTexts().back(), "U1\r");
    }
    h.core->Command2_Click();
  }
}

TEST_F(SendDialogueTest, PromptsAfterTheFirstUnitDoNotEndTheCall) {
  QueueMany("5550100", 2);
  LoginPrompts(1);
  StartAndConnect();
  Seconds(9);
  for (int i = 0; i < 5; ++i) {
    line().PushInput("ID=");
    Seconds(1);
  }
  Seconds(7);
  EXPECT_EQ(Column("Queue", "Status"), (std::vector<std::string>{"Y", "Y"}));
  EXPECT_EQ(h.CountRows("Temp"), 0);
}

TEST_F(SendDialogueTest, NullFieldsGoOutAsEmptyTextAndSentRowsGoOutAgain) {
  h.Insert("Queue", Row{{"Modem", std::string("5550100")}, {"Status", std::string("Y")}});
  Queue("5550100", "U2", "second");
  LoginPrompts(1);
  StartAndConnect();
  Seconds(20);
  EXPECT_EQ(WrittenTexts(), (std::vector<std::string>{"ATDT5550100\r", "\r\r", "M\r", "\r", "\r", "U2\r", "second\r", "ATH+++\r"}));
  const auto log = h.TranLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(LogSentences()[0], " for unit  was sent successfully.");
  EXPECT_EQ(log[0].at("Sender"), std::nullopt);
  EXPECT_EQ(log[0].at("Paging Unit"), std::nullopt);
  EXPECT_EQ(log[1].at("Sender"), "Intranet");
  EXPECT_EQ(log[1].at("Paging Company"), "5550100");
  EXPECT_EQ(log[1].at("Date Sent"), "12/07/26");
  EXPECT_EQ(log[1].at("Browser"), "Lynx");
  EXPECT_EQ(log[1].at("Message"), "12/07/26 - 2:30:18 PM : Message: second for unit U2 was sent successfully.");
}

TEST_F(SendDialogueTest, HangUpOrStopInTheTicksPumpLeavesTheTickWithoutEffect) {
  QueueMany("5550100", 1);
  QueueMany("5550200", 1);
  LoginPrompts(1);
  StartAndConnect();
  Seconds(2);
  // The reader's tick runs inside the dialogue's pump and reads a lost carrier.
  InsideNextSendPump([&] {
    line().PushInput("NO CARRIER");
    engine().Timer1_Timer();
  });
  Seconds(1);
  EXPECT_EQ(h.m.intSendTick.value(), 0) << "a tick after the hang-up is not counted";
  EXPECT_FALSE(form().tmrSend.Enabled);
  EXPECT_EQ(form().lblStatus.Caption.get(), "Carrier has been lost");

  // The next call starts counting from 0: its M line comes at its 5th tick.
  line().PushInput("CONNECT");
  Seconds(9);  // pause, dial of the second company, CONNECT read
  ASSERT_TRUE(form().tmrSend.Enabled);
  const std::int64_t connect = h.loop.NowMs();
  Seconds(5);
  EXPECT_EQ(WritesOf("M\r").back(), connect + 5000);

  // Stop clicked while the dialogue pumps: nothing written after Stop's hang-up.
  InsideNextSendPump([&] { h.core->Command2_Click(); });
  Seconds(1);
  EXPECT_EQ(WrittenTexts().back(), "ATH+++\r");
  EXPECT_EQ(h.m.intSendTick.value(), 0);
  EXPECT_TRUE(EngineIdle());
}

TEST_F(SendDialogueTest, CompanyWithMoreMessagesThanOneCallCanCountHasTheRestQueuedAgain) {
  QueueMany("5550100", 4);
  LoginPrompts(1);
  StartAndConnect();
  Seconds(14);  // message 1 sent at 11; unit 2 at 14
  ASSERT_EQ(h.m.intLastStep.value(), 14);
  // As if this call had already run for 32,761 ticks: the unit step due at 32,764 has no room
  // for its text and the step after it.
  h.m.intSendTick = 32761 - 3;
  h.m.intLastStep = 32761 - 3;
  h.m.strSendStep = "Message";
  Seconds(3);
  EXPECT_EQ(WrittenTexts().back(), "text 2\r");
  Seconds(3);
  EXPECT_EQ(form().lblStatus.Caption.get(), "Not Online");
  EXPECT_EQ(WrittenTexts().back(), "ATH+++\r");
  EXPECT_EQ(Column("Queue", "Status"), (std::vector<std::string>{"Y", "Y"}));
  EXPECT_EQ(Column("Temp", "Unit"), (std::vector<std::string>{"U3", "U4"}));
  EXPECT_EQ(LogSentences()[2], "text 3 to unit U3 was not sent because paging company could not take more messages in this call.");
  EXPECT_TRUE(form().tmrCountdown.Enabled);
}

// A text typed on two lines (as a web form's text box gives it) is one page: the terminal gets
// it on one line, the record keeps it as received, and the pages after it reach their own units.
TEST_F(SendDialogueTest, ControlCharactersGoToTheLineAsBlanksAndEveryPageReachesItsOwnUnit) {
  testing_support::InProcessTerminal terminal(h.loop, h.fakeSerial, modemsim::ModemConfig{});
  Queue("5550100", "U1", "too hot\r\ncall facilities");
  Queue("5550100", "U2\t", "second\x1b");
  Queue("5550100", "U3", "third");
  Start();
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return terminal.Pages().size() == 3; }, 60000, 500));
  Seconds(10);
  std::vector<std::string> pages;
  for (const auto& page : terminal.Pages()) pages.push_back(page.unit + ": " + page.text);
  EXPECT_EQ(pages, (std::vector<std::string>{"U1: too hot  call facilities", "U2: second ", "U3: third"}));
  EXPECT_EQ(LogSentences(), (std::vector<std::string>{"too hot\r\ncall facilities for unit U1 was sent successfully.",
                                                      "second\x1b for unit U2\t was sent successfully.",
                                                      "third for unit U3 was sent successfully."}));
}

// A page that leaves only after its step's time is sent when it has left; the next unit comes a
// full step (three ticks) after that, so that the terminal's answer to the page is read first.
TEST_F(SendDialogueTest, TheStepAfterALatePageComesAFullStepAfterItLeft) {
  Queue("5550100", "U1", std::string(3000, 'p'));  // about 3.1 s at 9600 bit/s
  Queue("5550100", "U2", "second");
  LoginPrompts(1);
  StartAndConnect();
  Seconds(10.5);  // unit 1 at tick 8
  line().HoldOutput(true);
  Seconds(1);  // its text at tick 11, held
  ASSERT_EQ(line().HeldOutput().size(), 3001u);
  Seconds(3.4);  // past tick 14, when the next step was due
  line().HoldOutput(false);
  const std::int64_t left = h.loop.NowMs();
  ASSERT_TRUE(h.loop.AdvanceUntil([&] { return !WritesOf("U2\r").empty(); }, 10000, 100));
  EXPECT_GE(WritesOf("U2\r")[0] - left, 2500) << "not in the tick that saw the page leave";
  EXPECT_LE(WritesOf("U2\r")[0] - left, 3600);
  Seconds(10);
  EXPECT_EQ(Column("Queue", "Status"), (std::vector<std::string>{"Y", "Y"}));
}

}  // namespace
}  // namespace engine_test
