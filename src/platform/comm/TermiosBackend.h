// The real serial backend: POSIX termios, non-blocking, no threads.
//
// Principles of operation
//   Port N is the file "comN" in the program's folder when one exists under any letter case
//   (COM3, Com3, com3; usually a symlink the operator makes to the real device), otherwise
//   /dev/ttyS(N-1). A device file that does not exist gives 8002.
//
//   Open takes the device for this program alone: it refuses a device that has a UUCP lock
//   file "LCK..<name>" of a live process in one of the lock folders (name = base name of the
//   device after resolving symlinks; the pid written as ASCII or as a binary int; a lock of a
//   dead process is ignored), opens with O_RDWR|O_NOCTTY|O_NONBLOCK|O_CLOEXEC, takes an
//   exclusive non-blocking flock (the guard that also holds against root) and sets TIOCEXCL.
//   Any of these failing because someone else holds the device gives 8005. The backend does
//   not write a UUCP lock file of its own. Closing clears TIOCEXCL and releases the flock.
//
//   The line is raw: no echo, no canonical processing, no CR/NL translation either way, no
//   output processing; CLOCAL|CREAD, HUPCL (closing drops DTR, so the modem hangs up), and
//   ISTRIP, so a seven-bit line delivers seven-bit bytes even where the device ignores the
//   character size (a pseudo-terminal does). Rates outside the classic termios table go
//   through the kernel's arbitrary-rate interface.
//
//   Output that the device does not take at once is kept in the device object and sent first
//   on the next Write or ReadAvailable (so a caller that reads once a second keeps a long text
//   moving). Closing sends what it can without waiting, gives the driver at most half a
//   second to pass on what it holds, and discards the rest, so a stalled line (flow control
//   held off) never freezes the caller. A read of 0 bytes means nothing has arrived; EIO,
//   ENXIO or a hang-up with no data left means the device has vanished (8020 on read, 57 on
//   write).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/comm/SerialBackend.h"

namespace comm {

class TermiosBackend : public SerialBackend {
 public:
  // programFolder: where "comN" names are looked for. The UUCP lock folders default to
  // /var/lock, /run/lock and /var/spool/uucp.
  explicit TermiosBackend(std::string programFolder);

  // Replaces the folders searched for UUCP lock files (tests use a temporary folder).
  void SetLockFolders(std::vector<std::string> folders);

  // The device file port N stands for; "" when port < 1. Does not check that it exists.
  std::string DevicePath(int port) const;

  void CheckPort(int port) override;
  std::unique_ptr<SerialDevice> Open(int port, const LineSettings& settings,
                                     int handshaking) override;

 private:
  std::string programFolder_;
  std::vector<std::string> lockFolders_;
};

}  // namespace comm
