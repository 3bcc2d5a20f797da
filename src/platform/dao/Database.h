// An open pager database.
//
// What callers may rely on:
//   - OpenRecordset takes a table name (any letter case: "Queue", "queue", "TranLog") or one of
//     the query texts the program uses ("Select * From Queue where Queue.[Modem] = '...'",
//     "Select * From Scheadule", "Select Distinct [Modem] from [Queue] Order by [Modem]") and
//     always returns a dynaset (see Recordset.h). A missing table raises 3078; a query naming a
//     column the table lacks raises 3061. Any other text starting with Select is run as a
//     SQLite query and read whole, read-only.
//   - Execute runs one statement: the delete-all forms "Delete T.* From T", "Delete * From T",
//     "Delete From T" (any table name case) empty the table in one delete without a condition,
//     which SQLite does at once, leaving the freed pages as they are; any other text runs as
//     SQLite SQL.
//     A failed statement changes nothing.
//   - Close closes the database and every recordset opened from it; any later call on either
//     raises 3420 "Object invalid or no longer set." Close twice is harmless. Closing inside a
//     transaction rolls the transaction back.
//   - A recordset keeps its database object alive; dropping the last reference to an open
//     database closes it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dao {

class Recordset;
class Workspace;
namespace detail {
class Connection;
}

class Database : public std::enable_shared_from_this<Database> {
 public:
  // Use Workspace::OpenDatabase; the connection is already open and set up.
  Database(std::string path, std::unique_ptr<detail::Connection> connection);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  // Table name or query text; always a dynaset.
  std::shared_ptr<Recordset> OpenRecordset(const std::string& source);
  void Execute(const std::string& statement);
  // Runs one SQLite statement whose ?1, ?2, ... take `parameters` (bound, never pasted), so that
  // a statement run with ever new values is prepared once.
  void Execute(const std::string& statement, const std::vector<std::int64_t>& parameters);
  // A number the program keeps in the file's header (SQLite's user version, 0 in a new file).
  // Written inside a transaction it is committed or rolled back with the rest, so it can tell
  // afterwards whether a unit of work reached the file.
  std::int32_t UserVersion();
  void SetUserVersion(std::int32_t number);

  // How long an operation from now on waits out another program's lock before it raises 3260;
  // raises 3420 once closed.
  void SetBusyTimeout(int milliseconds);

  // Empties the write-ahead log into the file, as a close does, while the connection stays
  // open (Connection::EmptyLog); raises 3420 once closed.
  void EmptyLog();

  void Close();  // closes its recordsets too; later calls on them raise an error
  bool IsOpen() const;
  const std::string& Path() const;

  // Transaction control for the workspace. BeginTransaction raises 3420 on a closed
  // database; the transaction itself (BEGIN IMMEDIATE, which takes the write lock) starts with
  // the first operation on this database, so a database the transaction never touches takes
  // no lock. Commit and Rollback end whatever was started.
  void BeginTransaction();
  void CommitTransaction();
  void RollbackTransaction();
  bool InTransaction() const;

  // The open connection, for the recordsets of this database; raises 3420 once closed, and
  // starts a transaction begun on the workspace.
  detail::Connection& Connection();

 private:
  std::string path_;
  std::unique_ptr<detail::Connection> connection_;
  std::vector<std::weak_ptr<Recordset>> recordsets_;
  bool transactionPending_ = false;  // begun on the workspace, not yet started here
};

}  // namespace dao
