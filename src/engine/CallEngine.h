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
// Timing, in ticks of the one-second engine timers: a dial ends at the time-out's tick at the
// latest; a call of N messages lasts 6N + 8 ticks from the tick that read "CONNECT" to the
// hang-up; 8 ticks of pause follow every hang-up; 8 ticks of re-cycle follow the end of the
// list. A pause or re-cycle that Stop cut short is finished by the next one (the counters are
// kept), unless it had run out.
//
// The state of a message, and what every path keeps (core/QueueRules.h has the whole rule). A
// Queue row waits ("N") until it is settled, and each settling is one transaction together
// with its record, on the disk before the engine does anything else: sent is the row's "Y" (and
// the server's mark on it) with its "sent successfully" record; failed with the call is its
// failure record and the row's removal, with its copy in Temp when it waits "N" (all the
// company's rows in one transaction); refused by the terminal is its "is invalid" record (the
// row waits on until the end of the list). A page counts as sent once its bytes have left the
// port; whatever ends or fails the call before the dialogue's next tick saw that settles it as
// sent, or, while all its bytes are still in the port, takes them back (discarded, so that a
// failed page never goes out). A page partly out is never completed by another line: it is let
// finish leaving (Start, Stop, the orderly end, the pause, a Save) or the line is dropped
// without another byte (every other end), so the terminal never takes a fragment. A page the
// terminal took whose settling cannot be stored (an outside lock) is kept in memory and stored
// before the engine touches the queue again: the pause does not dial the next company, and
// Start and Stop store it first. So a crash, a power cut, Start's error trap, a
// failed end-of-list removal or a lock leaves the file in a state from which the next Start goes
// on by one rule: sent rows go, waiting rows stay. The only page that can reach its terminal
// twice is one the terminal took in the moment the program died, before its settling was on
// the disk.
//
// What callers may rely on:
//  - Every handler is safe to call at any time, also from a pump inside another handler and
//    after Stop. No error leaves a handler: an open transaction is rolled back, the waiting
//    messages of the company being served are failed (once; or left waiting while a taken page
//    is not yet stored), its call is hung up, the cycle goes on with the next company, and the
//    status line shows the error box text.
//  - Each message taken from Queue in a cycle ends with a "sent successfully" record, an
//    "is invalid" record, or a copy in Temp with a failure record, or still waits in Queue for
//    the next cycle (the database refused the failure; the operator's Stop aside).
//  - A company's waiting messages are failed at most once per call, however many failure
//    answers one read holds.
//  - The answer reader takes the echoes of the lines the server wrote out of what it reads
//    before it looks for keywords (terminals echo what they are sent): whole lines only, in
//    the order written (EchoFilter); Label1 still shows the raw input. Nothing written before
//    a dial is awaited after it, whoever dialled.
//  - The hang-up sends "ATH+++" only after the output still queued has left the port, or
//    once the time the line's rate needs for it (plus a margin) has passed; then what is left
//    is discarded. It waits at most kMaxHandlerWaitMs inside its handler; a longer drain is
//    watched over the engine's own closer ticks, during which the port stays open, the call
//    is over (tmrSend off, the pause running) and the answer reader reads nothing. The line
//    is closed before the pause dials again.
//  - A tick of the send dialogue that finds tmrSend switched off after its pump (Stop, or a
//    hang-up run inside the pump) ends without effect and is not counted. A pause tick that
//    finds tmrCountdown switched off after either pump (Stop) ends there; its count stays for
//    the next pause, or starts afresh when this one had run out.
//  - A call takes at most kMaxMessagesPerCall messages; the rest are failed and queued again.
//  - Counters that are only shown or compared (intToCall, intPending, intIDCount) stop at the
//    16-bit limits instead of raising an overflow.
//  - Null Sender, Unit or Message fields go to the line as empty text; control characters in a
//    unit or text go as blanks (one line each), while the record keeps the text as received.
//  - A keyword split between two reads is found at the read that ends it, once.
//  - Every end of a dial or call (the hang-up) switches the dial time-out off and clears it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/Form1.h"
#include "common/Module1.h"
#include "common/Platform.h"
#include "engine/LogRecords.h"

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

  // The hang-up: clears the send counters, switches tmrSend off and tmrCountdown on, and when
  // the port is open sends "ATH+++" and CR and closes it (closed also when the write fails),
  // once the output queued before it has left (see above).
  void Command5_Click();
  // Pause between companies (two pumps a tick); at its 8th tick the next company's dial (the
  // port opened only when closed), a company without rows passed over, or the end of the list.
  void tmrCountdown_Timer();
  // Dial time-out: fails the company at EffectiveTimeOut() ticks.
  void tmrDialing_Timer();
  // Re-cycle: at its 8th tick switches itself off and calls runStart.
  void tmrRestart_Timer();
  // Modem answer reader: the input of the last second, tested for the keywords in order.
  void Timer1_Timer();
  // Send dialogue: pumps, then the step due at this tick.
  void tmrSend_Timer();
  // Fails the waiting messages of the company in strModem (Status exactly "N", Modem exactly
  // strModem) with strFailReason: a copy in Temp and a failure record each, and the row's
  // removal; its rows of another Status not settled as sent get their failure record and leave
  // without a copy (they are not offered again); all in one transaction (one sync of the disk
  // for the company, however many messages it has). Settles what the line has taken first
  // (SettlePending). Does nothing more when it already ran in this call.
  void LogUnsentMessages();

  // The port is about to close under the engine (the setup window's Save). A dial or call in
  // progress ends: a page whose bytes have left is settled as sent, one partly out is let
  // finish leaving first (or the line is dropped when it cannot), one still wholly in the port
  // is taken back; the company's waiting messages fail with `reason`, the line is hung up and
  // the pause begins; the status line shows `status`. A hang-up still waiting for the output
  // to leave ends now (the hang-up line, or the line dropped when output is still queued), also
  // when the failure raised (a locked database), so that nothing of the old call reaches the
  // port once it is opened again. Between calls nothing else happens.
  void EndCall(const std::string& status, const std::string& reason);

  // Settles what the line has taken so far: a page whose text was written is stored as sent
  // when its bytes have left the port, taken back from the port when none has, and, partly
  // out, let finish leaving (bounded by its time at the line's rate) or, when it cannot, the
  // line dropped without another byte (the page then waits unsent); then
  // every page the terminal took whose "Y" and record could not be written yet (the database
  // was locked, say) is stored, oldest first, each in one transaction. Raises the database's
  // error when it still cannot; those pages then stay in memory for the next try. Start and
  // Stop call it before they touch the queue or the line, the pause before it dials, the
  // failure routine before it fails anything.
  void SettlePending();
  bool HasUnsettledPages() const;
  // The pages kept in memory, in words (PageDescription): they went out, and would go out
  // again if the program ended before they were stored.
  std::vector<std::string> UnsettledPages() const;

  std::function<void()> runStart;  // Start as the re-cycle makes it, called at its 8th tick

  // Records a text just written to the line, so that the answer reader takes its echo out of
  // what it reads. The engine records its own lines and every dial line (it sees the dial
  // time-out switched on right after the dial line, whoever wrote it; what was recorded before
  // is dropped there); others writing to the line while a call is up may add theirs.
  void NoteWritten(const std::string& text);

  // The dial time-out in use: intTimeOut, or 30 seconds when intTimeOut is below 1 (a dial
  // must not wait for ever).
  int EffectiveTimeOut() const;

  // The most messages one call can carry: the send counter is a 16-bit number.
  static constexpr int kMaxMessagesPerCall = 5459;
  // Ticks of the pause after a call.
  static constexpr int kPauseTicks = 8;
  // The longest the hang-up waits for the output inside its handler.
  static constexpr int kMaxHandlerWaitMs = 300;

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
  // Stores the pages kept in memory, oldest first (see SettlePending); raises when it cannot.
  void StoreUnsettled();
  // The page just written has left the port: settled, and the rows moved on (true). Not yet
  // (false): the dialogue waits, or, past the time the line's rate allows, the page is taken
  // back from the port and the company fails.
  bool PageHasLeft();
  // The leaving page's bytes are out: kept as taken, the rows moved on, and stored (raises
  // when the database refuses; the page then waits in memory).
  void PageLeft();
  // How a call that ends may treat a page partly out (some of its bytes left, not all).
  enum class PartPage {
    kLetItLeave,  // wait for the rest, at most until the page's time at the line's rate is up
    kDropLine,    // end the call at once, without another byte
  };
  // Before anything ends or fails a call: the leaving page, if any, is settled as sent when all
  // its bytes have left, and taken back from the port when none has. Partly out, it may finish
  // leaving (kLetItLeave; then it is sent), or the line is dropped (DTR down, nothing drained:
  // the modem hangs up, the terminal never gets the page's CR) and the page is not sent. A
  // device that has vanished is dropped the same way. Raises only as PageLeft.
  void EndLeavingPage(PartPage partPage);
  // Closes the port without another byte (MSComm::DropLine); the hang-up then finds it closed.
  void DropLine();
  // The end of the list: the rows the complete cycle dealt with leave Queue (QueueRules.h).
  void RemoveRowsOfCompleteCycle();
  // Fails the company's waiting messages with `reason`, hangs up and clears the dial count;
  // the status line shows `status`. A page partly out is treated as `partPage` says.
  void FailCall(const char* status, const char* reason, PartPage partPage = PartPage::kDropLine);
  // A hang-up still waiting over the closer's ticks ends now: the hang-up line when nothing is
  // queued any more, else the line is dropped.
  void FinishClosingLine();
  // Ends a call whose company has nothing more to send: tmrSend off and the hang-up, the
  // status line saying so while it runs and "Not Online" after.
  void Disconnect();
  // Sends the hang-up line and closes the port once the queued output has left, waiting at
  // most kMaxHandlerWaitMs here and watching longer drains over the closer's ticks;
  // `untilDialMs`: how long the line may stay open before the pause dials on it.
  void CloseLineWhenSent(std::int64_t untilDialMs);
  // A tick of the closer: the watched drain is done, its time is up, or it goes on.
  void LineCloserTick();
  // Sends the hang-up line and closes the port (closed also when the write fails).
  void SendHangUpAndClose();
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
  forms::Timer lineCloser_;       // on while a hang-up watches the output drain
};

}  // namespace pager
