#include "platform/qt/CheckBoxView.h"

#include "platform/qt/ControlBinding.h"
#include "platform/qt/Conversions.h"

namespace qtui {

CheckBoxView::CheckBoxView(forms::CheckBox& model, QWidget* parent) : QCheckBox(parent) {
  BindCommon(model, this);
  setText(ToQString(model.Caption));
  setChecked(model.Value == 1);
  Watch(model.Caption, this, [&model](CheckBoxView* view) { view->setText(ToQString(model.Caption)); });
  Watch(model.Value, this, [&model](CheckBoxView* view) { view->setChecked(model.Value == 1); });
  connect(this, &QCheckBox::toggled, this, [&model](bool checked) { model.Value = checked ? 1 : 0; });
}

}  // namespace qtui
