// The hang-up: every end of a call goes through it, and it starts the pause.
#include "engine/CallEngine.h"
#include "engine/EngineState.h"
#include "engine/EngineTexts.h"
#include "engine/EngineTrap.h"

namespace pager {

void CallEngine::Command5_Click() {
  Trapped([this] { HangUp(); });
}

void CallEngine::HangUp() {
  m_.intSendTick = 0;
  m_.intLastStep = 0;
  form_.tmrSend.Enabled = false;
  form_.tmrCountdown.Enabled = true;
  state_->serving = false;
  state_->echo.Clear();
  if (!form_.MSComm1.PortOpen()) return;
  try {
    form_.MSComm1.Output(texts::kHangUpLine);
  } catch (const vb::RuntimeError& e) {
    // The line is given up all the same: closing the port drops the call.
    form_.lblStatus.Caption = GeneralErrorText(e);
  }
  form_.MSComm1.SetPortOpen(false);
}

void CallEngine::Disconnect() {
  form_.lblStatus.Caption = texts::kDisconnecting;
  form_.tmrSend.Enabled = false;
  HangUp();
  form_.lblStatus.Caption = texts::kNotOnline;
}

}  // namespace pager
