// The call engine: the hang-up, the pause between companies, the dial time-out, the re-cycle,
// the modem answer reader, the send dialogue and the failure routine.
//
// Principles of operation. Start (the server core) opens the port, lists the companies in
// `rsCompanies`, dials the first and switches `tmrDialing` and `Timer1` on. From then on the
// engine's handlers drive the call cycle on the event loop's timers: the answer reader reads
// the modem's answers each tick and reacts to the keywords; the send dialogue writes the
// company's waiting messages one by one; the hang-up ends a call; the countdown pauses between
// companies and dials the next; at the end of the list the re-cycle waits and calls `runStart`.
//
// What callers may rely on:
//  - every handler is safe to call at any time, also from a pump inside another handler and
//    after Stop; a run-time error (database or port) never leaves a handler: it is reported in
//    the status line, an open transaction is rolled back, the company's waiting messages are
//    failed where possible, the call is hung up and the cycle goes on with the next company;
//  - each message taken from `Queue` in a cycle ends with a "sent successfully" record, an
//    "is invalid" record, or a copy in `Temp` with a failure record (the operator's Stop aside);
//  - the engine owns no state besides the text it wrote to the line since the last read (so
//    that the terminal's echo of it is not taken for an answer) and a per-call guard that
//    fails a company's messages at most once.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "common/Form1.h"
#include "common/Module1.h"
#include "common/Platform.h"

namespace pager {

class CallEngine {
 public:
  // Binds the handlers to the window's controls: Command5's click and the five engine timers'
  // ticks (the destructor unbinds them). The form, the shared state and the platform must
  // outlive the engine. Set runStart before the first re-cycle.
  CallEngine(Form1& form, Module1& m, Platform& platform);
  ~CallEngine();
  CallEngine(const CallEngine&) = delete;
  CallEngine& operator=(const CallEngine&) = delete;

  void Command5_Click();        // hang-up
  void tmrCountdown_Timer();    // pause between companies, next company, end of the list
  void tmrDialing_Timer();      // dial time-out
  void tmrRestart_Timer();      // re-cycle
  void Timer1_Timer();          // modem answer reader
  void tmrSend_Timer();         // send dialogue
  void LogUnsentMessages();     // failing a company's waiting messages

  std::function<void()> runStart;  // Start (the core's Command1_Click), called by the re-cycle

  // Records a text written to the line, so that the answer reader takes its echo out of the
  // next chunk. The engine records its own lines and every dial line (it sees the dial time-out
  // switched on right after the dial line, whoever wrote it); others writing to the line while
  // a call is up may add theirs.
  void NoteWritten(const std::string& text);

  // The dial time-out in use: intTimeOut, or 30 seconds when intTimeOut is below 1 (a dial
  // must not wait for ever).
  int EffectiveTimeOut() const;

  // The most messages one call can carry: the send counter is a 16-bit number.
  static constexpr int kMaxMessagesPerCall = 5459;

 private:
  struct State;

  // Handler bodies; they raise run-time errors, which the public handlers trap.
  void HangUp();
  void PauseTick();
  void TakeNextCompany();
  void EndOfList();
  void DialTimeOutTick();
  void RecycleTick();
  void ReadAnswers();
  void RejectedUnit();
  void SendTick();
  void SendStep();
  void FailWaitingMessages();
  // Fails the company's waiting messages with `reason`, hangs up and clears the dial count;
  // the status line shows `status`.
  void FailCall(const char* status, const char* reason);
  // Writes a line to the port and records it for the echo filter.
  void Write(const std::string& text);

  // Runs a handler body; a run-time error is rolled back, settled and shown (Recover).
  template <class Body>
  void Trapped(Body&& body);
  void Recover(const std::string& errorText, bool portError);

  Form1& form_;
  Module1& m_;
  Platform& platform_;
  std::shared_ptr<State> state_;  // shared with the dial observer on tmrDialing
};

}  // namespace pager
