#include "platform/dao/TableSnapshot.h"

#include <algorithm>
#include <utility>

#include "platform/dao/Connection.h"
#include "platform/dao/Database.h"
#include "platform/dao/Errors.h"

namespace dao {

namespace {
constexpr std::size_t kSignpostStep = 1024;
}  // namespace

// The table's statements on the connection of one read. `range` reads the key and the columns
// of the records with key from ?1 to ?2 in key order, LIMIT ?3 OFFSET ?4; `keys` reads only
// the keys from ?1 to ?2.
struct TableSnapshot::Layout {
  detail::Connection* connection = nullptr;
  sqlite3_stmt* range = nullptr;
  sqlite3_stmt* keys = nullptr;
};

TableSnapshot::TableSnapshot(Database& database, std::string table,
                             std::vector<std::string> columns)
    : table_(std::move(table)), columns_(std::move(columns)) {
  const Layout layout = LayoutOn(database);
  const std::string name = detail::QuoteName(layout.connection->Table(table_)->name);
  // Two statements, not one: each of min and max alone is a single look-up in the key's tree.
  detail::StatementUse low(*layout.connection,
                           layout.connection->Prepare("SELECT min(rowid) FROM " + name));
  low.Step();
  if (low.IsNull(0)) return;  // an empty table
  detail::StatementUse high(*layout.connection,
                            layout.connection->Prepare("SELECT max(rowid) FROM " + name));
  high.Step();
  lowKey_ = low.Int64(0);
  highKey_ = high.Int64(0);
  count_ = static_cast<std::size_t>(highKey_ - lowKey_ + 1);
}

TableSnapshot::Layout TableSnapshot::LayoutOn(Database& database) const {
  Layout layout;
  layout.connection = &database.Connection();
  const auto table = layout.connection->Table(table_);
  std::string fields;
  for (const std::string& column : columns_) {
    const int index = table->FindColumn(column);
    if (index < 0) RaiseItemNotFound();
    fields += ", " + detail::QuoteName(table->columns[static_cast<std::size_t>(index)]);
  }
  const std::string range = " FROM " + detail::QuoteName(table->name) +
                            " WHERE rowid >= ?1 AND rowid <= ?2 ORDER BY rowid";
  layout.range =
      layout.connection->Prepare("SELECT rowid" + fields + range + " LIMIT ?3 OFFSET ?4");
  layout.keys = layout.connection->Prepare("SELECT rowid" + range);
  return layout;
}

std::vector<TableSnapshot::Row> TableSnapshot::ReadFrom(const Layout& layout, std::int64_t from,
                                                        std::size_t offset, std::size_t limit,
                                                        std::vector<std::int64_t>& keys) const {
  std::vector<Row> rows;
  detail::StatementUse use(*layout.connection, layout.range);
  use.Bind(1, from);
  use.Bind(2, highKey_);
  use.Bind(3, static_cast<std::int64_t>(limit));
  use.Bind(4, static_cast<std::int64_t>(offset));
  while (use.Step()) {
    keys.push_back(use.Int64(0));
    Row row;
    row.reserve(columns_.size());
    for (std::size_t i = 0; i < columns_.size(); ++i) {
      row.push_back(use.Text(static_cast<int>(i) + 1));
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<TableSnapshot::Row> TableSnapshot::Read(Database& database, std::size_t first,
                                                    std::size_t count) {
  const Layout layout = LayoutOn(database);
  if (first >= count_ || count == 0) return {};
  if (!counted_) {
    const std::size_t wanted = std::min(count, count_ - first);
    const std::int64_t firstKey = lowKey_ + static_cast<std::int64_t>(first);
    std::vector<std::int64_t> keys;
    std::vector<Row> rows = ReadFrom(layout, firstKey, 0, wanted, keys);
    bool whole = keys.size() == wanted;
    for (std::size_t i = 0; whole && i < keys.size(); ++i) {
      whole = keys[i] == firstKey + static_cast<std::int64_t>(i);
    }
    if (whole) return rows;
    CountRecords(layout);
  }
  bool stale = false;
  std::vector<Row> rows = ReadCounted(layout, first, count, stale);
  if (!stale) return rows;
  CountRecords(layout);
  return ReadCounted(layout, first, count, stale);  // what there is now, even if deleting goes on
}

std::vector<TableSnapshot::Row> TableSnapshot::ReadCounted(const Layout& layout, std::size_t first,
                                                           std::size_t count, bool& stale) const {
  stale = false;
  if (first >= count_ || count == 0) return {};
  const std::size_t wanted = std::min(count, count_ - first);
  std::vector<std::int64_t> keys;
  std::vector<Row> rows =
      ReadFrom(layout, signposts_[first / kSignpostStep], first % kSignpostStep, wanted, keys);
  // A record deleted since the count shifts the positions after it: a signpost's own position
  // then holds another key, or a row reaches past the next signpost.
  stale = keys.size() < wanted;
  for (std::size_t i = 0; !stale && i < keys.size(); ++i) {
    const std::size_t position = first + i;
    const std::size_t signpost = position / kSignpostStep;
    stale = (position % kSignpostStep == 0 && keys[i] != signposts_[signpost]) ||
            (signpost + 1 < signposts_.size() && keys[i] >= signposts_[signpost + 1]);
  }
  return rows;
}

void TableSnapshot::CountRecords(const Layout& layout) {
  std::vector<std::int64_t> signposts;
  std::size_t count = 0;
  {
    detail::StatementUse use(*layout.connection, layout.keys);
    use.Bind(1, lowKey_);
    use.Bind(2, highKey_);
    while (use.Step()) {
      if (count % kSignpostStep == 0) signposts.push_back(use.Int64(0));
      ++count;
    }
  }
  signposts_ = std::move(signposts);
  count_ = count;
  counted_ = true;
}

}  // namespace dao
