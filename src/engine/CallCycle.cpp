// The pause between companies, the next company's dial, the end of the company list, the dial
// time-out and the re-cycle.
#include <string>

#include "core/CompanyQuery.h"
#include "engine/CallEngine.h"
#include "engine/EngineState.h"
#include "engine/EngineTexts.h"
#include "engine/EngineTrap.h"
#include "engine/LogRecords.h"
#include "platform/dao/Database.h"
#include "platform/vb/Text.h"

namespace pager {

namespace {
// Ticks of the re-cycle after a cycle (the pause's are kPauseTicks).
constexpr int kRecycleTicks = 8;
}  // namespace

void CallEngine::tmrCountdown_Timer() {
  Trapped([this] { PauseTick(); });
}

void CallEngine::tmrDialing_Timer() {
  Trapped([this] { DialTimeOutTick(); });
}

void CallEngine::tmrRestart_Timer() {
  Trapped([this] { RecycleTick(); });
}

void CallEngine::PauseTick() {
  ++m_.intCountdown;
  // Other handlers and the operator's clicks run in the two pumps. When one of them switched
  // the pause off (Stop), the tick ends there; the count is kept for the next pause, unless the
  // pause had run out (then the next one starts afresh).
  const auto pausedOff = [this] {
    if (form_.tmrCountdown.Enabled) return false;
    if (m_.intCountdown.value() >= kPauseTicks) {
      m_.intCountdown = 0;
      form_.Label2.Caption = "";
    }
    return true;
  };
  platform_.loop.DoEvents();
  if (pausedOff()) return;
  form_.Label2.Caption = texts::kNextCompany + vb::Str(kPauseTicks - m_.intCountdown.value()) + texts::kSeconds;
  platform_.loop.DoEvents();
  if (pausedOff()) return;
  if (m_.intCountdown.value() < kPauseTicks) return;

  form_.Label2.Caption = "";
  m_.intCountdown = 0;
  // No next call before every page taken so far is stored as sent; until then the pause runs
  // again (the error shows in the status line).
  SettlePending();
  if (!m_.rsCompanies || !m_.rsCompanies->IsOpen()) {
    EndOfList();
    return;
  }
  m_.rsCompanies->MoveNext();
  if (m_.rsCompanies->Eof()) {
    EndOfList();
  } else {
    TakeNextCompany();
  }
}

void CallEngine::TakeNextCompany() {
  const dao::Value modem = m_.rsCompanies->Field("Modem");
  // A Null number cannot be dialed: passed over like a company without rows.
  if (!modem) return;
  m_.strModem = *modem;
  state_->TakeUpCompany();
  if (!m_.dbPager) vb::Raise(vb::err::kObjectNotSet);
  m_.rsQueue = m_.dbPager->OpenRecordset(CompanyQueryText(m_.strModem));
  if (m_.rsQueue->RecordCount() <= 0) {
    // Its rows are gone: nothing to settle; the pause runs once more for the next company.
    state_->serving = false;
    return;
  }
  m_.intIDCount = 0;
  form_.Timer1.Enabled = true;
  if (!form_.MSComm1.PortOpen()) form_.MSComm1.SetPortOpen(true);
  form_.lblStatus.Caption = DialCaption(m_.varPrefix, m_.strModem, m_.strSuffix);
  // The dial time-out's switch records the dial line for the echo filter.
  form_.MSComm1.Output(DialLine(m_.varDialCmd, m_.varPrefix, m_.strModem, m_.strSuffix));
  form_.tmrCountdown.Enabled = false;
  form_.tmrDialing.Enabled = true;
}

void CallEngine::EndOfList() {
  // Each step is tried on its own: a failing one must not keep the cycle from re-cycling.
  std::string firstError;
  const auto attempt = [&firstError](auto&& step) {
    try {
      step();
    } catch (const vb::RuntimeError& e) {
      if (firstError.empty()) firstError = GeneralErrorText(e);
    }
  };
  m_.intToCall = 0;
  m_.intPending = 0;
  CloseQuietly(m_.rsQueue);
  form_.tmrCountdown.Enabled = false;
  // When the removal fails (an outside lock), the sent rows stay "Y" and the next Start removes
  // them before it dials anyone; the waiting rows stay for the next cycle either way.
  attempt([&] { RemoveRowsOfCompleteCycle(); });
  CloseQuietly(m_.rsCompanies);
  attempt([&] {
    if (m_.dbPager) m_.dbPager->Close();
  });
  form_.tmrRestart.Enabled = true;
  if (!firstError.empty()) form_.lblStatus.Caption = firstError;
}

void CallEngine::DialTimeOutTick() {
  ++m_.intDialSecs;
  const int timeOut = EffectiveTimeOut();
  form_.Label9.Caption = vb::Str(timeOut - m_.intDialSecs.value()) + texts::kSeconds;
  // At or past the time-out: a time-out lowered during the dial still ends it.
  if (m_.intDialSecs.value() < timeOut) return;
  form_.lblStatus.Caption = texts::kNoAnswerStatus;
  m_.strFailReason = texts::kReasonNoAnswer;
  FailWaitingMessages();
  HangUp();
  m_.intDialSecs = 0;
  form_.tmrDialing.Enabled = false;
}

void CallEngine::RecycleTick() {
  ++m_.intRecycle;
  form_.Label3.Caption = texts::kRecycle + vb::Str(kRecycleTicks - m_.intRecycle.value());
  if (m_.intRecycle.value() < kRecycleTicks) return;
  m_.intRecycle = 0;
  form_.tmrRestart.Enabled = false;
  if (runStart) runStart();
}

}  // namespace pager
