// The whole server on the simulated loop, for scenario tests: a fresh temporary program folder
// with a pager.mdb made from the schema, a simulated clock at a date and time the test
// chooses, scripted dialogs that let virtual time run, a fake serial line (or the real termios
// backend for pseudo-terminal tests), the main window, the shared state, the server core and
// the call engine, wired the way the program wires them:
//   Form1.OnLoad -> Form_Load, Form1.OnQueryUnload -> Form_QueryUnload,
//   Command1.Click -> Command1_Click, Command2.Click -> Command2_Click,
//   Command5.Click and the engine timers (Timer1, tmrDialing, tmrSend, tmrCountdown,
//   tmrRestart) -> the call engine's handlers, the engine's runStart -> StartFromRecycle,
//   the core's settleEngine -> the engine's SettlePending.
// Nothing is loaded or started by the constructor: a test writes its settings files, then calls
// form.Load() (or the handlers) itself.
//
// The table helpers use their own sqlite3 connection, as an outside writer (the web server)
// does; each call opens and closes it, so nothing stays locked between calls.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Form1.h"
#include "common/Module1.h"
#include "common/Platform.h"
#include "core/ServerCore.h"
#include "platform/comm/FakeSerial.h"
#include "platform/comm/TermiosBackend.h"
#include "platform/dao/DBEngine.h"
#include "platform/forms/Clock.h"
#include "platform/forms/ScriptedDialogs.h"
#include "platform/forms/SimulatedLoop.h"
#include "support/TempFolder.h"

#if __has_include("engine/CallEngine.h")
#include "engine/CallEngine.h"
#define PAGER_HARNESS_HAS_ENGINE 1
#endif

namespace testing_support {

class RawConnection;

// One row of a table as column name -> value (std::nullopt for Null).
using Row = std::map<std::string, std::optional<std::string>>;

class ServerHarness {
 public:
  struct Options {
    vb::Date date{2026, 12, 7};          // the clock's start: Monday, December 07, 2026
    vb::TimeOfDay time{14, 30, 0};
    bool pseudoTerminal = false;         // TermiosBackend on the program folder instead of the fake
    bool makeDatabase = true;            // lay out an empty pager.mdb
    std::string folder;                  // an existing program folder instead of a fresh one
  };

  ServerHarness();
  explicit ServerHarness(const Options& options);
  ~ServerHarness();
  ServerHarness(const ServerHarness&) = delete;
  ServerHarness& operator=(const ServerHarness&) = delete;

  // --- the settings files ---
  // Writes the usual settings: modem.cfg (port 1, "9600,e,7,1", handshaking 0, ATDT, init
  // "ATZ", no prefix/suffix, time-out 45), Inter.dat (#FALSE#), MyOwn.dat ("My Company",
  // "5551234", 0). Each may be overwritten afterwards with folder.Write.
  void WriteDefaultSettings();

  // --- the tables, through a separate connection ---
  long CountRows(const std::string& table) const;
  // Inserts a row; the values are bound, never pasted into the statement. Columns not named
  // stay Null.
  void Insert(const std::string& table, const Row& row) const;
  // A Scheadule row with Sender "Scheduler" and the given Status.
  void InsertScheduled(const std::optional<std::string>& date, const std::optional<std::string>& time,
                       const std::optional<std::string>& modem, const std::string& unit,
                       const std::string& message, const std::string& status = "N") const;
  // Every row of the table in rowid order (without the hidden id column).
  std::vector<Row> Rows(const std::string& table) const;
  std::vector<Row> TranLog() const { return Rows("TranLog"); }
  // Runs one statement as given.
  void Exec(const std::string& sql) const;

  // An outside program's write lock on pager.mdb (BEGIN IMMEDIATE on a connection of its own),
  // held until the object goes. The server waits kBusyTimeoutMs for it, then gets 3260.
  class WriteLock {
   public:
    explicit WriteLock(const std::string& path);
    ~WriteLock();
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

   private:
    std::unique_ptr<RawConnection> connection_;
  };
  std::unique_ptr<WriteLock> HoldWriteLock() const;
  static constexpr int kBusyTimeoutMs = 50;

  std::string DatabasePath() const { return folder.PathOf("pager.mdb"); }

  // Members in construction order (the platform refers to those before it).
  TempFolder folder;
  forms::SimulatedLoop loop;
  forms::SimulatedClock clock;
  forms::ScriptedDialogs dialogs;
  dao::DBEngine dbEngine;
  std::shared_ptr<comm::FakeSerialBackend> fakeSerial;    // set unless pseudoTerminal
  std::shared_ptr<comm::TermiosBackend> termiosSerial;    // set when pseudoTerminal
  pager::Module1 m;
  std::unique_ptr<pager::Form1> form;
  std::unique_ptr<pager::Platform> platform;
  std::unique_ptr<pager::ServerCore> core;
#ifdef PAGER_HARNESS_HAS_ENGINE
  std::unique_ptr<pager::CallEngine> engine;
#endif
};

}  // namespace testing_support
