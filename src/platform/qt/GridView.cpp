#include "platform/qt/GridView.h"

#include <QEvent>
#include <QHeaderView>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/ControlBinding.h"
#include "platform/qt/Conversions.h"

namespace qtui {

namespace {
// Draws a text too long for its cell with its start cut off, so that its end stays in sight.
class EndShowingDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->textElideMode = Qt::ElideLeft;
  }
};
}  // namespace

GridView::GridView(forms::Grid& model, QWidget* parent)
    : QWidget(parent),
      model_(model),
      caption_(new QLabel(this)),
      table_(new QTableView(this)),
      tableModel_(new GridTableModel(this)),
      endShowing_(new EndShowingDelegate(this)) {
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
  // One line per row: a text too long for its cell is cut off at one end, never broken into
  // lines that the row has no room for.
  table_->setWordWrap(false);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // A record's place in the table tells the operator nothing, and numbers as wide as the
  // largest would take room from the columns.
  table_->verticalHeader()->hide();
  table_->viewport()->installEventFilter(this);
  ShowData();
  Watch(model.Data, this, [](GridView* view) { view->ShowData(); });
  Watch(model.ColumnLooks, this, [](GridView* view) { view->ApplyLooks(); });
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == table_->viewport() && event->type() == QEvent::Resize) FitFillingColumns();
  return QWidget::eventFilter(watched, event);
}

void GridView::ShowData() {
  const forms::GridData& data = model_.Data;
  caption_->setText(ToQString(data.caption));
  caption_->setVisible(!data.caption.empty());
  tableModel_->SetData(data);
  // New data sets the columns back to the header's default widths.
  ApplyLooks();
}

forms::GridColumnLook GridView::LookOf(int column) const {
  const std::vector<forms::GridColumnLook>& looks = model_.ColumnLooks;
  return static_cast<std::size_t>(column) < looks.size() ? looks[static_cast<std::size_t>(column)]
                                                         : forms::GridColumnLook{};
}

// The cells' texts are not measured: that would read rows the grid has not shown yet.
int GridView::CaptionWidth(int column) const {
  QHeaderView* header = table_->horizontalHeader();
  const int padding = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 8;
  const QString caption = tableModel_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
  return header->fontMetrics().horizontalAdvance(caption) + padding;
}

void GridView::ApplyLooks() {
  QHeaderView* header = table_->horizontalHeader();
  for (int column = 0; column < tableModel_->columnCount(); ++column) {
    const forms::GridColumnLook look = LookOf(column);
    table_->setItemDelegateForColumn(column, look.showsEnd ? endShowing_ : nullptr);
    const int designed = look.width > 0 ? ToPixels(look.width) : header->defaultSectionSize();
    header->resizeSection(column, std::max(designed, CaptionWidth(column)));
  }
  FitFillingColumns();
}

void GridView::FitFillingColumns() {
  QHeaderView* header = table_->horizontalHeader();
  int before = 0;
  for (int column = 0; column < tableModel_->columnCount(); ++column) {
    if (LookOf(column).fillsView) {
      header->resizeSection(column, std::max(table_->viewport()->width() - before, CaptionWidth(column)));
    }
    before += header->sectionSize(column);
  }
}

}  // namespace qtui
