// Stop and the shut-down guard.
#include <sys/stat.h>

#include "core/CoreTest.h"

namespace core_test {
namespace {

class StopTest : public CoreTest {
 protected:
  StopTest() { form().Load(); }
};

TEST_F(StopTest, StopDuringADialHangsUpAndThrowsTheMessagesAway) {
  h.Insert("Queue", {{"Unit", "1"}, {"Modem", "555"}, {"Status", "N"}});
  h.Insert("Temp", {{"Unit", "2"}, {"Modem", ""}, {"Status", "N"}});
  Start();
  form().Command1.Enabled = false;
  m().intDialSecs = 7;
  Stop();
  EXPECT_EQ(m().strServerState, "STOP");
  EXPECT_EQ(form().Label7.Caption.get(), "Software has been stopped");
  EXPECT_TRUE(form().Command1.Enabled);
  for (forms::Timer* timer : {&form().Timer1, &form().tmrSend, &form().tmrCountdown, &form().tmrRestart, &form().tmrDialing}) {
    EXPECT_FALSE(timer->Enabled) << timer->Name();
  }
  EXPECT_EQ(m().intDialSecs, 0);
  EXPECT_EQ(m().intPending, 0);
  EXPECT_EQ(m().intToCall, 0);
  EXPECT_EQ(h.fakeSerial->Writes().back(), "ATH+++\r");
  EXPECT_FALSE(form().MSComm1.PortOpen());
  EXPECT_EQ(h.CountRows("Queue") + h.CountRows("Temp"), 0);
  EXPECT_FALSE(m().dbPager->IsOpen());
  EXPECT_EQ(Status(), "\"NOT AVAILABLE\"\r\n");
  EXPECT_EQ(form().lblStatus.Caption.get(), "Server is not available");
  EXPECT_EQ(form().MousePointer.get(), 0);
}

// Before the first Start there is no database: the deletes are skipped and Temp keeps its rows.
// A second Stop finds port and database closed and sets only the texts again.
TEST_F(StopTest, FailingStatementsAreSkipped) {
  h.Insert("Temp", {{"Unit", "1"}, {"Modem", "555"}, {"Status", "N"}});
  h.folder.Remove("status.dat");
  ::mkdir(h.folder.PathOf("status.dat").c_str(), 0755);
  Stop();
  EXPECT_EQ(h.fakeSerial->Written(), "ATZ\rATH+++\r");
  Stop();
  EXPECT_EQ(h.fakeSerial->Written(), "ATZ\rATH+++\r");
  EXPECT_EQ(h.CountRows("Temp"), 1);
  EXPECT_EQ(form().lblStatus.Caption.get(), "Server is not available");
  EXPECT_EQ(h.fakeSerial->CloseCount(), 1);
}

TEST_F(StopTest, ShutDownIsRefusedWhileRunning) {
  Start();
  h.folder.Write("status.dat", "\"AVAILABLE\"\r\n");
  form().imgShut.Visible = true;
  EXPECT_FALSE(form().Unload(forms::kUnloadFromControlMenu));
  EXPECT_EQ(LastBox(), "You must stop the server before performing a shut down");
  EXPECT_EQ(h.dialogs.LastBox().buttons, forms::vbCritical);
  EXPECT_EQ(h.dialogs.LastBox().title, "Operation not allowed");
  EXPECT_FALSE(form().imgShut.Visible);
  EXPECT_EQ(Status(), "\"AVAILABLE\"\r\n");
}

TEST_F(StopTest, ShutDownAsksFirst) {
  int splashUnloads = 0;
  h.core->unloadSplash = [&] { ++splashUnloads; };
  form().imgShut.Visible = true;
  h.dialogs.QueueAnswer(forms::vbNo);
  EXPECT_FALSE(form().Unload());
  EXPECT_EQ(LastBox(), "Are you sure you want to shut down the server?");
  EXPECT_EQ(h.dialogs.LastBox().buttons, 36);
  EXPECT_EQ(h.dialogs.LastBox().title, "Shutting down");
  EXPECT_FALSE(form().imgShut.Visible);
  EXPECT_EQ(splashUnloads, 0);

  h.dialogs.QueueAnswer(forms::vbYes);
  EXPECT_TRUE(form().Unload());
  EXPECT_EQ(Status(), "\"NOT AVAILABLE\"\r\n");
  EXPECT_EQ(splashUnloads, 1);
}

// A status file that cannot be written is reported, and the shut-down the operator asked for
// goes on.
TEST_F(StopTest, ShutDownGoesOnWhenTheStatusCannotBeWritten) {
  ::mkdir(h.folder.PathOf("status.dat").c_str(), 0755);
  h.dialogs.QueueAnswer(forms::vbYes);
  EXPECT_TRUE(form().Unload());
  EXPECT_EQ(LastBox().rfind("Error:  75 - ", 0), 0U) << LastBox();
}

}  // namespace
}  // namespace core_test
