// Start: one cycle of the server begins. The messages are taken in, the companies to call are
// listed and the first one is dialled; the call engine's timers take over from there.
#include <new>

#include "common/ErrorBox.h"
#include "common/SettingsFiles.h"
#include "core/CompanyQuery.h"
#include "core/QueueRow.h"
#include "core/QueueRules.h"
#include "core/RunningFlag.h"
#include "platform/dao/Errors.h"
#include "core/ServerCore.h"
#include "platform/vb/Text.h"

namespace pager {

bool ServerCore::CycleInProgress() const {
  // A Stop or a shut-down waiting for the database to store the pages already sent pumps
  // events; a Start must not begin inside it.
  if (startRunning_ || storingPages_) return true;
  if (m_.strServerState != "RUNNING") return false;
  return (form_.Timer1.Enabled && form_.MSComm1.PortOpen()) || form_.tmrDialing.Enabled ||
         form_.tmrSend.Enabled || form_.tmrCountdown.Enabled;
}

void ServerCore::StartFromOperator() {
  if (CycleInProgress()) return;
  // In the re-cycle pause this Start takes the place of the one the pause would make: the pause
  // ends here, or its last tick would run Start a second time in the middle of this cycle.
  form_.tmrRestart.Enabled = false;
  Command1_Click();
}

void ServerCore::Command1_Click() {
  m_.intIDCount = 0;
  RunningFlag running(startRunning_);
  try {
    form_.MousePointer = forms::kHourglassPointer;
    m_.strServerState = "RUNNING";
    form_.Label1.Caption = "Welcome to Corvello '98";
    OpenDatabase();
    if (settleEngine) settleEngine();
    RemoveSentRows();
    SetStartTimeLabel();
    form_.Label9.Caption = vb::Str(m_.intTimeOut.value()) + " seconds";
    m_.intPending = intake_.ImportMessages(recycling_);
    CallFirstCompany();
    WriteStatus(platform_.programFolder, kAvailable);
    form_.MousePointer = forms::kDefaultPointer;
    form_.lblStatus.Caption = "Server is running";
    if (!intake_.WaitingInputs().empty()) form_.lblStatus.Caption = WaitingInputsText(intake_.WaitingInputs());
    ShowIntakeNotices();
  } catch (const vb::RuntimeError& e) {
    if (recycling_ && e.Number() == dao::err::kLocked) {
      RecycleLater(e);
    } else {
      StartTrap(e);
    }
  } catch (const IntakeStopped&) {
    // Stopped while the intake waited for a file to be quiet: the Stop has done the work.
  } catch (const std::bad_alloc&) {
    StartTrap(vb::RuntimeError(vb::err::kOutOfMemory, vb::DescriptionOf(vb::err::kOutOfMemory)));
  }
}

std::string ServerCore::WaitingInputsText(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
  return list + " not complete yet; trying again at the next re-cycle";
}

void ServerCore::ShowIntakeNotices() {
  // Taken from the intake first: a box waits in a nested loop, where the next Start may run.
  const std::vector<std::string> notices = intake_.TakeNotices();
  for (const std::string& notice : notices) platform_.dialogs.MsgBox(notice, forms::vbCritical, "Error");
}

void ServerCore::StartFromRecycle() {
  RunningFlag recycling(recycling_);
  Command1_Click();
}

void ServerCore::RemoveSentRows() {
  dao::Database& db = *m_.dbPager;
  auto sent = db.OpenRecordset(kAnySentRows);
  const bool any = sent->RecordCount() > 0;
  sent->Close();
  // Only when there is something to remove: the delete would take the write lock, and so wait
  // for another program's write, also when it has nothing to do.
  if (any) db.Execute(kRemoveSentRows);
}

void ServerCore::RecycleLater(const vb::RuntimeError& /*error*/) {
  // Whatever the intake had stored before the lock stays stored; the rest waits where it was.
  if (m_.rsCompanies && m_.rsCompanies->IsOpen()) vb::ResumeNext([&] { m_.rsCompanies->Close(); });
  vb::ResumeNext([&] { m_.dbPager->Close(); });
  form_.tmrRestart.Enabled = true;
  form_.MousePointer = forms::kDefaultPointer;
  form_.lblStatus.Caption = "Database locked by another program; trying again at the next re-cycle";
}

void ServerCore::OpenDatabase() {
  // A connection that an earlier Start (or the setup window's Clear) left open is closed as its
  // successor takes its place, so that no stale connection (kept alive by an old recordset)
  // stays in the workspace, whose transactions span every open database.
  if (m_.dbPager && m_.dbPager->IsOpen()) m_.dbPager->Close();
  m_.dbPager = platform_.dbEngine.Workspaces(0).OpenDatabase(platform_.PathOf("pager.mdb"), false, false, "");
}

void ServerCore::SetStartTimeLabel() {
  const std::string& caption = form_.Label7.Caption;
  if (caption.empty() || caption == "Software has been stopped" ||
      caption == "Not started yet. Software is stopped") {
    form_.Label7.Caption = vb::FormatLongDate(platform_.clock.Today()) + " at " +
                           vb::TimeText(platform_.clock.TimeNow());
  }
}

void ServerCore::CallFirstCompany() {
  m_.rsCompanies = m_.dbPager->OpenRecordset(kCompanyListQuery);
  dao::Recordset& companies = *m_.rsCompanies;

  // A Null number cannot be dialled; the intake keeps such rows out of Queue, and any that an
  // outside writer slipped in since head the list (Null sorts first) and are passed over.
  long skipped = 0;
  if (companies.RecordCount() > 0) {
    companies.MoveFirst();
    while (!companies.Eof() && !HasCompany(companies.Field("Modem"))) {
      companies.MoveNext();
      ++skipped;
    }
  }
  if (companies.RecordCount() == 0 || companies.Eof()) {
    companies.Close();
    form_.tmrRestart.Enabled = true;
    return;
  }

  companies.MoveLast();
  m_.intToCall = companies.RecordCount() - skipped;
  companies.MoveFirst();
  for (long i = 0; i < skipped; ++i) companies.MoveNext();
  m_.strModem = *companies.Field("Modem");

  m_.rsQueue = m_.dbPager->OpenRecordset(CompanyQueryText(m_.strModem));
  if (m_.rsQueue->RecordCount() > 0) {
    m_.rsQueue->MoveFirst();
    form_.Timer1.Enabled = true;
    if (!form_.MSComm1.PortOpen()) form_.MSComm1.SetPortOpen(true);
    form_.lblStatus.Caption = DialCaption(m_.varPrefix, m_.strModem, m_.strSuffix);
    form_.MSComm1.Output(DialLine(m_.varDialCmd, m_.varPrefix, m_.strModem, m_.strSuffix));
    form_.tmrDialing.Enabled = true;
  } else {
    // The company's rows went between the list and its query: wait out a pause and go on with
    // the next company, as the pause does for a later company without rows.
    form_.tmrCountdown.Enabled = true;
  }
}

void ServerCore::StartTrap(const vb::RuntimeError& error) {
  platform_.dialogs.MsgBox(GeneralErrorText(error), forms::vbCritical, "Error");
  // The file the error came from is named, and the files the intake set aside before it.
  ShowIntakeNotices();
  form_.imgStop.Visible = true;
  form_.imgStart.Visible = false;
  platform_.loop.DoEvents();
  // The messages still waiting, in Queue and Temp, are kept for the next Start; the sent ones
  // go (QueueRules.h).
  RunningFlag keep(keepMessagesOnStop_);
  Command2_Click();
}

}  // namespace pager
