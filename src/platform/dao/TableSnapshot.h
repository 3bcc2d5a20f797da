// A table as it stood at one moment, read by position a block at a time: what a grid over a
// table of any size needs, where a dynaset would learn every key on its way to the last record.
//
// Principles of operation. The snapshot stands for the records whose key (rowid) lies between
// the table's smallest and largest key at the moment it is taken; taking it costs two indexed
// look-ups on any table size. The pager tables hand out keys that only grow and lose their
// records all at once, so those keys normally have no holes: the record at position p is the
// one with key smallest + p, the count is the span of the keys, and a block is one range read.
// A read that meets a hole (records deleted one by one, by hand or by another program) counts
// the snapshot's records once, keeping the key at every 1024th position as a signpost, and from
// then on reads from the signpost before the wanted position.
//
// What callers may rely on:
//   - Records added after the snapshot never show. A record deleted after it, or a hole not yet
//     met, counts until a read meets it; that read counts again, so Count() drops, and returns
//     the rows as they are now.
//   - Read works on any open Database of the same file, so the caller may open one for a read
//     and close it again (a connection opened for the read stays out of any transaction). It
//     returns the rows from position `first` on, at most `count`, one value per column in the
//     order the columns were given; fewer only at the end of the snapshot.
//   - Failures raise vb::RuntimeError (3078 no such table, 3265 a column the table lacks, the
//     engine's errors of the file) and leave the snapshot as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/dao/Value.h"

namespace dao {

class Database;

class TableSnapshot {
 public:
  using Row = std::vector<Value>;

  // Takes the snapshot of `table` (any letter case) on `database`; `columns` are the fields a
  // read returns.
  TableSnapshot(Database& database, std::string table, std::vector<std::string> columns);

  std::size_t Count() const { return count_; }
  std::vector<Row> Read(Database& database, std::size_t first, std::size_t count);

 private:
  struct Layout;
  Layout LayoutOn(Database& database) const;
  // Up to `limit` rows with key at least `from`, skipping `offset`; their keys into `keys`.
  std::vector<Row> ReadFrom(const Layout& layout, std::int64_t from, std::size_t offset,
                            std::size_t limit, std::vector<std::int64_t>& keys) const;
  std::vector<Row> ReadCounted(const Layout& layout, std::size_t first, std::size_t count,
                               bool& stale) const;
  void CountRecords(const Layout& layout);

  std::string table_;
  std::vector<std::string> columns_;
  std::int64_t lowKey_ = 0;
  std::int64_t highKey_ = -1;
  std::size_t count_ = 0;
  bool counted_ = false;                 // holes met: positions go by the signposts
  std::vector<std::int64_t> signposts_;  // counted: the key at every kSignpostStep-th position
};

}  // namespace dao
