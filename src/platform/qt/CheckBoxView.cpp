#include "platform/qt/CheckBoxView.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "platform/qt/ControlBinding.h"
#include "platform/qt/Conversions.h"

namespace qtui {

namespace {
constexpr int kUnchecked = 0;
constexpr int kChecked = 1;
constexpr int kPartlyChecked = 2;

Qt::CheckState StateOf(int value) {
  if (value == kUnchecked) return Qt::Unchecked;
  if (value == kPartlyChecked) return Qt::PartiallyChecked;
  return Qt::Checked;
}
}  // namespace

CheckBoxView::CheckBoxView(forms::CheckBox& model, QWidget* parent) : QCheckBox(parent), model_(model) {
  BindCommon(model, this);
  setText(ToQString(model.Caption));
  ShowValue();
  Watch(model.Caption, this, [&model](CheckBoxView* view) { view->setText(ToQString(model.Caption)); });
  Watch(model.Value, this, [](CheckBoxView* view) { view->ShowValue(); });
  connect(this, &QCheckBox::stateChanged, this, [this](int state) {
    // A value the box shows the same way (checked for anything but 0 and 2) stays as it is.
    if (StateOf(model_.Value) == static_cast<Qt::CheckState>(state)) return;
    model_.Value = state == Qt::Unchecked ? kUnchecked : state == Qt::PartiallyChecked ? kPartlyChecked : kChecked;
  });
}

void CheckBoxView::ShowValue() {
  const Qt::CheckState state = StateOf(model_.Value);
  setCheckState(state);
  // Setting the third state makes the box cycle through it; the operator's clicks do not.
  if (state != Qt::PartiallyChecked) setTristate(false);
}

void CheckBoxView::nextCheckState() { setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked); }

bool CheckBoxView::hitButton(const QPoint& pos) const { return rect().contains(pos); }

void CheckBoxView::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  const QString caption = option.text;
  option.text.clear();
  painter.drawControl(QStyle::CE_CheckBox, option);
  option.text = caption;
  const QRect lines = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
  painter.drawItemText(lines, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, option.palette, isEnabled(), caption,
                       QPalette::WindowText);
}

}  // namespace qtui
