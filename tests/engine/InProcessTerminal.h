// A modem with a paging terminal behind it, in the test process and in virtual time: the
// simulator core of modem-sim put behind the fake serial line.
//
// What the engine writes reaches the simulated modem at once (the fake line's write hook), and
// the modem's answers are pushed into the line's input at once; answers the modem gives later
// (a dial result after its delay, a dropped carrier) are pushed by a poll timer on the loop.
// Every close of the port is the line closing for the modem (DTR down: the call and any line
// begun are dropped), also a close and reopen between two polls (a Save). Built after the main
// window, so at equal moments the window's timers run before the poll.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "modem-sim/ModemSimulator.h"
#include "platform/comm/FakeSerial.h"
#include "platform/forms/EventLoop.h"

namespace testing_support {

class InProcessTerminal {
 public:
  InProcessTerminal(forms::EventLoop& loop, std::shared_ptr<comm::FakeSerialBackend> line,
                    modemsim::ModemConfig config, int pollMs = 100);
  ~InProcessTerminal();
  InProcessTerminal(const InProcessTerminal&) = delete;
  InProcessTerminal& operator=(const InProcessTerminal&) = delete;

  modemsim::ModemSimulator& Modem() { return modem_; }
  const std::vector<modemsim::AcceptedPage>& Pages() const { return modem_.Pages(); }

 private:
  void Deliver();
  // The port was closed since the last look: the modem sees its line drop.
  void NoticeCloses();

  forms::EventLoop& loop_;
  std::shared_ptr<comm::FakeSerialBackend> line_;
  modemsim::ModemSimulator modem_;
  forms::Timer poll_;
  int closesSeen_ = 0;
};

}  // namespace testing_support
