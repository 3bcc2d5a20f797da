// The rows of the data control's grid, read from the database as the grid draws them.
//
// What callers may rely on:
//  - Making one opens the database read-only on a connection of its own, fixes the snapshot of
//    the table (its records up to its largest key now, whatever is added later; see
//    platform/dao/TableSnapshot.h), reads the first block and closes the connection again;
//    this costs the same on any table size. A failure raises vb::RuntimeError.
//  - Row(i) reads the block of kBlockRows records holding i on a connection opened read-only
//    for that read and closed before Row returns, so no connection stays open between reads and
//    none joins a transaction of the server's. The last kCachedBlocks blocks read are kept and
//    older ones dropped: memory stays bounded on a log of any size.
//  - A block that cannot be read (the file gone or damaged) shows as empty rows, and is not
//    tried again until the grid is read anew.
//  - When a read finds records deleted since the snapshot, Count drops and the blocks kept are
//    dropped with it, since the positions after a deleted record move up.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/dao/DBEngine.h"
#include "platform/dao/TableSnapshot.h"
#include "platform/forms/TabsAndGrid.h"

namespace pager {

class DataControlRows : public forms::GridRows {
 public:
  static constexpr std::size_t kBlockRows = 64;
  static constexpr std::size_t kCachedBlocks = 16;

  // The engine must outlive the rows.
  DataControlRows(dao::DBEngine& engine, std::string databaseName, std::string connect, const std::string& recordSource,
                  const std::vector<std::string>& columns);

  std::size_t Count() const override { return snapshot_->Count(); }
  forms::GridRow Row(std::size_t index) override;
  std::size_t RowsRead() const override { return rowsRead_; }

 private:
  struct Block {
    std::size_t index = 0;
    std::vector<forms::GridRow> rows;
    std::uint64_t lastUse = 0;
  };
  std::shared_ptr<dao::Database> OpenDatabase() const;
  const Block& Fetch(std::size_t block);
  const Block& Keep(std::size_t block, std::vector<forms::GridRow> rows);

  dao::DBEngine& engine_;
  std::string databaseName_;
  std::string connect_;
  std::unique_ptr<dao::TableSnapshot> snapshot_;
  std::vector<Block> blocks_;
  std::uint64_t uses_ = 0;
  std::size_t rowsRead_ = 0;
};

}  // namespace pager
