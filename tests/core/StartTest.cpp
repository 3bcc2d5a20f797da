// Start: its steps, its three end states, the dial line, the guard against a second Start
// during a cycle, and its error trap.
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/CoreTest.h"

namespace core_test {
namespace {

class StartTest : public CoreTest {
 protected:
  StartTest() { form().Load(); }
  void Queue(const std::string& modem, const std::string& unit = "100") {
    h.Insert("Queue", {{"Unit", unit}, {"Message", "hi"}, {"Modem", modem}, {"Status", std::string("N")}});
  }
};

TEST_F(StartTest, WithNothingQueuedItArmsTheRecycle) {
  m().intToCall = 3;
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty());
  EXPECT_EQ(m().strServerState, "RUNNING");
  EXPECT_EQ(m().intPending, 0);
  EXPECT_EQ(m().intToCall, 3);
  EXPECT_TRUE(form().tmrRestart.Enabled);
  EXPECT_FALSE(form().Timer1.Enabled);
  EXPECT_FALSE(form().tmrDialing.Enabled);
  EXPECT_TRUE(m().dbPager->IsOpen());
  EXPECT_EQ(Status(), "\"AVAILABLE\"\r\n");
  EXPECT_EQ(form().lblStatus.Caption.get(), "Server is running");
  EXPECT_EQ(form().Label1.Caption.get(), "Welcome to Corvello '98");
  EXPECT_EQ(form().Label7.Caption.get(), "Monday, December 07, 2026 at 2:30:00 PM");
  EXPECT_EQ(form().Label9.Caption.get(), " 45 seconds");
  EXPECT_EQ(form().MousePointer.get(), 0);
}

TEST_F(StartTest, DialsTheFirstCompanyInTextOrder) {
  m().varPrefix = "9,";
  m().strSuffix = ";";
  Queue("9555");
  Queue("10555");
  Queue("10555", "101");
  std::vector<std::string> captions;
  form().lblStatus.Caption.Observe([&] { captions.push_back(form().lblStatus.Caption); });
  h.fakeSerial->ClearWritten();
  Start();
  EXPECT_EQ(m().strModem, "10555");
  EXPECT_EQ(m().intToCall, 2);
  EXPECT_EQ(m().intPending, 3);
  EXPECT_EQ(m().rsQueue->Field("Unit"), "100");
  EXPECT_EQ(h.fakeSerial->Written(), "ATDT9,10555;\r");  // the port was open from the load
  EXPECT_EQ(h.fakeSerial->OpenCount(), 1);
  EXPECT_EQ(captions, (std::vector<std::string>{"Dialing 9,10555;", "Server is running"}));
  EXPECT_TRUE(form().Timer1.Enabled);
  EXPECT_TRUE(form().tmrDialing.Enabled);
  EXPECT_FALSE(form().tmrRestart.Enabled);
}

TEST_F(StartTest, OpensAClosedPortWithoutInitStringAndDialsWithoutACommandNeverSet) {
  Stop();
  m().varDialCmd.clear();
  h.fakeSerial->ClearWritten();
  Queue("555");
  Start();
  EXPECT_EQ(h.fakeSerial->OpenCount(), 2);
  EXPECT_EQ(h.fakeSerial->Written(), "555\r");
}

TEST_F(StartTest, TheStartTimeLabelIsSetOnlyFromAStoppedServer) {
  Start();
  h.loop.Advance(9000);  // the re-cycle runs Start again
  EXPECT_EQ(form().Label7.Caption.get(), "Monday, December 07, 2026 at 2:30:00 PM");
  Stop();
  h.clock.Set({2026, 12, 8}, {9, 5, 7});
  Start();
  EXPECT_EQ(form().Label7.Caption.get(), "Tuesday, December 08, 2026 at 9:05:07 AM");
}

// A quote in a number is doubled in the company query: the query neither breaks nor selects
// other companies' rows, and two rows with the same number make one company.
TEST_F(StartTest, ANumberWithAQuoteSelectsExactlyItsRows) {
  Queue("1' OR Modem <> '");
  Queue("1' OR Modem <> '", "101");
  Queue("2");
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty());
  EXPECT_EQ(m().strModem, "1' OR Modem <> '");
  EXPECT_EQ(m().intToCall, 2);
  m().rsQueue->MoveLast();
  EXPECT_EQ(m().rsQueue->RecordCount(), 2);
  EXPECT_EQ(h.fakeSerial->Writes().back(), "ATDT1' OR Modem <> '\r");
}

// The list names a company whose query finds nothing (a blob "555" is listed as text but
// matches no text): the pause goes on from it instead of leaving the server armed with no
// timer.
TEST_F(StartTest, AFirstCompanyWithoutRowsGoesOnToThePause) {
  h.Exec("INSERT INTO Queue (Unit, Modem, Status) VALUES ('1', X'353535', 'N')");
  Start();
  EXPECT_EQ(m().strModem, "555");
  EXPECT_TRUE(form().tmrCountdown.Enabled);
  EXPECT_FALSE(form().tmrDialing.Enabled);
  EXPECT_EQ(Status(), "\"AVAILABLE\"\r\n");
#ifdef PAGER_HARNESS_HAS_ENGINE
  h.loop.Advance(8000);  // the end of the list: the re-cycle
  EXPECT_TRUE(form().tmrRestart.Enabled);
#endif
}

TEST_F(StartTest, TheOperatorsStartWaitsForTheCycle) {
  Queue("555");
  Start();
  const int opens = h.fakeSerial->OpenCount();
  const auto database = m().dbPager;
  h.core->StartFromOperator();  // dialing
  EXPECT_EQ(h.fakeSerial->Writes().size(), 2U);  // the init string and one dial line
  EXPECT_EQ(m().dbPager, database);
  EXPECT_EQ(h.fakeSerial->OpenCount(), opens);

  Stop();
  h.core->StartFromOperator();  // stopped: runs
  EXPECT_EQ(m().strServerState, "RUNNING");
  EXPECT_NE(m().dbPager, database);

  Stop();
  h.Exec("DELETE FROM Queue");
  Start();  // nothing queued: the re-cycle pause
  ASSERT_TRUE(form().tmrRestart.Enabled);
  const auto idle = m().dbPager;
  h.core->StartFromOperator();
  EXPECT_NE(m().dbPager, idle);
  EXPECT_FALSE(idle->IsOpen());  // replaced, not left open beside the new one
}

#ifdef PAGER_HARNESS_HAS_ENGINE
// The operator's Start in the re-cycle pause ends the pause: its last tick must not start the
// cycle a second time in the middle of the dial.
TEST_F(StartTest, TheOperatorsStartInTheRecyclePauseEndsThePause) {
  Start();
  h.loop.Advance(3000);
  Queue("555");
  h.fakeSerial->ClearWritten();
  h.core->StartFromOperator();
  EXPECT_FALSE(form().tmrRestart.Enabled);
  const auto database = m().dbPager;
  h.loop.Advance(6000);
  EXPECT_EQ(h.fakeSerial->Written(), "ATDT555\r");
  EXPECT_TRUE(m().dbPager == database);
  EXPECT_TRUE(form().tmrDialing.Enabled);
}

// With an ASP web server the web side writes Temp and Scheadule itself; the idle server takes
// them up at its next re-cycle.
TEST_F(StartTest, AnIdleServerTakesUpWhatTheWebSideWrites) {
  m().blnASP = true;
  Start();
  h.Insert("Temp", {{"Unit", "1"}, {"Message", "web"}, {"Modem", "555"}, {"Status", "N"}});
  h.InsertScheduled("2026-12-07", "14:30:05", "444", "2", "sched");
  h.fakeSerial->ClearWritten();
  h.loop.Advance(8000);
  EXPECT_EQ(m().intPending, 2);
  EXPECT_EQ(h.fakeSerial->Written(), "ATDT444\r");
  EXPECT_EQ(h.CountRows("Temp") + h.CountRows("Scheadule"), 0);
}
#endif

TEST_F(StartTest, AnErrorIsShownAndStopsTheServer) {
  h.folder.Remove("pager.mdb");
  const long long pumps = h.loop.Pumps();
  Start();
  ASSERT_EQ(h.dialogs.Boxes().size(), 1U);
  EXPECT_EQ(LastBox().rfind("Error:  3024 - Could not find file", 0), 0U) << LastBox();
  EXPECT_EQ(h.dialogs.LastBox().buttons, forms::vbCritical);
  EXPECT_EQ(h.dialogs.LastBox().title, "Error");
  EXPECT_TRUE(form().imgStop.Visible);
  EXPECT_FALSE(form().imgStart.Visible);
  EXPECT_GT(h.loop.Pumps(), pumps);
  EXPECT_EQ(m().strServerState, "STOP");
  EXPECT_EQ(Status(), "\"NOT AVAILABLE\"\r\n");
  EXPECT_EQ(form().lblStatus.Caption.get(), "Server is not available");
}

// Another program holding pager.mdb longer than the engine waits (5 seconds, in real time)
// reaches the operator as error 3260 in Start's box; the row it kept from moving waits for the
// next Start.
TEST_F(StartTest, AnOutsideLockReachesTheOperatorAs3260AndLosesNothing) {
  h.InsertScheduled(std::string("2026-12-07"), std::string("09:00"), std::string("555"), "7", "hi");
  sqlite3* outside = nullptr;
  ASSERT_EQ(sqlite3_open(h.DatabasePath().c_str(), &outside), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(outside, "PRAGMA journal_mode=WAL; BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  // The lock goes while the box is open, so that Stop after it does not wait as well.
  h.dialogs.QueueWhileOpen([&] { sqlite3_exec(outside, "COMMIT", nullptr, nullptr, nullptr); });
  Start();
  sqlite3_close(outside);

  ASSERT_EQ(h.dialogs.Boxes().size(), 1U);
  EXPECT_EQ(LastBox(), "Error:  3260 - Couldn't update; currently locked by another session.");
  EXPECT_EQ(h.dialogs.LastBox().title, "Error");
  EXPECT_EQ(m().strServerState, "STOP");
  EXPECT_EQ(h.CountRows("Scheadule"), 1);
  Start();
  EXPECT_EQ(h.CountRows("Scheadule"), 0);
  EXPECT_EQ(m().intPending, 1);
}

// An error after the intake keeps every message: the next Start queues each exactly once.
TEST_F(StartTest, MessagesTakenInSurviveTheErrorTrap) {
  h.Insert("Temp", {{"Unit", std::string("7")}, {"Modem", std::string("555")}, {"Status", std::string("N")}});
  Queue("555");
  h.folder.Remove("status.dat");
  ::mkdir(h.folder.PathOf("status.dat").c_str(), 0755);  // cannot be written
  Start();
  ASSERT_EQ(h.dialogs.Boxes().size(), 1U);
  EXPECT_EQ(m().strServerState, "STOP");
  EXPECT_EQ(h.fakeSerial->Written().substr(h.fakeSerial->Written().size() - 7), "ATH+++\r");
  EXPECT_EQ(h.CountRows("Queue"), 2);
  ::rmdir(h.folder.PathOf("status.dat").c_str());
  Start();
  EXPECT_EQ(m().intPending, 2);
  EXPECT_EQ(h.CountRows("Temp"), 0);
  Stop();  // the operator's Stop empties both tables
  EXPECT_EQ(h.CountRows("Queue") + h.CountRows("Temp"), 0);
}

}  // namespace
}  // namespace core_test
