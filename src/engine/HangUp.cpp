// The hang-up: every end of a call goes through it, and it starts the pause.
#include <algorithm>

#include "engine/CallEngine.h"
#include "engine/EngineState.h"
#include "engine/EngineTexts.h"
#include "engine/EngineTrap.h"

namespace pager {

namespace {
// Allowed beyond what the line's rate needs for the queued output: the modem's own buffers.
constexpr int kDrainMarginMs = 200;
// A drain watched over ticks ends this long before the pause's dial at the latest.
constexpr int kClosedBeforeDialMs = 1000;
}  // namespace

void CallEngine::Command5_Click() {
  Trapped([this] { HangUp(); });
}

void CallEngine::HangUp() {
  // A page still leaving is settled as sent when its bytes are out, taken back from the port
  // when none is, and partly out ends with the line dropped (no hang-up line may complete it);
  // a settling the database refuses waits in memory for the pause to store it.
  try {
    EndLeavingPage(PartPage::kDropLine);
  } catch (const vb::RuntimeError&) {
  }
  m_.intSendTick = 0;
  m_.intLastStep = 0;
  form_.tmrSend.Enabled = false;
  // Whatever ended it, a dial is over with its call: its time-out must not run on into the
  // next company's dial.
  form_.tmrDialing.Enabled = false;
  m_.intDialSecs = 0;
  state_->answerTail.clear();
  const bool pauseRunning = form_.tmrCountdown.Enabled;
  form_.tmrCountdown.Enabled = true;
  state_->serving = false;
  state_->echo.Clear();
  // A line already closing (a second failure answer in the same read) is left to that.
  if (!form_.MSComm1.PortOpen() || state_->closeLineByMs) return;
  // The pause just begun dials at its last tick; one already running may dial at any tick.
  const std::int64_t untilDialMs =
      pauseRunning ? 0
                   : std::int64_t{kPauseTicks - m_.intCountdown.value()} * form_.tmrCountdown.Interval() -
                         kClosedBeforeDialMs;
  CloseLineWhenSent(untilDialMs);
}

void CallEngine::CloseLineWhenSent(std::int64_t untilDialMs) {
  auto& port = form_.MSComm1;
  try {
    // "ATH+++" behind a page still going out would cut the page off at the terminal.
    const std::size_t queued = port.OutBufferCount();
    if (queued > 0) {
      const std::int64_t now = platform_.loop.NowMs();
      if (!state_->closeLineByMs) {
        const std::int64_t allowed = std::max<std::int64_t>(untilDialMs, kMaxHandlerWaitMs);
        state_->closeLineByMs = now + std::min(port.SendTimeMs(queued) + kDrainMarginMs, allowed);
      }
      const std::int64_t left = *state_->closeLineByMs - now;
      if (left > kMaxHandlerWaitMs) {
        lineCloser_.Enabled = true;
        return;
      }
      // What cannot leave in time is dropped, so that the hang-up line reaches the modem.
      if (!port.WaitOutputSent(static_cast<int>(std::max<std::int64_t>(left, 0)))) port.DiscardOutput();
    }
  } catch (const vb::RuntimeError& e) {
    // The line is given up all the same: closing the port drops the call.
    form_.lblStatus.Caption = GeneralErrorText(e);
  }
  SendHangUpAndClose();
}

void CallEngine::SendHangUpAndClose() {
  auto& port = form_.MSComm1;
  try {
    port.Output(texts::kHangUpLine);
  } catch (const vb::RuntimeError& e) {
    form_.lblStatus.Caption = GeneralErrorText(e);
  }
  state_->closeLineByMs.reset();
  lineCloser_.Enabled = false;
  port.SetPortOpen(false);
}

void CallEngine::LineCloserTick() {
  // Stop may have closed the line meanwhile, or a new dial taken it over.
  if (state_->closeLineByMs && form_.MSComm1.PortOpen()) {
    CloseLineWhenSent(0);
    return;
  }
  state_->closeLineByMs.reset();
  lineCloser_.Enabled = false;
}

void CallEngine::Disconnect() {
  form_.lblStatus.Caption = texts::kDisconnecting;
  form_.tmrSend.Enabled = false;
  HangUp();
  form_.lblStatus.Caption = texts::kNotOnline;
}

}  // namespace pager
