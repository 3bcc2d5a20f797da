// The server core: the main window's load, Start, Stop and the shut-down guard.
//
// One object per main window. It holds references to the window's controls, the shared state
// and the platform, and owns the message intake. Handlers run on the user-interface thread.
//
// What callers may rely on:
//  - Form_Load never lets a run-time error out: it shows one box (port in use, invalid modem
//    settings, or the general "Error: " box) and ends; the settings file it was reading is
//    closed. A missing Inter.dat means Intranet mode off, without a box.
//  - Command1_Click never lets a run-time error out either: it shows the general box, shows the
//    stopped look, pumps once and stops the server, keeping every message still waiting (in
//    Queue and Temp) for the next Start and removing the sent ones (QueueRules.h). A Stop run
//    while the intake waits for a file to be quiet ends the Start without a box.
//  - Every Start, before its intake, removes the rows already sent (a cycle that was cut short
//    by a crash, the error trap or a failed end-of-list removal leaves them) and finishes an
//    input file that an interrupted Start had taken aside.
//  - Command2_Click skips every failing statement; run by the operator it empties Temp and
//    Queue when the database is open and no page the terminal took is left unstored.
//  - Nothing here sleeps; only Start's error box and its one pump, the intake's wait for a
//    quiet file, and the pumps between the tries that store the held pages
//    (StoreEngineSettlings), let other events run.
#pragma once

#include <functional>
#include <string>

#include "common/Form1.h"
#include "common/Module1.h"
#include "common/Platform.h"
#include "core/MessageIntake.h"

namespace pager {

class ServerCore {
 public:
  ServerCore(Form1& form, Module1& m, Platform& platform);

  // The main window's load: settings files, serial port, window position.
  void Form_Load();

  // Start: takes new messages in, lists the companies to call and dials the first one.
  // Always runs (the re-cycle timer calls it between cycles).
  void Command1_Click();

  // Start as asked by the operator (the Start hot spot). Does nothing while a call cycle is in
  // progress: the server is running and Timer1 (with the port open), tmrDialing, tmrSend or
  // tmrCountdown is on, or a Start is still showing its error box. So a second click can
  // neither open a second connection under the engine nor dial into a live call; during the
  // re-cycle pause it ends the pause (tmrRestart off, its count left as it is) and runs
  // Command1_Click, and when stopped it runs Command1_Click.
  void StartFromOperator();
  // True when StartFromOperator would do nothing now.
  bool CycleInProgress() const;

  // Stop: switches the engine timers off, stores what the call engine holds (StoreEngineSettlings),
  // hangs up and closes the port, empties Temp and Queue, closes the database and publishes
  // "NOT AVAILABLE". Each failing statement is skipped. When the engine still holds pages the
  // terminal took (another program held the database through every try), Queue and Temp are
  // left as they are and the status line says so (kPagesNotStoredStatus). A Stop while another
  // one waits for the database does nothing.
  void Command2_Click();

  // The orderly end that a signal from the system asks for (a logout, a shutdown, kill): Stop,
  // except that every message waiting in Temp and Queue is kept for the next start. So a call
  // in progress is hung up, the port and the database are closed and "NOT AVAILABLE" is
  // published; nothing asks the operator.
  void EndKeepingMessages();
  // Stores what the call engine holds (settleEngine: the leaving page, and pages the terminal
  // took whose settling the database refused), in at most `tries` tries, the database opened
  // when pages are held and it is closed. Each try waits out another program's lock for the
  // busy timeout (5 s), in kSlicesPerTry slices; between slices the status line names the try
  // and events are pumped, so the window stays drawn. True when everything is stored (or there
  // was nothing). Called again from inside that pump, it returns false at once.
  bool StoreEngineSettlings(int tries);
  // The tries of Stop and of the shut-down: six of the busy timeout, half a minute.
  static constexpr int kStoreTries = 6;
  static constexpr int kSlicesPerTry = 20;
  // The status line after a Stop or a shut-down that could not store the held pages.
  static constexpr const char* kPagesNotStoredStatus =
      "Pages already sent could not be marked: pager.mdb is held by another program";

  // The shut-down guard: refuses while the server runs, else asks the operator; on Yes stores
  // the pages the call engine still holds (kStoreTries tries; what cannot be stored goes to
  // pagesNotStored), writes the stopped status and unloads the splash window. Sets cancel to
  // -1 to keep the window; also, without a question, while a Stop waits for the database.
  void Form_QueryUnload(int& cancel, int unloadMode);

  // Start as the re-cycle makes it: as Command1_Click, except that a database held by another
  // program (error 3260) does not stop the server: the status line says so, every message
  // stays, and the re-cycle pause runs again. An input file that cannot be read whole, or
  // taken aside, does not stop it either: it is left for the next re-cycle, and the status line
  // names it.
  void StartFromRecycle();

  // Unloads the splash window (set by the console; may be empty in tests).
  std::function<void()> unloadSplash;
  // Settles what the call engine holds for the queue: a page whose bytes have left the port is
  // stored as sent (one still in the port is taken back from it), and pages the terminal took
  // whose "Y" could not be written yet are stored; raises when the database refuses. Start runs
  // it before it touches the queue, Stop before it drops the line (set by the console; may be
  // empty in tests).
  std::function<void()> settleEngine;
  // True while the call engine holds pages the terminal took whose settling is not stored
  // (set by the console; may be empty in tests).
  std::function<bool()> enginePagesHeld;
  // The shut-down could not store the held pages: the console names them and sets the exit
  // status (may be empty in tests).
  std::function<void()> pagesNotStored;
  // The tries of StoreEngineSettlings are over (true: everything is stored). A signal that came
  // in their pump leaves the report of the held pages to this moment (may be empty in tests).
  std::function<void(bool stored)> storingEnded;
  // True while StoreEngineSettlings tries (a Stop or the shut-down, whose pumps let clicks and
  // signals in).
  bool StoringPages() const { return storingPages_; }

  MessageIntake& Intake() { return intake_; }

 private:
  // Form_Load's steps.
  void CentreWindow();
  void ApplyModemSettings(const std::string& path, bool& readingModemCfg);
  void ReadIntranetMode();
  void ReadOwnSystem();
  // Start's steps.
  void OpenDatabase();
  void SetStartTimeLabel();
  void CallFirstCompany();
  // Removes the rows the server settled as sent in a cycle that did not reach its end
  // (QueueRules.h).
  void RemoveSentRows();
  void StartTrap(const vb::RuntimeError& error);
  // StoreEngineSettlings' tries, while storingPages_ is set.
  bool TryStoringEngineSettlings(int tries);
  // The intake's notices, each in a box of its own.
  void ShowIntakeNotices();
  static std::string WaitingInputsText(const std::vector<std::string>& names);
  // The re-cycle's Start met a database held by another program.
  void RecycleLater(const vb::RuntimeError& error);

  Form1& form_;
  Module1& m_;
  Platform& platform_;
  MessageIntake intake_;
  // True while Stop runs from Start's error trap or for the orderly end: the waiting messages
  // are then kept.
  bool keepMessagesOnStop_ = false;
  // True while Command1_Click runs (its error box and pump let clicks in).
  bool startRunning_ = false;
  // True while StoreEngineSettlings tries (its pumps let clicks and signals in).
  bool storingPages_ = false;
  // True while the re-cycle's Start runs.
  bool recycling_ = false;
};

}  // namespace pager
