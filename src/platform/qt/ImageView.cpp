#include "platform/qt/ImageView.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/ControlBinding.h"
#include "platform/qt/Conversions.h"

namespace qtui {

namespace {
// Calls a mouse handler with the event's button, shift state and position in twips.
void Deliver(const forms::MouseHandler& handler, QMouseEvent* event) {
  if (!handler) return;
  const QPointF at = event->position();
  handler(ButtonCode(event->button()), ShiftState(event->modifiers()), static_cast<float>(at.x() * kTwipsPerPixel),
          static_cast<float>(at.y() * kTwipsPerPixel));
}
}  // namespace

ImageView::ImageView(forms::Image& model, const ArtworkProvider& artwork, QWidget* parent)
    : QWidget(parent), model_(model) {
  BindCommon(model, this);
  if (!model.picture.empty() && artwork) picture_ = artwork(model.picture);
}

void ImageView::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  if (model_.stretch) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture_);
  } else {
    painter.drawPixmap(0, 0, picture_);
  }
}

void ImageView::mousePressEvent(QMouseEvent* event) {
  if (!model_.MouseDown && !model_.MouseUp) {
    event->ignore();
    return;
  }
  event->accept();
  Deliver(model_.MouseDown, event);
}

void ImageView::mouseReleaseEvent(QMouseEvent* event) {
  if (!model_.MouseDown && !model_.MouseUp) {
    event->ignore();
    return;
  }
  event->accept();
  Deliver(model_.MouseUp, event);
}

}  // namespace qtui
