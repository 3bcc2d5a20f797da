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
//    stopped look, pumps once and stops the server, keeping every message already taken in
//    (in Queue) and every message waiting in Temp for the next Start.
//  - Command2_Click skips every failing statement; run by the operator it empties Temp and
//    Queue when the database is open.
//  - Nothing here sleeps or blocks; only Start's error box and its one pump let other events run.
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

  // Stop: switches the engine timers off, hangs up and closes the port, empties Temp and Queue,
  // closes the database and publishes "NOT AVAILABLE". Each failing statement is skipped.
  void Command2_Click();

  // The orderly end that a signal from the system asks for (a logout, a shutdown, kill): Stop,
  // except that every message waiting in Temp and Queue is kept for the next start. So a call
  // in progress is hung up, the port and the database are closed and "NOT AVAILABLE" is
  // published; nothing asks the operator.
  void EndKeepingMessages();

  // The shut-down guard: refuses while the server runs, else asks the operator; on Yes writes
  // the stopped status and unloads the splash window. Sets cancel to -1 to keep the window.
  void Form_QueryUnload(int& cancel, int unloadMode);

  // Unloads the splash window (set by the console; may be empty in tests).
  std::function<void()> unloadSplash;

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
  void StartTrap(const vb::RuntimeError& error);

  Form1& form_;
  Module1& m_;
  Platform& platform_;
  MessageIntake intake_;
  // True while Stop runs from Start's error trap or for the orderly end: Temp and Queue are
  // then kept.
  bool keepMessagesOnStop_ = false;
  // True while Command1_Click runs (its error box and pump let clicks in).
  bool startRunning_ = false;
};

}  // namespace pager
