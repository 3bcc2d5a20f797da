// Test helpers for the dao layer: a fresh pager.mdb in a temporary program folder, laid out
// from schema/pager.sql, and a plain SQLite connection that plays an outside program.
#pragma once

#include <sqlite3.h>

#include <stdexcept>
#include <string>

#include "platform/dao/DBEngine.h"
#include "platform/dao/Database.h"
#include "platform/dao/Recordset.h"
#include "support/PagerDatabase.h"
#include "support/TempFolder.h"

namespace dao_test {

// A plain connection to the file, as another program would open it.
class OutsideConnection {
 public:
  explicit OutsideConnection(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
      throw std::runtime_error("cannot open " + path);
    }
    sqlite3_busy_timeout(db_, 10000);
  }
  ~OutsideConnection() { sqlite3_close_v2(db_); }
  OutsideConnection(const OutsideConnection&) = delete;
  OutsideConnection& operator=(const OutsideConnection&) = delete;

  void Exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
      std::string message = error != nullptr ? error : "?";
      sqlite3_free(error);
      throw std::runtime_error(sql + ": " + message);
    }
  }

  // The first column of the first row as text ("<null>" for Null, "" for no row).
  std::string Text(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_));
    }
    std::string result;
    if (sqlite3_step(statement) == SQLITE_ROW) {
      const auto* text = sqlite3_column_text(statement, 0);
      result = text == nullptr ? "<null>" : reinterpret_cast<const char*>(text);
    }
    sqlite3_finalize(statement);
    return result;
  }
  long Number(const std::string& sql) { return std::stol(Text(sql)); }
  sqlite3* Handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

// A program folder holding a fresh pager.mdb, and the engine the server would use.
class PagerFile {
 public:
  PagerFile() : path_(folder_.PathOf("pager.mdb")) { testing_support::MakePagerDatabase(path_); }

  const std::string& Path() const { return path_; }
  const testing_support::TempFolder& Folder() const { return folder_; }
  std::shared_ptr<dao::Database> Open() { return engine_.Workspaces(0).OpenDatabase(path_); }
  dao::DBEngine& Engine() { return engine_; }

 private:
  testing_support::TempFolder folder_;
  std::string path_;
  dao::DBEngine engine_;
};

}  // namespace dao_test
