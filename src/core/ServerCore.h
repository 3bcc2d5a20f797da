// The server core: the main window's load, Start, Stop and the shut-down guard.
//
// One object per main window. It holds references to the window's controls, the shared state
// and the platform; it owns nothing else. Handlers run on the user-interface thread and are
// never re-entered by the code itself (a timer tick or a click may call Command1_Click while
// a pump inside Start runs; see StartFromOperator for the operator's guarded entry).
#pragma once

#include <functional>

#include "common/Form1.h"
#include "common/Module1.h"
#include "common/Platform.h"

namespace pager {

class ServerCore {
 public:
  ServerCore(Form1& form, Module1& m, Platform& platform);

  // The main window's load: settings files, serial port, database, window position.
  void Form_Load();

  // Start: takes new messages in, lists the companies to call and dials the first one.
  // Always runs (the re-cycle timer calls it between cycles).
  void Command1_Click();

  // Start as asked by the operator (the Start hot spot): does nothing while a call cycle is
  // in progress (the server is running and an engine timer is working a call), so that a
  // second click cannot dial into a live call.
  void StartFromOperator();

  // Stop: switches the engine timers off, closes the port and the recordsets, and empties
  // the staging and queue tables. Each failing statement is skipped.
  void Command2_Click();

  // The shut-down guard: refuses while the server runs, else asks the operator; on Yes writes
  // the stopped status and unloads the splash window.
  void Form_QueryUnload(int& cancel, int unloadMode);

  // Unloads the splash window (set by the console; may be empty in tests).
  std::function<void()> unloadSplash;

 private:
  Form1& form_;
  Module1& m_;
  Platform& platform_;
  // True while Stop runs from Start's error trap: the taken-in messages are kept.
  bool keepMessagesOnStop_ = false;
};

}  // namespace pager
