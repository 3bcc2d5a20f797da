// The view of a read-only grid: its caption in a bar above a table of the model's rows under
// the column captions; an empty caption shows no bar. The table is redrawn whenever the
// model's Data changes; the operator may select and scroll but not edit. Each cell's tool tip
// is its whole text. The model must outlive the view.
//
// The columns follow the model's ColumnLooks: their widths (never narrower than their
// captions), the column that fills the visible area up to its right edge (fitted again
// whenever that area changes size, for example when the vertical scroll bar comes or goes),
// and the columns whose long texts show their end. Rows carry no numbers.
#pragma once

#include <QLabel>
#include <QTableView>
#include <QWidget>

#include "platform/forms/TabsAndGrid.h"
#include "platform/qt/GridTableModel.h"

class QStyledItemDelegate;

namespace qtui {

class GridView : public QWidget {
  Q_OBJECT

 public:
  GridView(forms::Grid& model, QWidget* parent);

  QLabel* CaptionBar() const { return caption_; }
  QTableView* Table() const { return table_; }
  GridTableModel* TableModel() const { return tableModel_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowData();
  void ApplyLooks();
  void FitFillingColumns();
  forms::GridColumnLook LookOf(int column) const;
  int CaptionWidth(int column) const;

  forms::Grid& model_;
  QLabel* caption_;
  QTableView* table_;
  GridTableModel* tableModel_;
  QStyledItemDelegate* endShowing_;
};

}  // namespace qtui
