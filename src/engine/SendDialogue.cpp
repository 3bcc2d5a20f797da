// The send dialogue: after "CONNECT", a timed sequence of lines to the paging terminal, one
// message (its unit id, then its text) every six ticks.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "common/LogText.h"
#include "engine/CallEngine.h"
#include "engine/Counters.h"
#include "engine/EngineState.h"
#include "engine/EngineTexts.h"
#include "engine/EngineTrap.h"
#include "engine/LogRecords.h"
#include "platform/dao/Database.h"

namespace pager {

namespace {
constexpr int kOpeningTick = 3;
constexpr int kManualEntryTick = 5;
constexpr int kTicksPerStep = 3;
// A unit step at tick t needs its text at t + 3 and the next step (or the end of the rows) at
// t + 6 within the 16-bit send counter.
constexpr int kTicksAfterUnit = 2 * kTicksPerStep;
// Allowed beyond what the line's rate needs for a page to leave the port: the modem's buffers.
constexpr int kLeaveMarginMs = 2000;
// Allowed beyond what the line's rate needs for the rest of a page partly out, when a call that
// ends waits for it inside its handler.
constexpr int kFinishMarginMs = 500;

// What goes to the line of a unit or a text: its control characters (CR and LF among them)
// as blanks, so that each is one line to the terminal. The record keeps the text as received.
std::string OneLine(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = ' ';
  }
  return text;
}

dao::Recordset& CompanyRows(const std::shared_ptr<dao::Recordset>& rsQueue) {
  if (!rsQueue) vb::Raise(vb::err::kObjectNotSet);
  return *rsQueue;
}
}  // namespace

void CallEngine::tmrSend_Timer() {
  Trapped([this] { SendTick(); });
}

void CallEngine::SendTick() {
  platform_.loop.DoEvents();
  // A hang-up or Stop in the pump ended the call: this tick belongs to no call, and counting it
  // would start the next call one tick late.
  if (!form_.tmrSend.Enabled) return;
  ++m_.intSendTick;
  const int tick = m_.intSendTick.value();
  if (state_->leaving && !PageHasLeft()) return;
  if (tick == kOpeningTick) {
    Write(texts::kOpeningLine);
    return;
  }
  if (tick == kManualEntryTick) {
    CompanyRows(m_.rsQueue).MoveFirst();
    Write(texts::kManualEntryLine);
    m_.intLastStep = kManualEntryTick;
    m_.strSendStep = "Unit";
    return;
  }
  if (tick != m_.intLastStep.value() + kTicksPerStep) return;
  SendStep();
}

void CallEngine::SendStep() {
  if (!m_.blnLoggedIn) {
    const int prompts = m_.intIDCount.value();
    if (prompts > 3) {
      FailCall(texts::kLoginFailedStatus, texts::kReasonNoId);
      return;
    }
    if (prompts == 0) {
      FailCall(texts::kNoIdStatus, texts::kReasonNoId);
      return;
    }
  }
  auto& rows = CompanyRows(m_.rsQueue);
  if (rows.Eof()) {
    Disconnect();
    return;
  }
  if (m_.strSendStep == "Unit") {
    if (m_.intSendTick.value() > vb::Int16::kMax - kTicksAfterUnit) {
      // The call cannot count further: the rest of the company's messages go back to Temp
      // for the next cycle instead of staying in Queue for the end-of-cycle delete.
      form_.lblStatus.Caption = texts::kDisconnecting;
      m_.strFailReason = texts::kReasonCallFull;
      FailWaitingMessages();
      form_.tmrSend.Enabled = false;
      HangUp();
      form_.lblStatus.Caption = texts::kNotOnline;
      return;
    }
    // A Null field goes out as empty text.
    m_.strSender = rows.Field("Sender").value_or("");
    m_.strUnit = rows.Field("Unit").value_or("");
    m_.strMessage = rows.Field("Message").value_or("");
    m_.strOutUnit = OneLine(m_.strUnit);
    m_.strOutMessage = OneLine(m_.strMessage);
    form_.lblStatus.Caption = texts::kSendingUnit;
    Write(m_.strOutUnit + texts::kLineEnd);
    m_.strSendStep = "Message";
    m_.blnLoggedIn = true;
    m_.intLastStep = m_.intSendTick;
    state_->unitOnLine = rows.Bookmark();
  } else if (m_.strSendStep == "Message") {
    form_.lblStatus.Caption = texts::kSendingMessage;
    const std::string line = m_.strOutMessage + texts::kLineEnd;
    Write(line);
    m_.strSendStep = "Unit";
    m_.intLastStep = m_.intSendTick;
    // The page counts as sent once its bytes have left the port; until then the dialogue waits
    // (PageHasLeft), for as long as the line's rate needs.
    comm::MSComm& port = form_.MSComm1;
    const std::size_t queued = port.OutBufferCount();
    const QueueRow row = ReadQueueRow(rows);
    state_->leaving = State::LeavingPage{{rows.Bookmark(), SentRecord(row, LogHead(platform_.clock)), PageDescription(row)},
                                         platform_.loop.NowMs() + port.SendTimeMs(queued) + kLeaveMarginMs,
                                         line.size()};
    if (queued == 0) PageLeft();
  }
}

bool CallEngine::PageHasLeft() {
  comm::MSComm& port = form_.MSComm1;
  if (port.OutBufferCount() > 0) {
    if (platform_.loop.NowMs() < state_->leaving->byMs) return false;
    // The line does not take the page (held off by the modem, say): it fails with the
    // company's other waiting pages and comes back in the next cycle. Part of it may have
    // left: the line is dropped without another byte, so that the terminal never gets its CR.
    FailCall(texts::kPageHeldStatus, texts::kReasonPageHeld, PartPage::kDropLine);
    return false;
  }
  PageLeft();
  return true;
}

void CallEngine::PageLeft() {
  // Kept first, so that whatever fails below, the page is stored as sent before the queue is
  // touched again (StoreUnsettled).
  state_->unsettled.push_back(std::move(state_->leaving->page));
  state_->leaving.reset();
  state_->unitOnLine.reset();
  CountDown(m_.intPending);
  // A page that left only when its step's time was up counts as sent now: the next step comes
  // a full step later, and what the terminal answers meanwhile is read before the next unit
  // goes out (it belongs to this page).
  const int tick = m_.intSendTick.value();
  if (tick >= m_.intLastStep.value() + kTicksPerStep) m_.intLastStep = tick;
  CompanyRows(m_.rsQueue).MoveNext();
  StoreUnsettled();
}

void CallEngine::EndLeavingPage(PartPage partPage) {
  if (!state_->leaving) return;
  comm::MSComm& port = form_.MSComm1;
  std::optional<std::size_t> queued;
  try {
    queued = port.OutBufferCount();
  } catch (const vb::RuntimeError&) {
    // The device has vanished: what it held never leaves, and nothing is known of the rest.
  }
  if (queued && *queued == 0) {
    PageLeft();
    return;
  }
  // The page's bytes are the last written: none of them has left while at least as many are
  // still queued. Taken back, nothing of it reaches the terminal, and the line may go on.
  if (queued && *queued >= state_->leaving->bytes) {
    port.DiscardOutput();
    state_->leaving.reset();
    return;
  }
  if (queued && partPage == PartPage::kLetItLeave) {
    // What the rest needs at the line's rate, and never past the page's own deadline.
    const std::int64_t needs = port.SendTimeMs(*queued) + kFinishMarginMs;
    const std::int64_t left = std::clamp<std::int64_t>(state_->leaving->byMs - platform_.loop.NowMs(), 0, needs);
    bool sent = false;
    try {
      sent = port.WaitOutputSent(static_cast<int>(left));
    } catch (const vb::RuntimeError&) {
    }
    if (sent) {
      PageLeft();
      return;
    }
  }
  // Part of the page is on the line: whatever came next and ended in CR would complete it.
  state_->leaving.reset();
  DropLine();
}

void CallEngine::DropLine() {
  form_.MSComm1.DropLine();
  state_->echo.Clear();
  state_->answerTail.clear();
  state_->closeLineByMs.reset();
  lineCloser_.Enabled = false;
}

}  // namespace pager
