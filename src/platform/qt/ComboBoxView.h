// The view of a combo box: an editable drop-down list.
//
// The list is the model's list, rebuilt whenever the model's list changes, which leaves the
// shown text as it is. The shown text follows the model's Text, and the operator's typing or
// choice from the list is written to Text at once. Typing completes nothing, and Enter takes
// an item of the list only on an exact match, case included, so what the operator typed is
// what the model gets. Nothing the operator types is added to the list. The model must
// outlive the view.
#pragma once

#include <QComboBox>

#include "platform/forms/Controls.h"

namespace qtui {

class ComboBoxView : public QComboBox {
  Q_OBJECT

 public:
  ComboBoxView(forms::ComboBox& model, QWidget* parent);

 private:
  void FillList();
  void ShowText();

  forms::ComboBox& model_;
};

}  // namespace qtui
