// Runs a ModemSimulator over a PtyLine in real time. The simulator's virtual clock is the
// monotonic clock, in milliseconds since the shell was made.
//
// Each round waits on the line no longer than until the simulator's next due moment, feeds it
// what arrived (or tells it the port was closed), sends what it answered, appends pages it
// accepted to the page log, and traces the dialogue when asked to.
#pragma once

#include <signal.h>

#include <cstddef>
#include <cstdint>
#include <ostream>

#include "modem-sim/ModemSimulator.h"
#include "modem-sim/PageLog.h"
#include "modem-sim/PtyLine.h"

namespace modemsim {

class SimulatorShell {
 public:
  // pages and trace may be null (no page file, no trace). All must outlive the shell.
  SimulatorShell(ModemSimulator& modem, PtyLine& line, const PageLog* pages, std::ostream* trace);

  // One round, waiting at most maxWaitMs. With a signal mask, the wait runs with that mask in
  // force (see PtyLine::Wait), so a blocked stop signal can end it.
  void RunOnce(int maxWaitMs, const sigset_t* waitMask = nullptr);

  std::int64_t NowMs() const;

 private:
  void Trace(std::int64_t atMs, const char* direction, std::string_view text) const;
  void Deliver(std::int64_t nowMs);

  ModemSimulator& modem_;
  PtyLine& line_;
  const PageLog* pages_;
  std::ostream* trace_;
  std::int64_t startMs_;
  std::size_t pagesLogged_ = 0;
};

}  // namespace modemsim
