// The modem answer reader: once a second it takes what the modem and the paging terminal sent
// and reacts to the keywords in it.
#include <cstring>
#include <optional>
#include <string>
#include <utility>

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
// The longest keyword: "NO DIALTONE".
constexpr std::size_t kLongestKeyword = 11;

// `keyword` stands in `text` (the tail of the last read, then this read) and ends inside this
// read: one found wholly in the tail was acted on at the last read.
bool HoldsAfter(const std::string& text, std::size_t tailSize, const char* keyword) {
  const std::size_t length = std::strlen(keyword);
  const std::size_t from = tailSize >= length ? tailSize - length + 1 : 0;
  return text.find(keyword, from) != std::string::npos;
}

// What of `text` may begin a keyword the next read ends: the part after its last line end
// (keywords hold none), at most the longest keyword but one.
std::string UnfinishedTail(const std::string& text) {
  const std::size_t lineEnd = text.find_last_of("\r\n");
  std::string tail = lineEnd == std::string::npos ? text : text.substr(lineEnd + 1);
  if (tail.size() >= kLongestKeyword) tail.erase(0, tail.size() - (kLongestKeyword - 1));
  return tail;
}
}  // namespace

void CallEngine::Timer1_Timer() {
  Trapped([this] { ReadAnswers(); });
}

void CallEngine::EndCall(const std::string& status, const std::string& reason) {
  // A page partly out is let finish leaving: the Save closes the port only after it.
  Trapped([&] {
    if (form_.tmrSend.Enabled || form_.tmrDialing.Enabled) FailCall(status.c_str(), reason.c_str(), PartPage::kLetItLeave);
  });
  // A hang-up still waiting for the output to leave ends now, before the port closes under
  // it, also when the failure above raised (its trap hangs up too): nothing of the old call
  // may reach the port once it is opened again.
  Trapped([this] { FinishClosingLine(); });
}

void CallEngine::FinishClosingLine() {
  if (!state_->closeLineByMs) return;
  comm::MSComm& port = form_.MSComm1;
  if (!port.PortOpen()) {
    state_->closeLineByMs.reset();
    lineCloser_.Enabled = false;
    return;
  }
  bool sent = false;
  try {
    sent = port.OutBufferCount() == 0;
  } catch (const vb::RuntimeError&) {
  }
  // Output still queued may be a line begun: the hang-up line would complete it.
  if (sent) {
    SendHangUpAndClose();
  } else {
    DropLine();
  }
}

void CallEngine::FailCall(const char* status, const char* reason, PartPage partPage) {
  form_.lblStatus.Caption = status;
  m_.strFailReason = reason;
  form_.tmrDialing.Enabled = false;
  EndLeavingPage(partPage);
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
  // What the last read left unfinished is read again in front of this one: a keyword split
  // between two reads is found, at the read that ends it.
  const std::string tail = std::exchange(state_->answerTail, std::string());
  const std::string answer = tail + state_->echo.Clean(chunk, platform_.loop.NowMs());
  state_->answerTail = UnfinishedTail(answer);
  const auto Holds = [&answer, &tail](const char* keyword) { return HoldsAfter(answer, tail.size(), keyword); };

  // Every test runs on its own, in this order; a keyword found twice acts once.
  if (Holds(texts::kConnect)) {
    CountDown(m_.intToCall);
    m_.blnLoggedIn = false;
    m_.intIDCount = 0;
    form_.lblStatus.Caption = texts::kConnected;
    form_.tmrSend.Enabled = true;
    form_.tmrDialing.Enabled = false;
    m_.intDialSecs = 0;
  }
  if (Holds(texts::kBusy)) FailCall(texts::kBusyStatus, texts::kReasonBusy);
  for (const char* rejection : {texts::kRejectedLower, texts::kRejectedNotValid, texts::kRejectedCapital}) {
    if (Holds(rejection)) RejectedUnit();
  }
  if (Holds(texts::kNoCarrier)) FailCall(texts::kCarrierLostStatus, texts::kReasonCarrierLost);
  if (Holds(texts::kNoDialtone)) FailCall(texts::kNoDialtoneStatus, texts::kReasonNoDialtone);
  if (Holds(texts::kIdPrompt)) CountUp(m_.intIDCount);
}

void CallEngine::RejectedUnit() {
  form_.lblStatus.Caption = texts::kInvalidUnitStatus;
  // Without a current row (the last message's text has just gone out, or an earlier rejection
  // in this chunk passed the last row) there is no message to log or skip: the dialogue's next
  // step finds the end of the rows and hangs up.
  const auto& rows = m_.rsQueue;
  if (!rows || !rows->IsOpen() || rows->Eof() || rows->Bof()) return;
  // A refusal while the page's text is still leaving the port: the terminal refused its unit,
  // and waits for a unit again. When none of the text has left, it is taken back and the
  // dialogue goes on; once some of it has left, the terminal would take it, completed by the
  // next line, as a unit id: the call then ends without another byte, and the company's other
  // pages wait for the next cycle.
  bool textOnLine = false;
  if (state_->leaving) {
    std::optional<std::size_t> queued;
    try {
      queued = form_.MSComm1.OutBufferCount();
    } catch (const vb::RuntimeError&) {
    }
    textOnLine = !queued || *queued < state_->leaving->bytes;
    state_->leaving.reset();
    // Dropped before anything else can fail: no later hang-up line may complete the text.
    if (textOnLine) {
      DropLine();
    } else {
      form_.MSComm1.DiscardOutput();
    }
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
  if (textOnLine) {
    Disconnect();
    return;
  }
  rows->MoveNext();
  m_.intLastStep = m_.intSendTick;
  if (rows->Eof()) Disconnect();
}

}  // namespace pager
