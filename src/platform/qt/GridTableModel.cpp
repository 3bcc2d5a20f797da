#include "platform/qt/GridTableModel.h"

#include <algorithm>
#include <climits>

namespace qtui {

void GridTableModel::SetData(const forms::GridData& data) {
  beginResetModel();
  data_ = data;
  shownRows_ = CountOfRows();
  endResetModel();
}

int GridTableModel::CountOfRows() const { return static_cast<int>(std::min<std::size_t>(data_.RowCount(), INT_MAX)); }

void GridTableModel::TakeNewCount() {
  newCountQueued_ = false;
  beginResetModel();
  shownRows_ = CountOfRows();
  endResetModel();
}

int GridTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows_; }

int GridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(data_.columns.size());
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole) || !data_.rows) return {};
  const forms::GridRow row = data_.rows->Row(static_cast<std::size_t>(index.row()));
  if (CountOfRows() != shownRows_ && !newCountQueued_) {
    // A model must not change while a view reads it: the new count is taken after this draw.
    newCountQueued_ = true;
    QMetaObject::invokeMethod(const_cast<GridTableModel*>(this), &GridTableModel::TakeNewCount, Qt::QueuedConnection);
  }
  const auto column = static_cast<std::size_t>(index.column());
  // A short row leaves its last cells empty.
  if (column >= row.size() || !row[column]) return {};
  return QString::fromStdString(*row[column]);
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  if (section < 0 || section >= columnCount()) return {};
  return QString::fromStdString(data_.columns[static_cast<std::size_t>(section)]);
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace qtui
