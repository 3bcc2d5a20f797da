#include "app/LampArtwork.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

#include "app/ArtworkStyle.h"

namespace app::art {

namespace {
constexpr int kLamps = 3;

void DrawLamp(QPainter& painter, const QPointF& centre, qreal radius, bool lit) {
  if (lit) DrawGlow(painter, centre, radius * 1.7, QColor(0xff, 0x40, 0x28));
  QRadialGradient body(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.3);
  if (lit) {
    body.setColorAt(0.0, QColor(0xff, 0xf0, 0xe0));
    body.setColorAt(0.35, QColor(0xff, 0x4a, 0x32));
    body.setColorAt(1.0, QColor(0xa8, 0x0c, 0x08));
  } else {
    body.setColorAt(0.0, QColor(0x6a, 0x22, 0x22));
    body.setColorAt(1.0, QColor(0x2a, 0x08, 0x08));
  }
  painter.setPen(QPen(QColor(0x08, 0x09, 0x0b), 1.0));
  painter.setBrush(body);
  painter.drawEllipse(centre, radius, radius);
  // The glass catches the light at its upper left.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, lit ? 170 : 60));
  painter.drawEllipse(centre + QPointF(-radius * 0.32, -radius * 0.4), radius * 0.32, radius * 0.2);
}
}  // namespace

void DrawLampRow(QPainter& painter, const QRectF& rect, int lit) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kLampStrip);
  painter.drawRect(rect);
  const qreal radius = std::min(rect.height() * 0.36, rect.width() / (kLamps * 2.0) - 2);
  for (int lamp = 1; lamp <= kLamps; ++lamp) {
    const QPointF centre(rect.left() + rect.width() * (2 * lamp - 1) / (2.0 * kLamps), rect.center().y());
    DrawLamp(painter, centre, radius, lamp == lit);
  }
  painter.restore();
}

QPixmap LampFramePicture(int lit, int width, int height, QSize shownSize) {
  QPixmap picture = BlankPicture(width, height);
  QPainter painter(&picture);
  // Drawn in the shown size's pixels, then squeezed into the picture's: the view's stretch
  // undoes the squeeze.
  painter.scale(static_cast<qreal>(width) / shownSize.width(), static_cast<qreal>(height) / shownSize.height());
  DrawLampRow(painter, QRectF(QPointF(0, 0), QSizeF(shownSize)), lit);
  return picture;
}

}  // namespace app::art
