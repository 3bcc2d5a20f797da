#include "platform/qt/CommandButtonView.h"

#include "platform/qt/ControlBinding.h"
#include "platform/qt/Conversions.h"

namespace qtui {

CommandButtonView::CommandButtonView(forms::CommandButton& model, QWidget* parent) : QPushButton(parent) {
  BindCommon(model, this);
  setText(ToQString(model.Caption));
  Watch(model.Caption, this, [&model](CommandButtonView* view) { view->setText(ToQString(model.Caption)); });
  connect(this, &QPushButton::clicked, this, [&model] {
    if (model.Click) model.Click();
  });
}

}  // namespace qtui
