// The view of a text box: a one-line edit field whose text follows the model and whose
// every edit by the operator is written to the model's Text at once. The model's SetFocus
// moves the input focus here. The model must outlive the view.
#pragma once

#include <QLineEdit>

#include "platform/forms/Controls.h"

namespace qtui {

class TextBoxView : public QLineEdit {
  Q_OBJECT

 public:
  TextBoxView(forms::TextBox& model, QWidget* parent);
};

}  // namespace qtui
