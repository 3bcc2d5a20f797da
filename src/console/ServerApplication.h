// The whole program without its window layer: the shared state, the main window and the
// splash window, the server core, the call engine and the console's handlers, with every event
// wired. The program and the scenario tests build the server through this one class.
//
// Wiring:
//   Form2:  OnLoad -> Splash::Form_Load, OnUnload -> Splash::Form_UnLoad,
//           Timer1 -> Splash::Timer1_Timer
//   Form1:  OnLoad -> switches the status timers on, then ServerCore::Form_Load;
//           OnQueryUnload -> ServerCore::Form_QueryUnload (the shut-down guard), except
//           during EndInOrder;
//           OnUnload -> the program is finished (see below);
//           Command1..Command4 Click -> Start, Stop, Setup, Shutdown; Command5 -> the hang-up;
//           Timer1, tmrDialing, tmrSend, tmrCountdown, tmrRestart -> the call engine;
//           Timer2..Timer5 -> the status display;
//           the hot spots' MouseDown (and Shut's MouseUp) -> MainPanel / SettingsChoosers;
//           Label13.Click -> help.
//   ServerCore::unloadSplash -> Form2.Unload; ServerCore::settleEngine -> CallEngine::SettlePending;
//   ServerCore::enginePagesHeld -> CallEngine::HasUnsettledPages; ServerCore::pagesNotStored ->
//   the report on errorOutput and exit status 1 (once); ServerCore::storingEnded -> that report
//   when an orderly end came during the tries and they failed;
//   CallEngine::runStart -> ServerCore::StartFromRecycle.
//
// Timers: the splash's Timer1 and the main window's status timers are switched on in the
// windows' designs; they run from their window's load, not from the making of the objects. So
// the splash's two seconds count from Start(), however long the window layer took to bind its
// views, and the main window's labels show their load captions until the first ticks after
// its load.
//
// Life cycle: construct, let the window layer bind its views, then Start() once: it shows the
// splash, whose second tick shows the main window. When the main window has been unloaded (a
// confirmed shut-down), or the splash was closed before the main window ever loaded, no
// window is left: every timer is switched off, Finished() turns true and onFinished runs once
// (the window layer quits its loop there). The F1 key of the window layer calls help.ShowHelp().
#pragma once

#include <functional>
#include <iostream>
#include <memory>

#include "common/Form1.h"
#include "common/Module1.h"
#include "common/Platform.h"
#include "console/ContextIDs.h"
#include "console/Form2.h"
#include "console/MainPanel.h"
#include "console/SettingsChoosers.h"
#include "console/Splash.h"
#include "console/StatusDisplay.h"
#include "core/ServerCore.h"
#include "engine/CallEngine.h"
#include "platform/comm/SerialBackend.h"

namespace pager {

class ServerApplication {
 public:
  // The platform's loop, clock, dialogs and database engine must outlive the application.
  ServerApplication(const Platform& platform, std::shared_ptr<comm::SerialBackend> serial);
  ServerApplication(const ServerApplication&) = delete;
  ServerApplication& operator=(const ServerApplication&) = delete;

  // Shows the splash window; the main window follows at its second tick. Later calls do nothing.
  void Start();

  // The orderly end on a signal from the system (SIGTERM, SIGHUP, SIGINT), as at a confirmed
  // shut-down but without the question: the server is stopped keeping every waiting message
  // (ServerCore::EndKeepingMessages: a call in progress hung up, port and database closed,
  // "NOT AVAILABLE" published), the setup window is unloaded if it is open, then the main
  // and splash windows, and the program is finished. Pages the terminal took whose settling
  // the database refused (another program holds it) are stored first, by the Stop, in up to
  // ServerCore::kStoreTries tries of the busy timeout each (half a minute in all, well inside
  // what a service manager waits); when they still cannot be, errorOutput says which pages may
  // go out again and ExitStatus() is 1. A confirmed shut-down with such pages still held does
  // the same (ServerCore::Form_QueryUnload). It may run inside a handler that waits in a box or
  // a pump; that handler goes on when the window layer leaves its loops, and finds the
  // engine's timers off. When that handler is a Stop or a shut-down storing the held pages, its
  // tries go on, and their outcome is what is reported (ServerCore::storingEnded); the window
  // layer takes ExitStatus() once its loop has returned.
  // Later calls, and calls once finished, do nothing.
  void EndInOrder();
  // 0, or 1 when the orderly end or the shut-down left pages that may go out again.
  int ExitStatus() const { return exitStatus_; }
  // Where the orderly end reports what it could not store (standard error unless set).
  std::ostream* errorOutput = &std::cerr;

  // The setup window's Save is about to close the port. A call or a dial in progress does not
  // survive that (the modem hangs up when its port closes), so it ends here as a lost carrier
  // ends it: its waiting messages are failed (a copy in Temp and a failure record each), the
  // modem is hung up and the engine goes on with its pause before the next company. Between
  // calls nothing happens.
  void EndCallBeforeSave();

  // The setup window that the Setup hot spot shows modally (null or unset: none yet).
  void SetSetupWindow(std::function<forms::Window*()> setupWindow);

  bool Finished() const { return finished_; }
  std::function<void()> onFinished;

  // Members in construction order; the handlers refer to those before them.
  Platform platform;
  Module1 m;
  Form1 form1;
  Form2 form2;
  ContextIDs help;
  ServerCore core;
  CallEngine engine;
  Splash splash;
  MainPanel panel;
  SettingsChoosers choosers;
  StatusDisplay status;

 private:
  void WireSplash();
  void WireMainWindow();
  void WireHotSpots();
  void SetStatusTimers(bool enabled);
  void Finish();
  void ReportUnsettledPages();

  bool started_ = false;
  bool finished_ = false;
  bool endingInOrder_ = false;  // the windows unload without the shut-down question
  bool reportWhenStored_ = false;  // the orderly end came while held pages were being stored
  int exitStatus_ = 0;
};

}  // namespace pager
