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

// How long an echo takes to come back once the line has left the port: the modems' and the
// terminal's own delays, with room to spare.
constexpr int kEchoDelayMs = 500;

// How often a hang-up watching the output drain looks at it.
constexpr int kLineCloserIntervalMs = 200;

// When the echo of a line just written can have come back: after everything queued before
// it, and the line itself, has left the port.
std::int64_t EchoDueMs(comm::MSComm& port, const forms::EventLoop& loop) {
  std::size_t queued = 0;
  try {
    queued = port.OutBufferCount();
  } catch (const vb::RuntimeError&) {
    // A device that has vanished says so at the next read; its echo will not come.
  }
  return loop.NowMs() + port.SendTimeMs(queued) + kEchoDelayMs;
}
}  // namespace

CallEngine::CallEngine(Form1& form, Module1& m, Platform& platform)
    : form_(form),
      m_(m),
      platform_(platform),
      state_(std::make_shared<State>()),
      lineCloser_(platform.loop, "lineCloser", kLineCloserIntervalMs, false) {
  form_.Command5.Click = [this] { Command5_Click(); };
  form_.Timer1.OnTimer = [this] { Timer1_Timer(); };
  form_.tmrDialing.OnTimer = [this] { tmrDialing_Timer(); };
  form_.tmrSend.OnTimer = [this] { tmrSend_Timer(); };
  form_.tmrCountdown.OnTimer = [this] { tmrCountdown_Timer(); };
  form_.tmrRestart.OnTimer = [this] { tmrRestart_Timer(); };
  lineCloser_.OnTimer = [this] { Trapped([this] { LineCloserTick(); }); };

  // Start and the pause switch the dial time-out on right after they wrote the dial line:
  // that is when a new company's call begins, whoever dialled. Nothing written before it is
  // awaited any more (also after a Stop, which the engine does not see), nor is an earlier
  // hang-up still closing the line; the dial line itself may come back as an echo.
  std::weak_ptr<State> weakState = state_;
  Module1* shared = &m_;
  Form1* form1 = &form_;
  forms::EventLoop* loop = &platform_.loop;
  form_.tmrDialing.Enabled.Observe([weakState, shared, form1, loop] {
    auto state = weakState.lock();
    if (!state || !state->alive || !form1->tmrDialing.Enabled) return;
    state->TakeUpCompany();
    state->closeLineByMs.reset();
    state->echo.Clear();
    state->echo.Wrote(DialLine(shared->varDialCmd, shared->varPrefix, shared->strModem, shared->strSuffix),
                      EchoDueMs(form1->MSComm1, *loop));
  });
}

CallEngine::~CallEngine() {
  state_->alive = false;
  lineCloser_.OnTimer = nullptr;
  form_.Command5.Click = nullptr;
  form_.Timer1.OnTimer = nullptr;
  form_.tmrDialing.OnTimer = nullptr;
  form_.tmrSend.OnTimer = nullptr;
  form_.tmrCountdown.OnTimer = nullptr;
  form_.tmrRestart.OnTimer = nullptr;
}

void CallEngine::NoteWritten(const std::string& text) {
  state_->echo.Wrote(text, EchoDueMs(form_.MSComm1, platform_.loop));
}

int CallEngine::EffectiveTimeOut() const {
  const int timeOut = m_.intTimeOut.value();
  return timeOut < 1 ? kFallbackTimeOutSecs : timeOut;
}

void CallEngine::Write(const std::string& text) {
  form_.MSComm1.Output(text);
  state_->echo.Wrote(text, EchoDueMs(form_.MSComm1, platform_.loop));
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
