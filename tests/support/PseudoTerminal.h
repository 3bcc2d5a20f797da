// A pseudo-terminal pair for tests that need a serial line: the code under test opens the
// slave side as its port (through a "comN" symlink in a program folder), the test plays the
// far end on the master side.
//
// The master is non-blocking and close-on-exec. Nothing here waits longer than the timeout a
// call is given. Failures to set the pair up throw std::runtime_error.
#pragma once

#include <string>
#include <string_view>

namespace testing_support {

class PseudoTerminal {
 public:
  PseudoTerminal();   // opens, grants and unlocks a new pair
  ~PseudoTerminal();  // closes the master (and the slave if the test opened it)
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // The slave's device path, e.g. "/dev/pts/7".
  const std::string& SlavePath() const { return slavePath_; }
  int MasterFd() const { return master_; }

  // Makes "<folder>/<name>" a symlink to the slave (name defaults to "com<port>"); replaces
  // an existing entry of that name. Returns the link's path.
  std::string LinkInto(const std::string& folder, int port) const;
  std::string LinkInto(const std::string& folder, const std::string& name) const;

  // Keeps the slave open in this object too, so that the line stays up when the code under
  // test closes its side (a pty whose slave was never opened or is fully closed reads EIO
  // at the master). Returns the slave fd (non-blocking, no controlling terminal). Call it
  // before the code under test opens the port: a serial port is taken exclusively, and an
  // ordinary user cannot open it a second time after that.
  int HoldSlave();

  // Writes all bytes to the master (to the code under test); waits at most timeoutMs for
  // room. Returns false when not everything could be written in time or the pair is closed.
  bool Write(std::string_view bytes, int timeoutMs = 2000);

  // Reads what the code under test wrote: waits (poll) up to timeoutMs for the first byte,
  // then returns everything available. "" on timeout.
  std::string Read(int timeoutMs = 2000);

  // Reads until at least `count` bytes arrived or timeoutMs passed; returns what arrived.
  std::string ReadCount(std::size_t count, int timeoutMs = 2000);

  // Reads until `text` appears in what arrived or timeoutMs passed; returns all that arrived
  // (the caller checks whether it contains the text).
  std::string ReadUntil(std::string_view text, int timeoutMs = 2000);

  // Closes the master: the slave side sees a hang-up, as a device that vanished.
  void CloseMaster();

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

}  // namespace testing_support
