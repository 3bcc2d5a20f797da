// What an open recordset holds. Internal to the dao layer (Recordset.cpp, RecordsetOpen.cpp).
#pragma once

#include <sqlite3.h>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/dao/Connection.h"
#include "platform/dao/Keyset.h"
#include "platform/dao/Recordset.h"

namespace dao {

struct Recordset::State {
  enum class Mode { kNone, kAddNew, kEdit };

  State(std::shared_ptr<const detail::TableInfo> source, detail::Keyset keys)
      : table(std::move(source)), keyset(std::move(keys)) {}

  // The table read live, or (when `rows` is set) the columns of rows read whole at open.
  std::shared_ptr<const detail::TableInfo> table;
  std::optional<std::vector<std::vector<Value>>> rows;
  detail::Keyset keyset;

  // Prepared statements of this table, made on first use (owned by the connection).
  std::vector<sqlite3_stmt*> readColumn;
  std::unordered_map<std::string, sqlite3_stmt*> writeStatements;  // by kind and columns set

  // Position: nothing current at Bof/Eof or on a row this set deleted.
  std::optional<std::size_t> position;
  bool bof = true;
  bool eof = true;
  bool onDeleted = false;

  // The record being added or edited.
  Mode mode = Mode::kNone;
  std::vector<Value> buffer;
  std::string isSet;  // one char per column: 1 when set since AddNew/Edit

  bool Updatable() const { return !rows.has_value(); }
};

}  // namespace dao
