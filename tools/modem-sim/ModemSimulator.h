// A Hayes-compatible modem with a paging terminal behind it, as a pure state machine in virtual
// time: the owner feeds it the bytes the caller wrote and the present time in milliseconds, and
// takes the bytes to send back and the events. Nothing here reads a clock or touches a file.
//
// Principles of operation
// - Time only moves forward: a time earlier than one already seen counts as that one. Receive
//   and LineClosed first run everything that fell due up to their time (as Advance does).
// - Command mode: characters are echoed as they arrive while echo is on (E1); backspace or DEL
//   erases; line feeds are dropped; a carriage return ends the line. A line that does not start
//   with AT is ignored. Results are "\r\nTEXT\r\n" (V1) or a code and "\r" (V0: OK 0, CONNECT 1,
//   NO CARRIER 3, ERROR 4, NO DIALTONE 6, BUSY 7); Q1 suppresses them.
// - Commands: Z and &F (reset to the configured profile; hang up), E0/E1, V0/V1, Q0/Q1, H/H0
//   (hang up), O (back on line after an escape; ERROR without a call), I (identification),
//   Sn=v and Sn? (registers; S12 is the escape guard time in fiftieths of a second, default
//   50), D (dial; ERROR without a number, or while a call is kept after an escape); L, M, X,
//   &C, &D, &K, &W and &V are accepted and change nothing. Any other command, or a value out
//   of range, gives ERROR; commands before it on the line have taken effect.
// - Dialing (see DialPlan for the answer to each number): the result comes after the number's
//   delay. Any character from the caller while dialing abandons the call without a result
//   (the caller has given up and hangs up; a "NO CARRIER" then could reach it on its next
//   call), and the character starts the next command line.
// - On line, bytes go to the terminal line by line. Two ways back to command mode:
//   the escape ("+++" after a guard time of silence, then a guard time of silence: "OK", call
//   kept), and a line that starts with "ATH" and holds "+++" (how the caller hangs up while
//   on line): the call is dropped and "OK" answered.
// - LineClosed is the caller closing the port (on a real modem, DTR dropping): the call is
//   dropped without a result, and output not yet taken is discarded.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "modem-sim/AtCommandParser.h"
#include "modem-sim/PagingTerminal.h"
#include "modem-sim/SimConfig.h"
#include "modem-sim/SimEvents.h"

namespace modemsim {

class ModemSimulator {
 public:
  explicit ModemSimulator(ModemConfig config);
  ModemSimulator(const ModemSimulator&) = delete;
  ModemSimulator& operator=(const ModemSimulator&) = delete;

  enum class State { Command, Dialing, Online, OnlineCommand };

  void Receive(std::string_view bytes, std::int64_t nowMs);
  void Advance(std::int64_t nowMs);
  void LineClosed(std::int64_t nowMs);

  // When Advance next has something to do (a dial result, a carrier drop, the end of an
  // escape's guard time, a terminal prompt); nullopt when nothing is scheduled.
  std::optional<std::int64_t> NextDueMs() const;

  std::string TakeOutput() { return out_.TakeBytes(); }
  std::vector<ModemEvent> TakeEvents() { return out_.TakeEvents(); }
  const std::vector<AcceptedPage>& Pages() const { return out_.Pages(); }

  State CurrentState() const { return state_; }
  PagingTerminal::Step TerminalStep() const { return terminal_.CurrentStep(); }
  bool EchoOn() const { return echo_; }
  std::int64_t GuardTimeMs() const { return registers_[12] * 20LL; }

 private:
  enum class Result { Ok, Connect, NoCarrier, Error, NoDialtone, Busy };

  void ResetProfile();
  void SendResult(Result result, std::string_view connectSpeed = {});
  void ReceiveCommandByte(char c, std::int64_t nowMs);
  void ReceiveOnlineByte(char c, std::int64_t nowMs);
  void RunCommandLine(const std::string& line, std::int64_t nowMs);
  // Runs one command; false when it is refused (the line then ends with ERROR).
  bool RunCommand(const AtCommand& command, std::int64_t nowMs, bool& resultGiven);
  void Dial(const std::string& dialText, std::int64_t nowMs);
  void FinishDial(std::int64_t nowMs);
  void DropCall(EventKind kind, std::string detail, std::int64_t nowMs);
  std::optional<std::int64_t> EscapeDueMs() const;

  ModemConfig config_;
  LineOutput out_;
  PagingTerminal terminal_;
  State state_ = State::Command;
  std::int64_t nowMs_ = 0;

  bool echo_ = true;
  bool verbose_ = true;
  bool quiet_ = false;
  int registers_[256] = {};

  std::string commandLine_;
  std::string onlineLine_;

  std::string dialed_;
  DialBehaviour call_;
  std::int64_t dialDueMs_ = 0;
  std::optional<std::int64_t> dropDueMs_;

  std::int64_t lastOnlineByteMs_ = 0;
  int plusCount_ = 0;
  std::int64_t lastPlusMs_ = 0;
};

}  // namespace modemsim
