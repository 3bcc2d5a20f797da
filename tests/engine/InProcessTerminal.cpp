#include "InProcessTerminal.h"

namespace testing_support {

InProcessTerminal::InProcessTerminal(forms::EventLoop& loop, std::shared_ptr<comm::FakeSerialBackend> line,
                                     modemsim::ModemConfig config, int pollMs)
    : loop_(loop), line_(std::move(line)), modem_(std::move(config)), poll_(loop, "terminal poll", pollMs, true) {
  closesSeen_ = line_->CloseCount();
  line_->SetWriteHook([this](std::string_view bytes) {
    NoticeCloses();
    modem_.Receive(bytes, loop_.NowMs());
    line_->PushInput(modem_.TakeOutput());
  });
  poll_.OnTimer = [this] { Deliver(); };
}

InProcessTerminal::~InProcessTerminal() { line_->SetWriteHook(nullptr); }

void InProcessTerminal::NoticeCloses() {
  if (line_->CloseCount() == closesSeen_) return;
  closesSeen_ = line_->CloseCount();
  modem_.LineClosed(loop_.NowMs());
  line_->ClearInput();  // the old line's answers went with it
}

void InProcessTerminal::Deliver() {
  NoticeCloses();
  const bool open = line_->IsOpen();
  modem_.Advance(loop_.NowMs());
  const std::string bytes = modem_.TakeOutput();
  if (open && !bytes.empty()) line_->PushInput(bytes);
}

}  // namespace testing_support
