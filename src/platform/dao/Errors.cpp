#include "platform/dao/Errors.h"

#include <sqlite3.h>

#include <string_view>

#include "platform/vb/RuntimeError.h"

namespace dao {

void RaiseNoCurrentRecord() { vb::Raise(err::kNoCurrentRecord, "No current record."); }

void RaiseObjectInvalid() { vb::Raise(err::kObjectInvalid, "Object invalid or no longer set."); }

void RaiseItemNotFound() { vb::Raise(err::kItemNotFound, "Item not found in this collection."); }

void RaiseTableNotFound(const std::string& name) {
  vb::Raise(err::kTableNotFound, "The database engine cannot find the input table or query '" +
                                     name +
                                     "'. Make sure it exists and that its name is spelled "
                                     "correctly.");
}

void RaiseSyntaxError(const std::string& text) {
  vb::Raise(err::kSyntaxError, "Syntax error in query expression '" + text + "'.");
}

namespace {

// The name in SQLite's "no such table: main.X" message, without the schema prefix.
std::string MissingTableName(std::string_view message) {
  constexpr std::string_view kPrefix = "no such table: ";
  std::string_view name = message.substr(kPrefix.size());
  if (auto dot = name.find('.'); dot != std::string_view::npos) name = name.substr(dot + 1);
  return std::string(name);
}

}  // namespace

void RaiseSqlite(int rc, sqlite3* db, const std::string& context) {
  const std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      vb::Raise(err::kLocked, "Couldn't update; currently locked by another session.");
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
      vb::Raise(err::kNotADatabase,
                "Cannot open database '" + context +
                    "'. It may not be a database that this program recognizes, or the file "
                    "may be corrupt.");
    case SQLITE_CANTOPEN:
      vb::Raise(err::kCannotOpenFile,
                "The database engine cannot open or write to the file '" + context +
                    "'. It is already opened exclusively by another user, or you need "
                    "permission to view and write its data.");
    case SQLITE_READONLY:
      vb::Raise(err::kReadOnly, "Cannot update. Database or object is read-only.");
    case SQLITE_FULL:
      vb::Raise(err::kNotEnoughSpace, "Not enough space on disk.");
    case SQLITE_IOERR:
      vb::Raise(err::kDiskError, "Disk or network error.");
    case SQLITE_ERROR:
      if (message.rfind("no such table: ", 0) == 0) RaiseTableNotFound(MissingTableName(message));
      if (message.rfind("no such column: ", 0) == 0)
        vb::Raise(err::kTooFewParameters, "Too few parameters. Expected 1. (" + message + ")");
      break;
    default:
      break;
  }
  vb::Raise(err::kGeneric, message);
}

}  // namespace dao
