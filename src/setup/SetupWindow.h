// The setup window's handlers: the load, the modem settings' Save, the picture buttons, the own
// paging system's Store Info, the message log's Clear and the close buttons.
//
// One object per program. It owns the window's model (`form`) and wires the model's events to
// the handlers when it is made, so the main window's Setup only has to show `form` modally.
// The Save acts on the main window's serial-port control, which is passed in; the shared state
// and the platform are the program's. Handlers run on the user-interface thread.
//
// What callers may rely on:
//  - No handler lets a run-time error out; every failure ends in a critical box.
//  - Form_Load runs at every opening and starts from the design state: what the window shows
//    comes from modem.cfg and own.cfg (found in any letter case of their names), MyOwn.dat, the
//    shared state and pager.mdb, never from an earlier opening. A settings file that cannot be
//    read whole does not stop the window from opening: the items read before the damage have
//    reached the shared state and are shown, the controls of the items after it keep their
//    design state, and one box per such file names it.
//  - SSCommand1_Click checks every entry before it touches the port: a refused entry (a baud
//    rate the port does not take, a time-out that is not a whole number from 1 to 32767, a text
//    holding a double quote) shows the Save's error box and leaves the port, the shared state
//    and modem.cfg as they were. Otherwise beforeClosingPort runs (when the port is open),
//    then the port is closed. A failure after the Save closed the port reopens it; only a
//    failure of the final opening leaves the port closed. modem.cfg is replaced in one step:
//    a failed write leaves the old file whole.
//  - A successful Save leaves the port open, whether it was open or closed before; it sends
//    nothing to the modem and switches no timer.
//  - Command3_Click writes MyOwn.dat and the shared own-system state only when both texts are
//    given and neither holds a double quote; a file that cannot be written is reported and the
//    shared state keeps its values.
//  - Command1_Click, confirmed, deletes every TranLog row on the server's connection `dbPager`;
//    when dbPager holds no open database it opens pager.mdb into dbPager (and leaves it open)
//    to delete there. An open dbPager is never replaced. The grid is read again afterwards.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/Module1.h"
#include "common/Platform.h"
#include "platform/comm/MSComm.h"
#include "platform/vb/Int16.h"
#include "platform/vb/RuntimeError.h"
#include "setup/frmSetup.h"

namespace pager {

class SetupWindow {
 public:
  // The port, the shared state and the platform must outlive the window.
  SetupWindow(comm::MSComm& port, Module1& m, const Platform& platform);
  SetupWindow(const SetupWindow&) = delete;
  SetupWindow& operator=(const SetupWindow&) = delete;

  void Form_Load();

  // "Corvello Modem": the Save and the picture buttons.
  void SSCommand1_Click();
  void Image2_MouseDown(int Button, int Shift, float X, float Y);
  void Image3_MouseDown(int Button, int Shift, float X, float Y);
  void Image3_MouseUp(int Button, int Shift, float X, float Y);

  // "Administration": Clear and Close.
  void Command1_Click();
  void Command2_Click();

  // "Own Paging System": Store Info and Close Now.
  void Command3_Click();
  void Command4_Click();

  frmSetup form;

  // Runs in the Save, once the entries have passed their checks, before an open port is
  // closed: the program ends a call in progress there, which the closing would cut off.
  std::function<void()> beforeClosingPort;

 private:
  // The modem tab's entries as the Save writes them, checked before anything is changed.
  struct ModemEntries {
    std::string portItem;         // "1".."4", or "" when Combo1 names no port
    std::string baudRate;         // trimmed
    std::string initString;       // trimmed
    std::string dialMode;         // trimmed
    std::string handshakingItem;  // "0".."3", or ""
    vb::Int16 timeOut;
    std::string prefix;
    std::string suffix;
  };
  ModemEntries CheckedModemEntries() const;
  void ApplyAndStore(const ModemEntries& entries);

  // The load's readers; each returns the error that stopped it, "" when the file was read whole.
  std::string ReadModemSettings(const std::string& path);
  std::string ReadOwnSystem();
  std::string ReadOtherFilePath(const std::string& path);
  void FillLists();
  void CentreWindow();

  // Deletes the log on a connection of Clear's own, opened into dbPager when dbPager is not
  // open. Returns false after telling the operator why it could not.
  bool ClearOnOwnConnection(const vb::RuntimeError& first);
  void DeleteLog(dao::Database& database);

  comm::MSComm& port_;
  Module1& m_;
  const Platform& platform_;
};

}  // namespace pager
