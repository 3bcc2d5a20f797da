// A read-only Qt item model over a grid's data: one row per data row, the column captions as
// horizontal headers, and an absent value (Null) as an empty cell.
//
// Rows are asked of the grid's rows only as the view draws them, so a grid of a million rows
// costs what its visible rows cost. The row count is taken when the data is set; when a draw
// finds that the rows have dropped their count (rows deleted in their store), the model resets
// itself to the new count right after that draw.
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
  int CountOfRows() const;
  void TakeNewCount();

  forms::GridData data_;
  int shownRows_ = 0;
  mutable bool newCountQueued_ = false;
};

}  // namespace qtui
