// One open SQLite connection to the pager database, with the prepared statements and the table
// layouts it has met so far. Internal to the dao layer.
//
// What the layer relies on:
//   - Open() refuses a missing file (3024), an empty or foreign file (3049), and sets the file
//     up for shared use: write-ahead log, synchronous=FULL (a commit is on the disk when
//     it returns), the given busy timeout.
//   - Prepare() returns a statement owned and cached by the connection, reset and unbound; a
//     statement is used through StatementUse, which resets it again when done, so no statement
//     ever keeps a read open between calls.
//   - Table() finds a table in any letter case and lists its columns as the callers see them
//     (the hidden key column left out); 3078 when there is no such table.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/dao/Value.h"

namespace dao::detail {

struct TableInfo {
  std::string name;                  // as declared in the schema
  std::vector<std::string> columns;  // visible columns, in declared order
  // Index of the column named `column` in any letter case; -1 when there is none.
  int FindColumn(std::string_view column) const;
};

bool EqualsNoCase(std::string_view a, std::string_view b);
// `name` as a quoted SQL identifier: "Date Sent".
std::string QuoteName(std::string_view name);

class Connection {
 public:
  static std::unique_ptr<Connection> Open(const std::string& path, bool readOnly, int busyTimeoutMs);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  sqlite3* Handle() const { return db_; }
  const std::string& Path() const { return path_; }

  sqlite3_stmt* Prepare(const std::string& sql);
  std::shared_ptr<const TableInfo> Table(std::string_view name);

  void Begin();     // BEGIN IMMEDIATE: the write lock is taken now (waits out a short lock)
  void Commit();
  void Rollback();  // harmless outside a transaction
  bool InTransaction() const { return sqlite3_get_autocommit(db_) == 0; }
  // Copies the write-ahead log into the file and empties it, waiting at most the busy timeout
  // for another program's use of the log to end (then the log stays, as that use's). Nothing
  // inside a transaction of this connection, nor on a read-only one.
  void EmptyLog();

 private:
  Connection(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}
  void Run(const std::string& sql);

  sqlite3* db_;
  std::string path_;
  std::unordered_map<std::string, sqlite3_stmt*> statements_;
  std::unordered_map<std::string, std::shared_ptr<const TableInfo>> tables_;  // by lower-case name
};

// One use of a prepared statement; resets it and clears its bindings when it goes.
class StatementUse {
 public:
  StatementUse(Connection& connection, sqlite3_stmt* statement)
      : db_(connection.Handle()), statement_(statement) {}
  ~StatementUse() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
  }
  StatementUse(const StatementUse&) = delete;
  StatementUse& operator=(const StatementUse&) = delete;

  // The value must outlive the step (it is bound without a copy).
  void Bind(int index, const Value& value);
  void Bind(int index, std::int64_t value);
  bool Step();  // true when a row came; false when done; raises on failure
  void Run() { Step(); }
  Value Text(int column) const;
  std::int64_t Int64(int column) const { return sqlite3_column_int64(statement_, column); }
  bool IsNull(int column) const { return sqlite3_column_type(statement_, column) == SQLITE_NULL; }

 private:
  sqlite3* db_;
  sqlite3_stmt* statement_;
};

}  // namespace dao::detail
