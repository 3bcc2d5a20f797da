// The keys of a dynaset, in order, taken lazily. Internal to the dao layer.
//
// A table keyset stands for the rows of a table whose key (rowid) is at most the largest key
// at the moment it was made and that match its conditions, followed by the keys appended
// through it. It learns those rows one step at a time (one indexed look-up each), so making
// it costs the same on any table size. A row deleted by anyone is skipped when a move meets it.
//
// A fixed keyset stands for rows read whole beforehand: keys 0..n-1, never deleted.
//
// Positions are indexes into the sequence (walked keys, then appended keys); a position once
// returned stays valid and keeps its key.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <unordered_set>
#include <vector>

#include "platform/dao/Connection.h"
#include "platform/dao/LegacySql.h"

namespace dao::detail {

class Keyset {
 public:
  Keyset(Connection& connection, const TableInfo& table, const std::vector<Condition>& where);
  explicit Keyset(std::size_t fixedRows);

  std::optional<std::size_t> First() { return Next(std::nullopt); }
  // The next position after `position` (from the start for nullopt) whose row still exists.
  std::optional<std::size_t> Next(std::optional<std::size_t> position);
  std::optional<std::size_t> Last();

  std::int64_t KeyAt(std::size_t position) const;
  void Append(std::int64_t key) { appended_.push_back(key); }
  void MarkGone(std::int64_t key) { gone_.insert(key); }
  bool Exists(std::int64_t key);
  // Keys known so far (walked and appended) less those known to be gone.
  long Count() const;

 private:
  std::size_t KnownSize() const { return walked_.size() + appended_.size(); }
  bool WalkOne();  // learns the next key of the walk; false when the walk is done
  void WalkRest();
  void BindWalk(StatementUse& use) const;

  Connection* connection_ = nullptr;
  sqlite3_stmt* walkOne_ = nullptr;
  sqlite3_stmt* walkRest_ = nullptr;
  sqlite3_stmt* exists_ = nullptr;
  std::vector<Value> whereValues_;
  std::int64_t maxAtOpen_ = 0;
  std::vector<std::int64_t> walked_;
  bool walkDone_ = false;
  std::vector<std::int64_t> appended_;
  std::unordered_set<std::int64_t> gone_;
};

}  // namespace dao::detail
