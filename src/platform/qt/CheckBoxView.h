// The view of a check box: its caption and its check mark, both ways.
//
// The model's Value 0 shows no mark, 2 the partly checked mark, and any other value the check
// mark. The operator's click checks a box that shows no mark or the partly checked one, and
// clears a checked one; it writes 1 or 0 (the third state is only ever set by the program).
// The caption breaks into lines at word boundaries within the control's place, as a label's
// does, so a two-line control shows a long caption whole. The model must outlive the view.
#pragma once

#include <QCheckBox>

#include "platform/forms/Controls.h"

namespace qtui {

class CheckBoxView : public QCheckBox {
  Q_OBJECT

 public:
  CheckBoxView(forms::CheckBox& model, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  // The whole control takes the click, the caption's lines included.
  bool hitButton(const QPoint& pos) const override;
  void nextCheckState() override;

 private:
  void ShowValue();

  forms::CheckBox& model_;
};

}  // namespace qtui
