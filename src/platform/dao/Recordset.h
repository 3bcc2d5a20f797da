// A dynaset: the records of a table (optionally those matching a where clause), read live.
//
// Principles of operation. The set of records is fixed when the recordset is opened (a keyset),
// but their fields are read from the file each time, so a change made by anyone after the open
// shows; a record deleted meanwhile is skipped; a record someone else adds after the open is not
// part of the set, while a record added through this recordset is (it is the last one). The
// keyset is walked lazily: opening costs the same on ten records as on a million (so a where
// clause is judged when the walk reaches a record, not all at the open).
//
// What callers may rely on:
//   - After opening, the current record is the first one (Eof() and Bof() both true when empty).
//   - RecordCount: 0 for an empty set, at least 1 right after opening otherwise, the records
//     visited so far as the walk goes on, the full count after MoveLast.
//   - MoveFirst on an empty set, Field/Edit/Delete with no current record raise 3021
//     "No current record."; MoveNext at Eof raises 3021 too.
//   - Delete removes the current record at once; the position stays on the removed record
//     (no current record), and MoveNext goes on to the one after it. A current record that
//     someone else deleted raises 3167 "Record is deleted." when read or edited; the moves
//     skip it.
//   - AddNew/Edit start a buffer; SetField fills it (Null stored as Null); Update writes it, the
//     values always bound as parameters, never pasted into the statement. After Update of an
//     AddNew the position is unchanged; after Update of an Edit it stays on the edited record.
//     SetField or Update without AddNew/Edit raises 3020; a failed Update leaves the buffer as
//     it was, so the caller may retry or move on.
//   - Moving off a record with a pending AddNew/Edit drops the buffer (as CancelUpdate).
//   - A "Select Distinct" query (or any other plain query) is read whole when opened, in its
//     own order, and cannot be changed (AddNew, Edit
//     and Delete raise 3027 "Cannot update. Database or object is read-only.").
//   - Field names match in any letter case; an unknown name raises 3265.
//   - Any call on a closed recordset (or one whose database was closed) raises 3420.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/dao/Value.h"

namespace dao {

class Database;
namespace detail {
class Connection;
}

class Recordset {
 public:
  ~Recordset();
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  long RecordCount();  // 0 empty; >=1 right after open when not empty; full count after MoveLast
  bool Eof() const;    // (EOF is a C macro, hence the name)
  bool Bof() const;
  void MoveFirst();    // 3021 on an empty set
  void MoveNext();
  void MoveLast();
  void AddNew();
  void Edit();    // 3021 without a current row
  void Update();
  void CancelUpdate();  // drops a pending AddNew/Edit; harmless without one
  void Delete();  // 3021 without a current row
  void Close();
  bool IsOpen() const;
  Value Field(const std::string& name) const;  // 3021 without a current row; 3265 unknown field
  // The named fields of the current row, in the order named, as Field gives each, but read
  // from the file together (one read, not one a field).
  std::vector<Value> Fields(const std::vector<std::string>& names) const;
  // The current row's own number in its table (the hidden, only-growing key), so that a caller
  // can name the row again in a statement after the recordset is gone. 3021 without a current
  // row, 3167 when it was deleted; a plain query read whole gives the row's place in it instead.
  std::int64_t Bookmark() const { return CurrentKey(); }
  // Only between AddNew/Edit and Update (else 3020 "Update or CancelUpdate without AddNew or
  // Edit.").
  void SetField(const std::string& name, const Value& v);

  struct State;  // internal to the dao layer (RecordsetState.h)

 private:
  friend class Database;
  Recordset(std::shared_ptr<Database> database, std::unique_ptr<State> state);
  // Opens `source` (a table name or query text) on `database`.
  static std::shared_ptr<Recordset> Open(std::shared_ptr<Database> database,
                                         const std::string& source);
  void CloseFromDatabase();  // the database is closing
  detail::Connection& Live() const;  // the connection; 3420 when closed
  std::int64_t CurrentKey() const;   // the current row's key; 3021 without one, 3167 if gone
  void DropBuffer();

  std::shared_ptr<Database> database_;
  std::unique_ptr<State> state_;
};

}  // namespace dao
