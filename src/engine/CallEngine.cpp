#include "engine/CallEngine.h"

#include "core/CompanyQuery.h"

#include "engine/EngineState.h"
#include "engine/EngineTexts.h"
#include "engine/EngineTrap.h"
#include "engine/LogRecords.h"

namespace pager {

namespace {
// The dial time-out used when the settings hold none below 1 second: the value the setup
// window saves for an empty time-out box.
constexpr int kFallbackTimeOutSecs = 30;
}  // namespace

CallEngine::CallEngine(Form1& form, Module1& m, Platform& platform)
    : form_(form), m_(m), platform_(platform), state_(std::make_shared<State>()) {
  form_.Command5.Click = [this] { Command5_Click(); };
  form_.Timer1.OnTimer = [this] { Timer1_Timer(); };
  form_.tmrDialing.OnTimer = [this] { tmrDialing_Timer(); };
  form_.tmrSend.OnTimer = [this] { tmrSend_Timer(); };
  form_.tmrCountdown.OnTimer = [this] { tmrCountdown_Timer(); };
  form_.tmrRestart.OnTimer = [this] { tmrRestart_Timer(); };

  // Start and the pause switch the dial time-out on right after they wrote the dial line:
  // that is when a new company's call begins. Its dial line may come back as an echo.
  std::weak_ptr<State> weakState = state_;
  Module1* shared = &m_;
  form_.tmrDialing.Enabled.Observe([weakState, shared, &timer = form_.tmrDialing] {
    auto state = weakState.lock();
    if (!state || !state->alive || !timer.Enabled) return;
    state->TakeUpCompany();
    state->echo.Wrote(DialLine(shared->varDialCmd, shared->varPrefix, shared->strModem, shared->strSuffix));
  });
}

CallEngine::~CallEngine() {
  state_->alive = false;
  form_.Command5.Click = nullptr;
  form_.Timer1.OnTimer = nullptr;
  form_.tmrDialing.OnTimer = nullptr;
  form_.tmrSend.OnTimer = nullptr;
  form_.tmrCountdown.OnTimer = nullptr;
  form_.tmrRestart.OnTimer = nullptr;
}

void CallEngine::NoteWritten(const std::string& text) { state_->echo.Wrote(text); }

int CallEngine::EffectiveTimeOut() const {
  const int timeOut = m_.intTimeOut.value();
  return timeOut < 1 ? kFallbackTimeOutSecs : timeOut;
}

void CallEngine::Write(const std::string& text) {
  form_.MSComm1.Output(text);
  state_->echo.Wrote(text);
}

void CallEngine::Recover(const std::string& errorText, bool portError) {
  RollbackQuietly(platform_.dbEngine);
  CloseQuietly(m_.rsTranLog);
  const bool inCall = state_->serving || form_.tmrDialing.Enabled || form_.tmrSend.Enabled;
  // While a taken page waits for its settling, the company's other rows are left waiting in
  // Queue (failing them would need the same database, and would come before that page).
  if (state_->serving && state_->unsettled.empty()) {
    // The company's waiting messages go back to Temp with a failure record, as for a failed
    // call; when the database itself is failing this may fail too, and is not tried again.
    m_.strFailReason = std::string(texts::kReasonErrorPrefix) + errorText;
    try {
      FailWaitingMessages();
    } catch (...) {
      // Whatever it was, it must not leave the handler either.
      RollbackQuietly(platform_.dbEngine);
      CloseQuietly(m_.rsTranLog);
    }
  }
  if (inCall) {
    form_.tmrDialing.Enabled = false;
    HangUp();
    m_.intDialSecs = 0;
  } else if (portError) {
    // A port failing outside a call (a read between calls): closed, so that the reader's ticks
    // do nothing until the next dial opens it again.
    form_.MSComm1.SetPortOpen(false);
    state_->echo.Clear();
  }
  form_.lblStatus.Caption = errorText;
}

}  // namespace pager
