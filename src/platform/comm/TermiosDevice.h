// An open serial device over termios; made by TermiosBackend, which has already taken the
// device for this program alone (flock, TIOCEXCL) before handing the descriptor over.
#pragma once

#include <string>
#include <string_view>

#include "platform/comm/SerialBackend.h"

namespace comm::detail {

class TermiosDevice : public SerialDevice {
 public:
  explicit TermiosDevice(int fd);  // takes ownership of the descriptor
  ~TermiosDevice() override;       // closes it

  // Raw line, CLOCAL|CREAD|HUPCL, ISTRIP below 8 data bits. A device that reports an error
  // but took everything except character size and parity (which some devices ignore, and a
  // pseudo-terminal always does) counts as having taken the settings. On failure the previous
  // settings are put back as far as possible and 8015 is raised.
  void Apply(const LineSettings& settings, int handshaking) override;
  void Write(std::string_view bytes) override;
  std::string ReadAvailable() override;
  // What we keep plus the driver's TIOCOUTQ count. A pseudo-terminal reports no driver queue
  // (always 0): there only the bytes it refused to take count.
  std::size_t OutputQueued() override;
  // Polls every few milliseconds; woken early when the device takes more of what we keep.
  bool WaitOutputSent(int maxMs) override;
  void DiscardOutput() override;
  void Close() override;
  // Flushes the output queue, clears DTR (TIOCMBIC) and closes; HUPCL drops it too.
  void CloseDroppingLine() override;

  int Fd() const { return fd_; }

 private:
  // Sends as much of the pending output as the device takes now. Returns false when the
  // device has vanished (the pending output is then dropped).
  bool FlushPending();
  // Gives the device a short, bounded time to send what its driver still holds, then
  // discards the rest so that closing never waits on a stalled line.
  void DrainBriefly();

  int fd_;
  LineSettings settings_;
  std::string pending_;
};

}  // namespace comm::detail
