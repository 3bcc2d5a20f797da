#include "platform/qt/ControlBinding.h"

#include "platform/qt/Conversions.h"

namespace qtui {

void BindCommon(forms::Control& control, QWidget* widget) {
  widget->setObjectName(QString::fromStdString(control.Name()));
  widget->setGeometry(ToPixels(control.Position()));
  widget->setEnabled(control.Enabled);
  widget->setToolTip(ToQString(control.ToolTipText));
  widget->setVisible(control.Visible);
  Watch(control.Visible, widget, [&control](QWidget* w) { w->setVisible(control.Visible); });
  Watch(control.Enabled, widget, [&control](QWidget* w) { w->setEnabled(control.Enabled); });
  Watch(control.ToolTipText, widget, [&control](QWidget* w) { w->setToolTip(ToQString(control.ToolTipText)); });
}

}  // namespace qtui
