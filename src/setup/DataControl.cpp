#include "setup/DataControl.h"

#include <memory>
#include <utility>

#include "platform/dao/Database.h"
#include "platform/dao/Recordset.h"

namespace pager {

namespace {

// Closes the grid's own connection whichever way the read ends.
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

DataControl::DataControl(std::string name, forms::Rect position, dao::DBEngine& engine, forms::Grid& grid)
    : forms::Control(std::move(name), position), engine_(engine), grid_(grid) {}

void DataControl::Refresh() {
  forms::GridData data = grid_.Data.get();
  data.rows.clear();
  {
    ClosingConnection database(engine_.Workspaces(0).OpenDatabase(DatabaseName.get(), false, true, Connect.get()));
    const auto records = (*database).OpenRecordset(RecordSource.get());
    while (!records->Eof()) {
      std::vector<std::optional<std::string>> row;
      row.reserve(data.columns.size());
      for (const std::string& field : data.columns) row.push_back(records->Field(field));
      data.rows.push_back(std::move(row));
      records->MoveNext();
    }
    records->Close();
  }
  grid_.Data = data;
}

}  // namespace pager
