// Pages the terminal took while another program holds pager.mdb: Stop, the shut-down and the
// orderly end on a signal store them, trying again for half a minute with the window drawn
// between tries; what still cannot be stored is named on standard error with exit status 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ConsoleFixture.h"
#include "harness/ServerHarness.h"
#include "support/PagerDatabase.h"

namespace console_test {
namespace {

using Lock = testing_support::ServerHarness::WriteLock;

class HeldPagesTest : public ConsoleTest {
 protected:
  // The observers below refer to this fixture's members: the server goes first.
  ~HeldPagesTest() override { app.reset(); }

  void SetUp() override {
    testing_support::MakePagerDatabase(folder.PathOf("pager.mdb"));
    folder.Write("modem.cfg", "\"1\",\"9600\",\"ATZ\",\"TONE\",\"0\",\"True\",45,\"\",\"\",#FALSE#,#FALSE#\r\n");
    folder.Write("MyOwn.dat", "\"My Company\",\"5551234\",0\r\n");
    dbEngine.Workspaces(0).SetBusyTimeout(testing_support::ServerHarness::kBusyTimeoutMs);
    Boot();
    app->errorOutput = &errors;
    form().lblStatus.Caption.Observe([this] { captions.push_back(form().lblStatus.Caption.get()); });
  }

  // Two pages wait for 5551234; the terminal takes the first while another program holds the
  // database (held in `lock`), so that its "sent" mark cannot be stored.
  void FirstPageTakenUnderALock() {
    QueueMessages("4711", "5551234", {"Meeting at 3", "Bring the keys"});
    Press(form().Start);
    serial->PushInput("CONNECT 2400\r\nID=\r\n");
    serial->HoldOutput(true);
    EXPECT_TRUE(loop.AdvanceUntil([&] { return serial->HeldOutput().find("Meeting at 3\r") != std::string::npos; },
                                  20000, 100));
    lock = std::make_unique<Lock>(folder.PathOf("pager.mdb"));
    serial->HoldOutput(false);
    loop.Advance(1000);  // the dialogue sees the page gone and cannot store its mark
    EXPECT_TRUE(app->engine.HasUnsettledPages());
  }

  // The lock ends as the status line announces the given try (the pump after it runs first).
  void EndLockAtTry(int attempt) {
    const std::string announced = "(try " + std::to_string(attempt) + " of 6)";
    form().lblStatus.Caption.Observe([this, announced] {
      if (lock && form().lblStatus.Caption.get().find(announced) != std::string::npos) {
        loop.Post([this] { lock.reset(); });
      }
    });
  }

  long SentRecords() { return Count("Select * from TranLog Where Message Like '%Meeting at 3 for unit 4711 was sent successfully.'"); }

  void ConfirmShutdown() {
    dialogs.QueueAnswer(forms::vbYes);
    Press(form().Shut);
    Release(form().Shut);
  }

  // The lock outlasts Stop's tries: Stop keeps the rows and says so. When the lock has ended by
  // the shut-down, the shut-down stores the page; when it outlasts the shut-down's tries too,
  // the page is named on standard error and the exit status is 1.
  void StopUnderALockThenShutDown(bool lockEndsBeforeShutdown) {
    FirstPageTakenUnderALock();
    Press(form().Stop);
    EXPECT_TRUE(app->engine.HasUnsettledPages());
    EXPECT_EQ(form().lblStatus.Caption.get(),
              "Pages already sent could not be marked: pager.mdb is held by another program");
    EXPECT_FALSE(app->m.dbPager->IsOpen());
    if (lockEndsBeforeShutdown) lock.reset();
    EXPECT_EQ(Count("Select * from Queue Where Status = 'N'"), 2) << "the rows stay with the held page";

    const long long pumps = loop.Pumps();
    ConfirmShutdown();
    EXPECT_TRUE(app->Finished());
    lock.reset();
    if (lockEndsBeforeShutdown) {
      EXPECT_EQ(app->ExitStatus(), 0);
      EXPECT_EQ(errors.str(), "");
      EXPECT_EQ(SentRecords(), 1);
      EXPECT_EQ(Count("Select * from Queue Where Status = 'N'"), 1);
    } else {
      EXPECT_GE(loop.Pumps() - pumps, 6 * 20 - 1) << "the window is drawn all through the six tries";
      EXPECT_EQ(app->ExitStatus(), 1);
      EXPECT_NE(errors.str().find("unit 4711 of paging company 5551234: Meeting at 3\n"), std::string::npos)
          << errors.str();
      EXPECT_EQ(SentRecords(), 0);
    }
  }

  // A signal while Stop is trying to store the held page: the orderly end leaves the trying to
  // that Stop, whose tries go on. A lock that ends during them lets it store the page, and the
  // program ends with 0 and nothing on standard error; one that outlasts them has the page
  // named once, and status 1.
  void SignalDuringStopsTries(bool lockEnds) {
    FirstPageTakenUnderALock();
    form().lblStatus.Caption.Observe([this] {
      if (!app->Finished() && form().lblStatus.Caption.get().find("(try 2 of 6)") != std::string::npos) {
        loop.Post([this] { app->EndInOrder(); });
      }
    });
    if (lockEnds) EndLockAtTry(4);
    Press(form().Stop);
    EXPECT_TRUE(app->Finished());
    lock.reset();
    EXPECT_EQ(SentRecords(), lockEnds ? 1 : 0);
    const std::string named = "unit 4711 of paging company 5551234: Meeting at 3\n";
    const std::string text = errors.str();
    if (lockEnds) {
      EXPECT_EQ(text, "");
    } else {
      EXPECT_NE(text.find(named), std::string::npos) << text;
      EXPECT_EQ(text.find(named), text.rfind(named)) << text;
    }
    EXPECT_EQ(app->ExitStatus(), lockEnds ? 0 : 1);
  }

  std::unique_ptr<Lock> lock;
  std::ostringstream errors;
  std::vector<std::string> captions;
};

// The lock ends during Stop's tries: the page is stored once, with its one record, before Stop
// throws the waiting page away; the window was pumped between tries and said what it waited
// for. The shut-down then has nothing to store.
TEST_F(HeldPagesTest, StopStoresTheHeldPageWhenTheLockEndsDuringItsTries) {
  FirstPageTakenUnderALock();
  EndLockAtTry(6);
  const long long pumps = loop.Pumps();
  Press(form().Stop);
  EXPECT_FALSE(lock) << "the lock ended at the sixth try";
  EXPECT_FALSE(app->engine.HasUnsettledPages());
  EXPECT_EQ(SentRecords(), 1);
  EXPECT_EQ(Count("Select * from Queue"), 0) << "the operator's Stop throws the waiting page away";
  EXPECT_GE(loop.Pumps() - pumps, 5 * 20) << "the window is drawn all through the tries";
  EXPECT_NE(std::find(captions.begin(), captions.end(),
                      "Storing the pages already sent: pager.mdb is held by another program (try 2 of 6)"),
            captions.end());
  EXPECT_EQ(form().lblStatus.Caption.get(), "Server is not available");

  ConfirmShutdown();
  EXPECT_TRUE(app->Finished());
  EXPECT_EQ(app->ExitStatus(), 0);
  EXPECT_EQ(errors.str(), "");
  EXPECT_EQ(SentRecords(), 1);
}

TEST_F(HeldPagesTest, AShutDownStoresTheHeldPageThatStopCouldNotOnceTheLockHasEnded) {
  StopUnderALockThenShutDown(true);
}

TEST_F(HeldPagesTest, AShutDownUnderALockThatOutlastsItsTriesNamesTheHeldPageWithStatusOne) {
  StopUnderALockThenShutDown(false);
}

// The orderly end on a signal tries six times in all (half a minute of the busy timeout): a
// lock that ends at the sixth try still lets it store the page, and the program ends with 0.
TEST_F(HeldPagesTest, TheOrderlyEndStoresTheHeldPageWhenTheLockEndsAtItsSixthTry) {
  FirstPageTakenUnderALock();
  EndLockAtTry(6);
  app->EndInOrder();
  EXPECT_TRUE(app->Finished());
  EXPECT_EQ(app->ExitStatus(), 0);
  EXPECT_EQ(errors.str(), "");
  EXPECT_EQ(SentRecords(), 1);
  EXPECT_EQ(Count("Select * from Queue Where Status = 'N'"), 1) << "the waiting page stays for the next start";
}

TEST_F(HeldPagesTest, ASignalDuringStopsTriesIsReportedAsTheirOutcomeWhenTheLockEnds) { SignalDuringStopsTries(true); }

TEST_F(HeldPagesTest, ASignalDuringStopsTriesIsReportedAsTheirOutcomeWhenTheLockStays) { SignalDuringStopsTries(false); }

}  // namespace
}  // namespace console_test
