// The view of a read-only grid: its caption in a bar above a table of the model's rows under
// the column captions; an empty caption shows no bar. The table is redrawn whenever the
// model's Data changes; the operator may select and scroll but not edit. The model must
// outlive the view.
#pragma once

#include <QLabel>
#include <QTableView>
#include <QWidget>

#include "platform/forms/TabsAndGrid.h"
#include "platform/qt/GridTableModel.h"

namespace qtui {

class GridView : public QWidget {
  Q_OBJECT

 public:
  GridView(forms::Grid& model, QWidget* parent);

  QLabel* CaptionBar() const { return caption_; }
  QTableView* Table() const { return table_; }
  GridTableModel* TableModel() const { return tableModel_; }

 private:
  void ShowData();

  forms::Grid& model_;
  QLabel* caption_;
  QTableView* table_;
  GridTableModel* tableModel_;
};

}  // namespace qtui
