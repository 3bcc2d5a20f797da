#include "setup/DataControlRows.h"

#include <algorithm>
#include <utility>

#include "platform/dao/Database.h"
#include "platform/vb/RuntimeError.h"

namespace pager {

namespace {

// Closes a read's own connection whichever way the read ends.
class ClosingConnection {
 public:
  explicit ClosingConnection(std::shared_ptr<dao::Database> database) : database_(std::move(database)) {}
  ~ClosingConnection() {
    try {
      database_->Close();
    } catch (...) {  // closing never matters more than the read's own error
    }
  }
  ClosingConnection(const ClosingConnection&) = delete;
  ClosingConnection& operator=(const ClosingConnection&) = delete;
  dao::Database& operator*() const { return *database_; }

 private:
  std::shared_ptr<dao::Database> database_;
};

}  // namespace

DataControlRows::DataControlRows(dao::DBEngine& engine, std::string databaseName, std::string connect,
                                 const std::string& recordSource, const std::vector<std::string>& columns)
    : engine_(engine), databaseName_(std::move(databaseName)), connect_(std::move(connect)) {
  const ClosingConnection database(OpenDatabase());
  snapshot_ = std::make_unique<dao::TableSnapshot>(*database, recordSource, columns);
  std::vector<forms::GridRow> first = snapshot_->Read(*database, 0, kBlockRows);
  rowsRead_ += first.size();
  Keep(0, std::move(first));
}

std::shared_ptr<dao::Database> DataControlRows::OpenDatabase() const {
  return engine_.Workspaces(0).OpenDatabase(databaseName_, false, true, connect_);
}

forms::GridRow DataControlRows::Row(std::size_t index) {
  if (index >= Count()) return {};
  const std::size_t block = index / kBlockRows;
  const Block* found = nullptr;
  for (Block& kept : blocks_) {
    if (kept.index == block) {
      kept.lastUse = ++uses_;
      found = &kept;
    }
  }
  if (found == nullptr) found = &Fetch(block);
  const std::size_t at = index % kBlockRows;
  return at < found->rows.size() ? found->rows[at] : forms::GridRow{};
}

const DataControlRows::Block& DataControlRows::Fetch(std::size_t block) {
  const std::size_t countBefore = Count();
  std::vector<forms::GridRow> rows;
  try {
    const ClosingConnection database(OpenDatabase());
    rows = snapshot_->Read(*database, block * kBlockRows, kBlockRows);
  } catch (const vb::RuntimeError&) {
    // Kept as an empty block, so that drawing the grid does not try the file at every cell.
  }
  rowsRead_ += rows.size();
  if (Count() != countBefore) blocks_.clear();
  return Keep(block, std::move(rows));
}

const DataControlRows::Block& DataControlRows::Keep(std::size_t block, std::vector<forms::GridRow> rows) {
  if (blocks_.size() >= kCachedBlocks) {
    blocks_.erase(std::min_element(blocks_.begin(), blocks_.end(),
                                   [](const Block& a, const Block& b) { return a.lastUse < b.lastUse; }));
  }
  blocks_.push_back(Block{block, std::move(rows), ++uses_});
  return blocks_.back();
}

}  // namespace pager
