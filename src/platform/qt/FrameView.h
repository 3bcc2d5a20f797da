// The view of a frame: a box with its caption in the top edge; an empty caption draws an
// unbroken edge. The controls standing in the frame are children of this view, placed
// relative to the frame's top-left corner. The model must outlive the view.
#pragma once

#include <QGroupBox>

#include "platform/forms/Controls.h"

namespace qtui {

class FrameView : public QGroupBox {
  Q_OBJECT

 public:
  FrameView(forms::Frame& model, QWidget* parent);
};

}  // namespace qtui
