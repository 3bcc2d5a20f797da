// The view of a command button: its caption (an "&" marks the access key) and its Click.
// A button the model hides stays hidden and cannot be reached by its access key either.
// The model must outlive the view.
#pragma once

#include <QPushButton>

#include "platform/forms/Controls.h"

namespace qtui {

class CommandButtonView : public QPushButton {
  Q_OBJECT

 public:
  CommandButtonView(forms::CommandButton& model, QWidget* parent);
};

}  // namespace qtui
