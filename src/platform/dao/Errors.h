// The errors of the database layer: numbers, texts, and the mapping of SQLite's result codes.
//
// Every failure of the layer leaves as vb::RuntimeError carrying one of the numbers below and
// a description an error box can show. Callers test the number, never the text.
#pragma once

#include <string>

struct sqlite3;

namespace dao {

namespace err {
inline constexpr int kGeneric = 3000;             // SQLite's own message as the description
inline constexpr int kTransactionsNested = 3003;  // BeginTrans inside a transaction
inline constexpr int kCannotUpdateRecord = 3020;  // Update/SetField without AddNew or Edit
inline constexpr int kNoCurrentRecord = 3021;
inline constexpr int kFileNotFound = 3024;
inline constexpr int kNotEnoughSpace = 3026;
inline constexpr int kReadOnly = 3027;
inline constexpr int kNoTransaction = 3034;  // commit or rollback without BeginTrans
inline constexpr int kDiskError = 3043;
inline constexpr int kNotADatabase = 3049;
inline constexpr int kCannotOpenFile = 3051;
inline constexpr int kTooFewParameters = 3061;  // a query names a column the table lacks
inline constexpr int kSyntaxError = 3075;       // a query or statement of an unknown form
inline constexpr int kTableNotFound = 3078;
inline constexpr int kRecordDeleted = 3167;  // the current record was deleted by someone else
inline constexpr int kLocked = 3260;
inline constexpr int kItemNotFound = 3265;
inline constexpr int kObjectInvalid = 3420;  // a closed database or recordset
}  // namespace err

[[noreturn]] void RaiseNoCurrentRecord();
[[noreturn]] void RaiseObjectInvalid();
[[noreturn]] void RaiseItemNotFound();
[[noreturn]] void RaiseTableNotFound(const std::string& name);
[[noreturn]] void RaiseSyntaxError(const std::string& text);

// Raises the error that fits SQLite result code `rc` on `db` (its message is read from the
// connection when `db` is given). `context` names the file or object for the texts that show
// one (for instance the path in "Could not find file ...").
[[noreturn]] void RaiseSqlite(int rc, sqlite3* db, const std::string& context = "");

}  // namespace dao
