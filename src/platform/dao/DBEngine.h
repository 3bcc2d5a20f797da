// The database engine: the entry point that opens the pager database.
//
// Principles of operation. There is one workspace (index 0). It opens pager.mdb, a SQLite file,
// shared with other programs and writable; the file must already exist (make-pager-db lays it
// out). A transaction begun on the workspace spans every database it has open; transactions do
// not nest.
//
// What callers may rely on:
//   - Every failure raises vb::RuntimeError with a number and a description an error box can
//     show; nothing fails silently and nothing is left half-done by a failed call.
//   - OpenDatabase on a missing file raises 3024 "Could not find file '<path>'." and creates
//     nothing; a file that is not a database raises 3049.
//   - A commit (CommitTrans, or a single statement outside a transaction) is on the disk when it
//     returns: the write-ahead log is synced, so a power cut cannot take back what a caller has
//     already acted on.
//   - The file is opened in write-ahead-log mode with a busy timeout of 5 seconds (SetBusyTimeout):
//     a short lock held by an outside writer is waited out; a lock held longer raises 3260.
//   - After BeginTrans, the first operation on each database takes its write lock (so the
//     record that follows cannot meet a lock half-way), waiting out a short outside lock;
//     CommitTrans or Rollback without BeginTrans raises 3034 and changes nothing; BeginTrans
//     inside a transaction raises 3003 (they do not nest). A database the transaction does not
//     touch takes no lock, so a second connection to the same file (the log grid's) is not
//     blocked. A transaction whose databases were all closed has ended (rolled back).
//   - A failed CommitTrans rolls everything back before it raises: no transaction stays open.
//   - A failure between BeginTrans and CommitTrans leaves the transaction open: the caller's
//     error path ends it with Rollback (or CommitTrans for what did succeed).
//   - A database opened while a transaction is open stays outside it.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace dao {

class Database;

class Workspace {
 public:
  Workspace();
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // Opens pager.mdb (a SQLite file) shared and writable. A missing file is an error
  // (3024 "Could not find file '<path>'."), never a new empty file. `readOnly` opens it
  // without write access; `exclusive` and `connect` are accepted and ignored.
  std::shared_ptr<Database> OpenDatabase(const std::string& path, bool exclusive = false,
                                         bool readOnly = false, const std::string& connect = "");

  // How long a database opened from now on waits out another program's lock before an operation
  // raises 3260 (5 seconds unless set). The wait blocks the caller, so tests set it short.
  void SetBusyTimeout(int milliseconds) { busyTimeoutMs_ = milliseconds; }
  int BusyTimeout() const { return busyTimeoutMs_; }

  void BeginTrans();   // begins a transaction on every database open in this workspace
  void CommitTrans();  // on the disk when it returns (the write-ahead log synced)
  void Rollback();     // undoes everything since BeginTrans
  bool InTransaction() const { return inTransaction_; }

 private:
  std::vector<std::shared_ptr<Database>> OpenDatabases();

  std::vector<std::weak_ptr<Database>> databases_;
  bool inTransaction_ = false;
  int busyTimeoutMs_ = 5000;
};

class DBEngine {
 public:
  Workspace& Workspaces(int index);  // index 0 only; others raise 3265
  void BeginTrans() { workspace_.BeginTrans(); }    // = Workspaces(0)
  void CommitTrans() { workspace_.CommitTrans(); }  // = Workspaces(0)
  void Rollback() { workspace_.Rollback(); }        // = Workspaces(0)

 private:
  Workspace workspace_;
};

}  // namespace dao
