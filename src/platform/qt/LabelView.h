// The view of a label: its caption in the design font and alignment, on a transparent
// background unless the model says otherwise.
//
// The caption follows the model. A label sized to its text grows or shrinks to each new
// caption and writes its new size back to the model's position. A click (left button pressed
// and released over the label) runs the model's Click. Mouse pointer 99 shows the help
// pointer over the label. The model must outlive the view.
#pragma once

#include <QLabel>

#include "platform/forms/Controls.h"

namespace qtui {

class LabelView : public QLabel {
  Q_OBJECT

 public:
  LabelView(forms::Label& model, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void ShowCaption();

  forms::Label& model_;
  bool pressed_ = false;
};

}  // namespace qtui
