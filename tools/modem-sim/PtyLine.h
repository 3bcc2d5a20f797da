// The simulator's end of a pseudo-terminal, linked into a program folder as comN, so that the
// server finds it as its serial port N.
//
// Principles of operation
// - The constructor opens a pty master (non-blocking), makes the slave raw (no echo, no line
//   editing, no translation; the program that opens the port sets its own line settings), and
//   links <folder>/com<N> to the slave. The server takes a file of that name in any letter
//   case as its port (the first in name order), so such a file counts as the port's file: a
//   symbolic link (a stale one from an earlier run, COM1 as well as com1) is replaced in its
//   own name; any other file of that name in any case is left alone and the constructor
//   throws std::runtime_error, as it does when the pty cannot be had.
// - The destructor removes the link if it still points at this slave, then closes the master.
// - The other side is open while some program has the slave open. A pty master reports a
//   hang-up for as long as nobody has the slave open, so while the other side is closed Wait
//   looks again every 100 ms instead of blocking on the master.
// - When the other side closes the port, the line is renewed: a fresh pty is linked in place
//   of the old one (the link is replaced in one step, so it never dangles), then the old one
//   is closed. A pty keeps what its last user left on it for as long as its master is open:
//   the exclusive-use flag (TIOCEXCL, which keeps every later open out unless the opener has
//   CAP_SYS_ADMIN, the closer itself included), its line settings and bytes queued for it.
//   The renewal is skipped for the link when someone has pointed it elsewhere meanwhile.
// - Bytes read have their eighth bit cleared (the other side runs 7 data bits with parity).
// - Write sends only while the other side is open: bytes written while it is closed would wait
//   in the pty for the next program that opens the port, so they are dropped. Bytes the pty
//   does not take at once are kept and sent first at the next Write or Wait; a close of the
//   other side drops them.
#pragma once

#include <signal.h>

#include <string>
#include <string_view>

namespace modemsim {

struct LineActivity {
  std::string received;  // what the other side wrote, oldest first
  bool opened = false;   // the other side opened the port during this wait
  bool closed = false;   // the other side closed the port during this wait (after its bytes)
};

class PtyLine {
 public:
  PtyLine(const std::string& folder, int port);
  ~PtyLine();
  PtyLine(const PtyLine&) = delete;
  PtyLine& operator=(const PtyLine&) = delete;

  // The slave the link points at now; it changes at each renewal.
  const std::string& SlavePath() const { return slavePath_; }
  const std::string& LinkPath() const { return linkPath_; }
  bool PeerOpen() const { return peerOpen_; }

  // Waits up to timeoutMs (0: only looks) for the other side to write, open or close. With a
  // signal mask, waits with that mask in force (ppoll), so a signal blocked otherwise ends the
  // wait early; an interrupted wait returns what it has.
  LineActivity Wait(int timeoutMs, const sigset_t* waitMask = nullptr);

  void Write(std::string_view bytes);

 private:
  // Opens a raw pty master; throws std::runtime_error.
  static int OpenRawPty(std::string& slavePath);
  // Points the link at the slave in one step; false (errno set) when that fails.
  bool Link(const std::string& slavePath) const;
  bool LinkIsOurs() const;
  void Renew();
  void Flush();
  // Reads everything available; true when the master reported that the slave was closed.
  bool ReadAll(std::string& into);

  int master_ = -1;
  std::string slavePath_;
  std::string linkPath_;
  bool peerOpen_ = false;
  std::string pending_;
};

}  // namespace modemsim
