// The serial-port control: one modem line, driven from the user-interface thread.
//
// Principles of operation
//   The control holds its properties while the port is closed and hands them to the backend
//   when the port opens; a change of Settings or Handshaking while open is applied at once.
//   Nothing waits: Output hands the text to the device, which keeps what the line has not
//   taken yet and sends it before anything later; Input returns what has arrived so far.
//   Written text has left the port only when OutBufferCount is 0; a caller that must know
//   (a page counts as sent only then) looks there, waits briefly with WaitOutputSent, and
//   bounds any longer wait by SendTimeMs. Failures raise vb::RuntimeError; a failed setter
//   leaves the property as it was.
//
// A new control: CommPort 1, Settings "9600,n,8,1", Handshaking 0, closed, InputLen 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/comm/SerialBackend.h"

namespace comm {

class MSComm {
 public:
  explicit MSComm(std::shared_ptr<SerialBackend> backend);
  ~MSComm();  // closes the port when it is open; never throws
  MSComm(const MSComm&) = delete;
  MSComm& operator=(const MSComm&) = delete;

  // The port number. Set only while closed: 8005 while open; 8002 for 0 or less and for a
  // port the machine lacks (the backend's CheckPort).
  int CommPort() const;
  void SetCommPort(int port);

  // "rate,parity,data bits,stop bits", kept exactly as set. 380 for a text ParseSettings
  // refuses; while open the settings are applied to the line at once and a device that
  // refuses them gives 8015, leaving the old text.
  const std::string& Settings() const;
  void SetSettings(const std::string& text);

  // 0 none, 1 XON/XOFF, 2 RTS/CTS, 3 RTS/CTS and XON/XOFF; anything else 380. Applied at
  // once while open (8015 when the device refuses, leaving the old code).
  int Handshaking() const;
  void SetHandshaking(int code);

  // True while open. Opening: 8005 when already open or when another program holds the
  // port, 8002 for a port that does not exist (any more), 8010 for a device that cannot be
  // opened, 8015 for settings it refuses; the port stays closed on any failure. Closing a
  // closed port does nothing; closing never raises, also after the device has vanished.
  // Closing drops unread input; output still queued gets the device's short time to drain
  // (what the rate needs, at most half a second), and what is left then is dropped. A caller
  // that must keep queued output from going out discards it first (DiscardOutput).
  bool PortOpen() const;
  void SetPortOpen(bool open);

  // Closes the port without another byte: output not yet left is dropped and DTR goes down,
  // so that the modem hangs up and a line begun never gets its end. Nothing while closed;
  // never raises.
  void DropLine();

  // How many characters one Input takes at most; 0 takes everything. Negative: 380.
  int InputLen() const;
  void SetInputLen(int n);

  // The text received since the last read (at most InputLen characters; the rest stays for
  // the next read); "" when none or when the port is closed. Never waits. Raises 8020 when
  // the device has vanished; the port then still counts as open until PortOpen is set False.
  std::string Input();

  // Queues the text for sending and returns at once; never loses a byte while the port stays
  // open. What the line has not taken yet goes out before later text, at this and the next
  // Output and Input calls. 8018 when the port is closed; 57 when the device has vanished.
  void Output(const std::string& text);

  // Characters written that have not left the port yet: what the control still keeps (the
  // device did not take it) plus what the driver's output queue holds. 0 while closed. Moves
  // kept output on first, as Input and Output do. 57 when the device has vanished: what it
  // held will never leave. A pseudo-terminal shows no driver queue, only what it refused.
  std::size_t OutBufferCount();

  // Waits at most maxMs (in real time, on the caller's thread) for OutBufferCount to reach 0;
  // true when it did, at once when nothing is queued or the port is closed. Callers on the
  // event loop keep maxMs to a few hundred milliseconds and wait longer over ticks. 57 as
  // OutBufferCount.
  bool WaitOutputSent(int maxMs);

  // Drops what has not left the port yet (the control's part and the driver's queue), so
  // that the next Output goes out next. Nothing while closed; never raises.
  void DiscardOutput();

  // Milliseconds the line needs, at the rate and framing of Settings, to send `characters`
  // characters (ten bits each at "e,7,1"), rounded up; open or closed. What a wait for the
  // output is bounded by, before any margin for the modem's own buffers.
  std::int64_t SendTimeMs(std::size_t characters) const;

 private:
  // Closes the device, drained or with the line dropped; a vanished device counts as closed.
  void CloseDevice(bool dropLine);

  std::shared_ptr<SerialBackend> backend_;
  std::unique_ptr<SerialDevice> device_;
  int port_ = 1;
  std::string settingsText_ = "9600,n,8,1";
  LineSettings settings_{9600, 'n', 8, 1};
  int handshaking_ = 0;
  int inputLen_ = 0;
  std::string received_;  // arrived but not yet taken (InputLen > 0)
};

}  // namespace comm
