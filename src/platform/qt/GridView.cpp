#include "platform/qt/GridView.h"

#include <QHeaderView>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/qt/ControlBinding.h"
#include "platform/qt/Conversions.h"

namespace qtui {

GridView::GridView(forms::Grid& model, QWidget* parent)
    : QWidget(parent),
      model_(model),
      caption_(new QLabel(this)),
      table_(new QTableView(this)),
      tableModel_(new GridTableModel(this)) {
  BindCommon(model, this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  caption_->setTextFormat(Qt::PlainText);
  caption_->setAlignment(Qt::AlignCenter);
  caption_->setFrameShape(QFrame::Panel);
  caption_->setFrameShadow(QFrame::Raised);
  caption_->setAutoFillBackground(true);
  layout->addWidget(caption_);
  layout->addWidget(table_, 1);
  table_->setModel(tableModel_);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  ShowData();
  Watch(model.Data, this, [](GridView* view) { view->ShowData(); });
}

void GridView::ShowData() {
  const forms::GridData& data = model_.Data;
  caption_->setText(ToQString(data.caption));
  caption_->setVisible(!data.caption.empty());
  tableModel_->SetData(data);
  // Every column is at least as wide as its caption, so that no heading is cut off (the cells'
  // texts are not measured: that would read rows the grid has not shown yet).
  QHeaderView* header = table_->horizontalHeader();
  const int padding = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 8;
  for (int column = 0; column < tableModel_->columnCount(); ++column) {
    const QString caption = tableModel_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    const int wanted = header->fontMetrics().horizontalAdvance(caption) + padding;
    if (header->sectionSize(column) < wanted) header->resizeSection(column, wanted);
  }
}

}  // namespace qtui
