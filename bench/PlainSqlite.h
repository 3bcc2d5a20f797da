// A plain SQLite connection to a pager.mdb, for the floors the benchmarks measure against and
// for filling tables past the server's own code. Opened read-write in the file's write-ahead
// log mode, with synchronous=NORMAL unless told otherwise (a floor sets what the server sets).
// Every failure throws std::runtime_error with SQLite's message.
#pragma once

#include <sqlite3.h>

#include <stdexcept>
#include <string>

namespace bench {

class PlainSqlite {
 public:
  explicit PlainSqlite(const std::string& path, const std::string& synchronous = "NORMAL") {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
      throw std::runtime_error("cannot open " + path);
    }
    Exec("PRAGMA synchronous=" + synchronous);
  }
  ~PlainSqlite() { sqlite3_close(db_); }
  PlainSqlite(const PlainSqlite&) = delete;
  PlainSqlite& operator=(const PlainSqlite&) = delete;

  void Exec(const std::string& sql) {
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
    }
  }
  // The caller finalizes the statement.
  sqlite3_stmt* Prepare(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
    }
    return statement;
  }
  // Runs a statement that returns no rows, and resets it for its next values.
  void Step(sqlite3_stmt* statement) {
    if (sqlite3_step(statement) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
    sqlite3_reset(statement);
  }

 private:
  sqlite3* db_ = nullptr;
};

// Binds a text (copied by SQLite) to the statement's parameter `column`, counted from 1.
inline void BindText(sqlite3_stmt* statement, int column, const std::string& value) {
  sqlite3_bind_text(statement, column, value.c_str(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
}

}  // namespace bench
