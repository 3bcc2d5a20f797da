#include "setup/DataControl.h"

#include <memory>
#include <utility>

#include "setup/DataControlRows.h"

namespace pager {

DataControl::DataControl(std::string name, forms::Rect position, dao::DBEngine& engine, forms::Grid& grid)
    : forms::Control(std::move(name), position), engine_(engine), grid_(grid) {}

void DataControl::Refresh() {
  forms::GridData data = grid_.Data.get();
  data.rows =
      std::make_shared<DataControlRows>(engine_, DatabaseName.get(), Connect.get(), RecordSource.get(), data.columns);
  grid_.Data = data;
}

}  // namespace pager
