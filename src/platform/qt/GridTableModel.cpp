#include "platform/qt/GridTableModel.h"

namespace qtui {

void GridTableModel::SetData(const forms::GridData& data) {
  beginResetModel();
  data_ = data;
  endResetModel();
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(data_.rows.size());
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(data_.columns.size());
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
  const auto& row = data_.rows[static_cast<std::size_t>(index.row())];
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
