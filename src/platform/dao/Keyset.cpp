#include "platform/dao/Keyset.h"

#include <limits>
#include <string>

#include "platform/dao/Errors.h"
#include "platform/vb/RuntimeError.h"

namespace dao::detail {

Keyset::Keyset(Connection& connection, const TableInfo& table,
               const std::vector<Condition>& where)
    : connection_(&connection) {
  const std::string name = QuoteName(table.name);
  std::string filter;
  int parameter = 3;
  for (const Condition& condition : where) {
    const int column = table.FindColumn(condition.column);
    if (column < 0) {
      vb::Raise(err::kTooFewParameters,
                "Too few parameters. Expected 1. (no such column: " + condition.column + ")");
    }
    filter += " AND " + QuoteName(table.columns[column]) + " = ?" + std::to_string(parameter++);
    whereValues_.emplace_back(condition.text);
  }
  const std::string range = " FROM " + name + " WHERE rowid > ?1 AND rowid <= ?2" + filter;
  walkOne_ = connection.Prepare("SELECT rowid" + range + " ORDER BY rowid LIMIT 1");
  walkRest_ = connection.Prepare("SELECT rowid" + range + " ORDER BY rowid");
  exists_ = connection.Prepare("SELECT 1 FROM " + name + " WHERE rowid = ?1");

  StatementUse top(connection, connection.Prepare("SELECT max(rowid) FROM " + name));
  top.Step();
  if (top.IsNull(0)) {
    walkDone_ = true;  // an empty table: nothing to walk
  } else {
    maxAtOpen_ = top.Int64(0);
  }
}

Keyset::Keyset(std::size_t fixedRows) : walkDone_(true) {
  walked_.reserve(fixedRows);
  for (std::size_t i = 0; i < fixedRows; ++i) walked_.push_back(static_cast<std::int64_t>(i));
}

void Keyset::BindWalk(StatementUse& use) const {
  use.Bind(1, walked_.empty() ? std::numeric_limits<std::int64_t>::min() : walked_.back());
  use.Bind(2, maxAtOpen_);
  for (std::size_t i = 0; i < whereValues_.size(); ++i) {
    use.Bind(static_cast<int>(i) + 3, whereValues_[i]);
  }
}

bool Keyset::WalkOne() {
  if (walkDone_) return false;
  StatementUse use(*connection_, walkOne_);
  BindWalk(use);
  if (!use.Step()) {
    walkDone_ = true;
    return false;
  }
  walked_.push_back(use.Int64(0));
  return true;
}

void Keyset::WalkRest() {
  if (walkDone_) return;
  StatementUse use(*connection_, walkRest_);
  BindWalk(use);
  std::vector<std::int64_t> rest;
  while (use.Step()) rest.push_back(use.Int64(0));
  walked_.insert(walked_.end(), rest.begin(), rest.end());
  walkDone_ = true;
}

bool Keyset::Exists(std::int64_t key) {
  if (gone_.count(key) != 0) return false;
  if (connection_ == nullptr) return true;  // a fixed keyset
  StatementUse use(*connection_, exists_);
  use.Bind(1, key);
  if (use.Step()) return true;
  gone_.insert(key);
  return false;
}

std::int64_t Keyset::KeyAt(std::size_t position) const {
  return position < walked_.size() ? walked_[position] : appended_[position - walked_.size()];
}

std::optional<std::size_t> Keyset::Next(std::optional<std::size_t> position) {
  std::size_t candidate = position ? *position + 1 : 0;
  for (;;) {
    if (candidate < walked_.size()) {
      if (Exists(walked_[candidate])) return candidate;
      ++candidate;
    } else if (!walkDone_) {
      // The walk only finds rows that exist right now.
      if (WalkOne()) return candidate;
    } else if (candidate < KnownSize()) {
      if (Exists(KeyAt(candidate))) return candidate;
      ++candidate;
    } else {
      return std::nullopt;
    }
  }
}

std::optional<std::size_t> Keyset::Last() {
  WalkRest();
  for (std::size_t candidate = KnownSize(); candidate > 0; --candidate) {
    if (Exists(KeyAt(candidate - 1))) return candidate - 1;
  }
  return std::nullopt;
}

long Keyset::Count() const {
  // Only keys of this set are ever marked gone.
  return static_cast<long>(KnownSize() - gone_.size());
}

}  // namespace dao::detail
