#include "platform/qt/FrameView.h"

#include "platform/qt/ControlBinding.h"
#include "platform/qt/Conversions.h"

namespace qtui {

FrameView::FrameView(forms::Frame& model, QWidget* parent) : QGroupBox(parent) {
  BindCommon(model, this);
  // A frame is opaque: it hides what lies beneath it, as the panel's background does.
  setAutoFillBackground(true);
  setTitle(ToQString(model.Caption));
  Watch(model.Caption, this, [&model](FrameView* view) { view->setTitle(ToQString(model.Caption)); });
}

}  // namespace qtui
