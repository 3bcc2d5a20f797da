// The modem answer reader: once a second it takes what the modem and the paging terminal sent
// and reacts to the keywords in it.
#include <string>

#include "common/LogText.h"
#include "engine/CallEngine.h"
#include "engine/Counters.h"
#include "engine/EngineState.h"
#include "engine/EngineTexts.h"
#include "engine/EngineTrap.h"
#include "engine/LogRecords.h"
#include "platform/dao/Database.h"
#include "platform/vb/Text.h"

namespace pager {

namespace {
bool Holds(const std::string& text, const char* keyword) { return text.find(keyword) != std::string::npos; }
}  // namespace

void CallEngine::Timer1_Timer() {
  Trapped([this] { ReadAnswers(); });
}

void CallEngine::EndCall(const std::string& status, const std::string& reason) {
  Trapped([&] {
    if (form_.tmrSend.Enabled || form_.tmrDialing.Enabled) FailCall(status.c_str(), reason.c_str());
    // A hang-up still waiting for the output to leave ends now, before the port closes under
    // it: its hang-up line must never reach the port once it is opened again.
    if (state_->closeLineByMs && form_.MSComm1.PortOpen()) {
      form_.MSComm1.DiscardOutput();
      SendHangUpAndClose();
    }
  });
}

void CallEngine::FailCall(const char* status, const char* reason) {
  form_.lblStatus.Caption = status;
  m_.strFailReason = reason;
  form_.tmrDialing.Enabled = false;
  FailWaitingMessages();
  HangUp();
  m_.intDialSecs = 0;
}

void CallEngine::ReadAnswers() {
  // A line still open while the hang-up waits for its output carries no call any more.
  if (!form_.MSComm1.PortOpen() || state_->closeLineByMs) return;
  form_.MSComm1.SetInputLen(0);
  const std::string chunk = form_.MSComm1.Input();
  // The terminal window shows the line as it came in, echo included.
  form_.Label1.Caption = vb::Trim(chunk);
  // The terminal echoes what we type: our own lines are taken out before the answers are read.
  const std::string answer = state_->echo.Clean(chunk, platform_.loop.NowMs());

  // Every test runs on its own, in this order; a keyword found twice acts once.
  if (Holds(answer, texts::kConnect)) {
    CountDown(m_.intToCall);
    m_.blnLoggedIn = false;
    m_.intIDCount = 0;
    form_.lblStatus.Caption = texts::kConnected;
    form_.tmrSend.Enabled = true;
    form_.tmrDialing.Enabled = false;
    m_.intDialSecs = 0;
  }
  if (Holds(answer, texts::kBusy)) FailCall(texts::kBusyStatus, texts::kReasonBusy);
  for (const char* rejection : {texts::kRejectedLower, texts::kRejectedNotValid, texts::kRejectedCapital}) {
    if (Holds(answer, rejection)) RejectedUnit();
  }
  if (Holds(answer, texts::kNoCarrier)) FailCall(texts::kCarrierLostStatus, texts::kReasonCarrierLost);
  if (Holds(answer, texts::kNoDialtone)) FailCall(texts::kNoDialtoneStatus, texts::kReasonNoDialtone);
  if (Holds(answer, texts::kIdPrompt)) CountUp(m_.intIDCount);
}

void CallEngine::RejectedUnit() {
  form_.lblStatus.Caption = texts::kInvalidUnitStatus;
  // Without a current row (the last message's text has just gone out, or an earlier rejection
  // in this chunk passed the last row) there is no message to log or skip: the dialogue's next
  // step finds the end of the rows and hangs up.
  const auto& rows = m_.rsQueue;
  if (!rows || !rows->IsOpen() || rows->Eof() || rows->Bof()) return;
  // A refusal while the page's text is still leaving the port: that page was not taken, and
  // what is left of it is taken back from the port.
  if (state_->leaving) {
    form_.MSComm1.DiscardOutput();
    state_->leaving.reset();
  }
  // The unit refused is this row's own when its unit id is the last one written; a refusal
  // that comes only after the dialogue moved past that row (its text went out meanwhile) is
  // logged against the row now current, which was never offered: it waits for the next cycle.
  const std::int64_t row = rows->Bookmark();
  const bool ownUnit = state_->unitOnLine == row;
  state_->unitOnLine.reset();
  CountDown(m_.intPending);
  m_.strSendStep = "Unit";
  AppendLogRecord(platform_.dbEngine, m_.dbPager, m_.rsTranLog, [&] {
    return RejectedRecord(ReadQueueRow(*rows), LogHead(platform_.clock), m_.strSender, m_.strMessage, m_.strUnit);
  });
  // The row keeps waiting "N" for the rest of this call; the end of the list removes it.
  if (ownUnit) state_->refusedRows.push_back(row);
  rows->MoveNext();
  m_.intLastStep = m_.intSendTick;
  if (rows->Eof()) Disconnect();
}

}  // namespace pager
