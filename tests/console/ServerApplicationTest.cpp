#include <gtest/gtest.h>

#include <sstream>

#include "ConsoleFixture.h"
#include "harness/ServerHarness.h"
#include "support/PagerDatabase.h"

namespace console_test {
namespace {

// A run from the panel: Start, the shut-down refused while running, Stop, shut-down.
class ServerApplicationTest : public ConsoleTest {
 protected:
  void SetUp() override {
    testing_support::MakePagerDatabase(folder.PathOf("pager.mdb"));
    folder.Write("modem.cfg", "\"1\",\"9600\",\"ATZ\",\"TONE\",\"0\",\"True\",45,\"\",\"\",#FALSE#,#FALSE#\r\n");
    folder.Write("MyOwn.dat", "\"My Company\",\"5551234\",0\r\n");
    Boot();
  }

  // Queues one message for 5551234, presses Start and lets the modem answer CONNECT.
  void CallWithOneMessage() {
    QueueMessages("4711", "5551234", {"Meeting at 3"});
    Press(form().Start);
    serial->PushInput("CONNECT 2400\r\n");
    loop.Advance(1000);
    ASSERT_TRUE(form().tmrSend.Enabled);
  }

};

TEST_F(ServerApplicationTest, OperatorRunsAndShutsDownTheServerFromThePanel) {
  EXPECT_TRUE(dialogs.Boxes().empty());
  EXPECT_TRUE(serial->IsOpen());  // the main window's load opened the port

  Press(form().Start);
  EXPECT_TRUE(form().imgStart.Visible);
  EXPECT_FALSE(form().imgStop.Visible);
  EXPECT_EQ(app->m.strServerState, "RUNNING");
  EXPECT_EQ(folder.Read("status.dat"), "\"AVAILABLE\"\r\n");
  loop.Advance(150);
  EXPECT_TRUE(form().imgRed1.Visible);

  Press(form().Shut);
  ASSERT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(dialogs.LastBox().prompt, "Please stop the server first");

  // The close box while running: the guard refuses.
  EXPECT_FALSE(form().Unload(forms::kUnloadFromControlMenu));
  EXPECT_EQ(dialogs.LastBox().title, "Operation not allowed");

  Press(form().Stop);
  EXPECT_EQ(app->m.strServerState, "STOP");
  EXPECT_EQ(folder.Read("status.dat"), "\"NOT AVAILABLE\"\r\n");
  loop.Advance(150);
  EXPECT_FALSE(form().imgRed1.Visible || form().imgred2.Visible || form().imgRed3.Visible);

  dialogs.QueueAnswer(forms::vbYes);
  Press(form().Shut);
  Release(form().Shut);
  EXPECT_EQ(dialogs.LastBox().title, "Shutting down");
  EXPECT_TRUE(app->Finished());
  EXPECT_FALSE(app->form2.Loaded());
  EXPECT_EQ(dialogs.helpQuit.size(), 1U);
}

// A signal from the system during a call, while the setup window is open: the call is hung up,
// the port and the database are closed and the stopped status published, the waiting message
// stays for the next start, every window goes without a question and the program finishes.
TEST_F(ServerApplicationTest, ASignalEndsTheProgramInOrderKeepingTheWaitingMessages) {
  CallWithOneMessage();

  forms::Window setup("frmSetup", 7500, 5500);
  app->SetSetupWindow([&setup] { return &setup; });
  dialogs.QueueModal([this](forms::Window&) { app->EndInOrder(); });
  serial->ClearWritten();
  Press(form().Image7);

  EXPECT_EQ(serial->Written(), "ATH+++\r");
  EXPECT_FALSE(serial->IsOpen());
  EXPECT_FALSE(app->m.dbPager->IsOpen());
  EXPECT_EQ(folder.Read("status.dat"), "\"NOT AVAILABLE\"\r\n");
  EXPECT_TRUE(dialogs.Boxes().empty());
  EXPECT_FALSE(setup.Loaded());
  EXPECT_FALSE(form().Loaded());
  EXPECT_FALSE(app->form2.Loaded());
  EXPECT_EQ(dialogs.helpQuit.size(), 1U);
  EXPECT_TRUE(app->Finished());
  EXPECT_EQ(Count("Select * from Queue Where Status = 'N'"), 1);
  app->EndInOrder();
  loop.Advance(10000);
  EXPECT_EQ(serial->Written(), "ATH+++\r");
}

// A signal while another program holds the database: the page whose bytes have left cannot be
// marked sent. The end tries again for a bounded time, then names the page on standard error
// and ends with status 1; the page still waits, and may go out again.
TEST_F(ServerApplicationTest, APageTheEndCannotMarkSentIsNamedAndTheExitStatusIsOne) {
  dbEngine.Workspaces(0).SetBusyTimeout(testing_support::ServerHarness::kBusyTimeoutMs);
  CallWithOneMessage();
  serial->PushInput("ID=\r\n");
  serial->HoldOutput(true);
  loop.AdvanceUntil([&] { return serial->HeldOutput().find("Meeting at 3\r") != std::string::npos; }, 20000, 100);
  serial->HoldOutput(false);  // the page's bytes leave before the dialogue's next tick sees it
  std::ostringstream errors;
  app->errorOutput = &errors;
  {
    const auto lock = std::make_unique<testing_support::ServerHarness::WriteLock>(folder.PathOf("pager.mdb"));
    app->EndInOrder();
  }
  EXPECT_TRUE(app->Finished());
  EXPECT_EQ(app->ExitStatus(), 1);
  EXPECT_NE(errors.str().find("unit 4711 of paging company 5551234: Meeting at 3\n"), std::string::npos) << errors.str();
  EXPECT_EQ(Count("Select * from Queue Where Status = 'N'"), 1);
  EXPECT_EQ(Count("Select * from TranLog"), 0);
}

// The modem hangs up when the Save closes its port: the call is ended before, as a lost carrier
// ends it, so that no message is written to a line without carrier and logged as sent.
TEST_F(ServerApplicationTest, ASaveOfTheModemSettingsEndsTheCallAndFailsItsMessages) {
  app->EndCallBeforeSave();
  EXPECT_EQ(serial->Written(), "ATZ\r");  // stopped: nothing to end

  CallWithOneMessage();
  serial->ClearWritten();
  app->EndCallBeforeSave();
  EXPECT_EQ(serial->Written(), "ATH+++\r");
  EXPECT_FALSE(serial->IsOpen());
  EXPECT_FALSE(form().tmrSend.Enabled);
  EXPECT_TRUE(form().tmrCountdown.Enabled);
  EXPECT_EQ(Count("Select * from Temp Where Unit = '4711' And Status = 'N'"), 1);
  EXPECT_EQ(Count("Select * from TranLog Where Message Like '%Meeting at 3 to unit 4711 was not sent because paging "
                  "company could not be served: the modem settings were saved during the call.'"),
            1);
}

// A hang-up still waiting for a slow line to take its output when the Save closes the port: it
// ends there, and nothing of it reaches the port the Save opens again.
TEST_F(ServerApplicationTest, AHangUpWaitingForTheLineEndsBeforeTheSaveReopensThePort) {
  form().MSComm1.SetSettings("300,e,7,1");
  CallWithOneMessage();
  serial->PushInput("ID=\r\n");
  serial->HoldOutput(true);
  loop.AdvanceUntil([&] { return serial->HeldOutput().find("4711\r") != std::string::npos; }, 20000, 100);
  serial->PushInput("NO CARRIER\r\n");
  loop.Advance(1000);
  ASSERT_TRUE(serial->IsOpen()) << "the hang-up waits for the unit id to leave";
  serial->HoldOutput(false);
  serial->ClearWritten();
  app->EndCallBeforeSave();
  EXPECT_EQ(serial->Written(), "ATH+++\r");
  EXPECT_FALSE(serial->IsOpen());
  form().MSComm1.SetPortOpen(true);  // as the Save does
  loop.Advance(3000);
  EXPECT_TRUE(serial->IsOpen());
  EXPECT_EQ(serial->Written(), "ATH+++\r");
}

}  // namespace
}  // namespace console_test
