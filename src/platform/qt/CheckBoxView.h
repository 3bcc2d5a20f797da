// The view of a check box: its caption and its check mark, both ways. The model's Value 1
// shows the mark and any other value shows none; the operator's click writes 1 or 0.
// The model must outlive the view.
#pragma once

#include <QCheckBox>

#include "platform/forms/Controls.h"

namespace qtui {

class CheckBoxView : public QCheckBox {
  Q_OBJECT

 public:
  CheckBoxView(forms::CheckBox& model, QWidget* parent);
};

}  // namespace qtui
