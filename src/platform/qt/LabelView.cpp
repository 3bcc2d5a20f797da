#include "platform/qt/LabelView.h"

#include <QMouseEvent>

#include "platform/qt/ControlBinding.h"
#include "platform/qt/Conversions.h"

namespace qtui {

namespace {
Qt::Alignment AlignmentOf(forms::Label::Align align) {
  switch (align) {
    case forms::Label::Align::kCenter: return Qt::AlignHCenter | Qt::AlignTop;
    case forms::Label::Align::kRight: return Qt::AlignRight | Qt::AlignTop;
    case forms::Label::Align::kLeft: break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}
}  // namespace

LabelView::LabelView(forms::Label& model, QWidget* parent) : QLabel(parent), model_(model) {
  BindCommon(model, this);
  setTextFormat(Qt::PlainText);
  setFont(ToQFont(model.font));
  setAlignment(AlignmentOf(model.alignment));
  // A fixed-size label breaks its caption into lines at word boundaries; a label sized to
  // its text takes one line per line of the caption.
  setWordWrap(!model.autoSize);
  // A transparent label lets what lies beneath show around its letters.
  setAutoFillBackground(!model.transparent);
  Qt::CursorShape shape;
  if (CursorFor(model.mousePointer, shape)) setCursor(shape);
  ShowCaption();
  Watch(model.Caption, this, [](LabelView* view) { view->ShowCaption(); });
}

void LabelView::ShowCaption() {
  setText(ToQString(model_.Caption));
  if (!model_.autoSize) return;
  adjustSize();
  forms::Rect place = model_.Position();
  place.width = ToTwips(width());
  place.height = ToTwips(height());
  model_.SetPosition(place);
}

void LabelView::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void LabelView::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (click && model_.Click) model_.Click();
}

}  // namespace qtui
