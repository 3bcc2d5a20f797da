// A read-only Qt item model over a copy of a grid's data: one row per data row, the column
// captions as horizontal headers, and an absent value (Null) as an empty cell.
#pragma once

#include <QAbstractTableModel>

#include "platform/forms/TabsAndGrid.h"

namespace qtui {

class GridTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit GridTableModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

  // Replaces what the model shows; attached views redraw from scratch.
  void SetData(const forms::GridData& data);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  forms::GridData data_;
};

}  // namespace qtui
