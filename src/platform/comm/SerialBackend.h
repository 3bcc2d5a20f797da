// What the serial-port control talks through.
//
// Principles of operation
//   MSComm holds the properties; a SerialBackend turns a port number into an open SerialDevice,
//   and the device moves bytes. Two backends exist: TermiosBackend, the real one over POSIX
//   termios, and FakeSerialBackend, a controllable one for the tests of the layers above.
//   Every call runs on the caller's thread and returns at once: nothing here waits for the
//   line, except WaitOutputSent, for as long as its caller allows. Failures are
//   vb::RuntimeError with the control's well-known numbers:
//     380  (kInvalidPropertyValue)   a line-settings text or handshaking code it refuses
//     8002 (kInvalidPortNumber)      port 0, a negative port, or a port the machine lacks
//     8005 (kPortAlreadyOpen)        the port is held by another program
//     8010 (kHardwareNotAvailable)   the device exists but cannot be opened (permissions, I/O)
//     8015 (kCouldNotSetCommState)   the device refused the line settings
//     8020 (kErrorReadingCommDevice) reading from a device that has vanished or failed
//     57   (kDeviceIOError)          writing to a device that has vanished or failed
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace comm {

// Line settings as the "rate,parity,data bits,stop bits" text gives them.
struct LineSettings {
  int baud = 9600;
  char parity = 'e';  // lower case: 'n' none, 'e' even, 'o' odd, 'm' mark, 's' space
  int dataBits = 7;   // 5 to 8
  double stopBits = 1;  // 1 or 2

  bool operator==(const LineSettings&) const = default;
};

// The rates a port accepts: the setup window's list (110, 300, 600, 1200, 2400, 9600, 14400,
// 19200, 28800, 38400, 56000, 128000, 256000) and the other standard rates 4800, 57600,
// 115200 and 230400.
bool IsSupportedRate(int baud);

// Parses "9600,e,7,1". Blanks around each item are ignored, the parity letter may be in
// either case. Raises 380 for a text that is not four items, an item that is not a number,
// a rate IsSupportedRate refuses, a parity other than n/e/o/m/s, data bits outside 5..8, or
// stop bits other than 1 and 2.
LineSettings ParseSettings(const std::string& text);

// Milliseconds the line needs to send `characters` characters at the settings' rate, rounded
// up: each character takes a start bit, its data bits, a parity bit unless the parity is 'n',
// and its stop bits (ten bits at "e,7,1").
std::int64_t SendTimeMs(const LineSettings& settings, std::size_t characters);

// An open port. Closing is idempotent; after Close, Write and ReadAvailable raise (57, 8020).
class SerialDevice {
 public:
  virtual ~SerialDevice() = default;

  // Applies rate, framing and handshaking (0 none, 1 XON/XOFF, 2 RTS/CTS, 3 both).
  // Raises 380 for a handshaking code outside 0..3 and 8015 when the device refuses the
  // settings; the line then keeps what it had before as far as the device allows.
  virtual void Apply(const LineSettings& settings, int handshaking) = 0;

  // Sends the bytes: what the device does not take at once is kept, in order, and sent first
  // on the next Write or ReadAvailable. Never blocks, never loses bytes. Raises 57 when the
  // device has vanished; the unsent bytes are then dropped.
  virtual void Write(std::string_view bytes) = 0;

  // All bytes that have arrived; "" when nothing has. Never waits. Raises 8020 when the
  // device has vanished (a hang-up or an I/O error with no data left to read).
  virtual std::string ReadAvailable() = 0;

  // Bytes written that have not left the port yet: those the device object keeps plus those
  // its driver still holds. Passes on first what the device takes now, as Write does. Raises
  // 57 when the device has vanished: its unsent bytes will never leave.
  virtual std::size_t OutputQueued() = 0;

  // Waits at most maxMs for OutputQueued to reach 0, passing bytes on meanwhile; true when it
  // did. Raises 57 as OutputQueued.
  virtual bool WaitOutputSent(int maxMs) = 0;

  // Drops the bytes that have not left yet, the device object's and its driver's. Never
  // raises.
  virtual void DiscardOutput() = 0;

  // Releases the device (and any lock on it). Bytes still queued get a short, bounded time to
  // leave first (what the rate needs, at most half a second); what is left then is dropped.
  virtual void Close() = 0;

  // Releases the device at once, without another byte: what has not left is dropped and DTR
  // goes down, so that the modem hangs up and the far end never gets the end of a line begun.
  // Never raises.
  virtual void CloseDroppingLine() = 0;
};

class SerialBackend {
 public:
  virtual ~SerialBackend() = default;

  // Raises 8002 "Invalid port number" for port 0 or less and for a port that does not exist.
  virtual void CheckPort(int port) = 0;

  // Opens the port with the given settings. Raises 8002 as CheckPort, 8005 when another
  // program holds the port, 8010 when the device cannot be opened for another reason, 380 or
  // 8015 as SerialDevice::Apply. On failure nothing stays open or locked.
  virtual std::unique_ptr<SerialDevice> Open(int port, const LineSettings& settings,
                                             int handshaking) = 0;
};

}  // namespace comm
