// A controllable serial backend for the tests of the layers above the control (the load,
// Start and Stop, the call engine). No device is touched.
//
// Principles of operation
//   The backend knows a set of existing ports (1 and 2 by default). Opening one gives a
//   device that shares the backend's state: every Write is recorded, in order, both as one
//   string and as a list of separate writes; bytes pushed with PushInput are what the next
//   ReadAvailable (MSComm::Input) returns. Pushed input waits while the port is closed and
//   is returned once it is open again; ClearInput drops it. A test can make the next Open,
//   Write or Read fail with a chosen error number, as a device that is busy or has vanished
//   would; a failed Write records nothing. An optional write hook lets a test answer what
//   was written (a scripted modem). Only one device may be open at a time per backend, as
//   with one real port; a second Open of any port while one is open gives 8005.
//
//   Output leaves the port at once unless the test holds it back (HoldOutput), as a line
//   held off by flow control or far slower than the writer: held writes are not recorded and
//   reach no hook until released; OutputQueued (MSComm::OutBufferCount) counts their bytes,
//   WaitOutputSent answers at once (no virtual time passes in it), and DiscardOutput drops
//   them unsent. Closing the port lets them leave, as a real device drains its output queue
//   before it lets go: a caller that must keep a page from going out discards it first, or
//   drops the line (CloseDroppingLine: nothing more leaves, the close is counted as a drop).
//   ReleaseHeld lets part of the held output leave, as a line in the middle of a page; with
//   SetDrainsOnWait a held line moves when waited on (a slow line, not a stuck one).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/comm/SerialBackend.h"

namespace comm {

class FakeSerialBackend : public SerialBackend {
 public:
  FakeSerialBackend();

  // --- arranging ---
  // Which ports exist; CheckPort and Open give 8002 for the others.
  void SetPortExists(int port, bool exists);
  // A port held by another program: Open gives 8005.
  void SetHeldByOther(int port, bool held);
  // Bytes the next ReadAvailable returns (appended to what is already waiting).
  void PushInput(std::string_view bytes);
  void ClearInput();
  // Makes the next Open, Write or ReadAvailable raise the given number once. Defaults:
  // 8010 for Open, 57 for Write, 8020 for Read.
  void FailNextOpen(int number = 8010);
  void FailNextWrite(int number = 57);
  void FailNextRead(int number = 8020);
  // Makes every Write and Read raise (57 / 8020) from now on, as a device that vanished (what
  // it held is lost); false restores it.
  void SetVanished(bool vanished);
  // Called after each recorded write with its bytes; may call PushInput. Empty: no hook.
  void SetWriteHook(std::function<void(std::string_view)> hook);
  // true: from now on written bytes stay queued on the device. false: what is held leaves
  // now, in order (recorded, and given to the hook, write by write), and so does every
  // later write.
  void HoldOutput(bool hold);
  // The first n held bytes leave now (recorded as one write, given to the hook); the rest
  // stays queued. Output stays held.
  void ReleaseHeld(std::size_t n);
  // true: WaitOutputSent lets everything held leave, and answers true.
  void SetDrainsOnWait(bool drains);

  // --- observing ---
  std::string Written() const;                  // every byte written, in order
  std::vector<std::string> Writes() const;      // each Write call's bytes, in order
  std::string TakeWritten();                    // Written(), then clears the record
  void ClearWritten();
  std::string PendingInput() const;             // pushed but not yet read
  std::string HeldOutput() const;               // written but held back, not yet left
  int OpenCount() const;                        // successful opens
  int CloseCount() const;                       // closes of an open device, drops included
  int LineDrops() const;                        // closes by CloseDroppingLine
  bool IsOpen() const;
  std::optional<int> OpenPort() const;          // the port open now, if any
  int LastOpenedPort() const;                   // 0 before the first open
  LineSettings CurrentSettings() const;         // as last applied (at open or later)
  int CurrentHandshaking() const;
  int ApplyCount() const;                       // Apply calls, including the one at open

  void CheckPort(int port) override;
  std::unique_ptr<SerialDevice> Open(int port, const LineSettings& settings,
                                     int handshaking) override;

  struct State;  // shared with the open device

 private:
  std::shared_ptr<State> state_;
};

}  // namespace comm
