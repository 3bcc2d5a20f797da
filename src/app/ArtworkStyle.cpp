#include "app/ArtworkStyle.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace app::art {

QPixmap BlankPicture(int width, int height) {
  QPixmap picture(width, height);
  picture.fill(Qt::transparent);
  return picture;
}

QFont SansFont(qreal pixelSize, bool bold) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(static_cast<int>(pixelSize + 0.5));
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

QFont SerifFont(qreal pixelSize) {
  QFont font(QStringLiteral("Liberation Serif"));
  font.setPixelSize(static_cast<int>(pixelSize + 0.5));
  font.setBold(true);
  font.setItalic(true);
  return font;
}

void DrawKeyFace(QPainter& painter, const QRectF& rect, qreal radius, KeyState state) {
  const bool pressed = state != KeyState::kRaised;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF face = rect.adjusted(0.5, 0.5, -0.5, -1.5);
  if (!pressed) {
    // The shadow the raised key casts on the body.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawRoundedRect(face.translated(0, 1.5), radius, radius);
  }
  QLinearGradient fill(face.topLeft(), face.bottomLeft());
  if (state == KeyState::kLit) {
    fill.setColorAt(0.0, QColor(0x1b, 0x21, 0x28));
    fill.setColorAt(1.0, QColor(0x33, 0x3c, 0x47));
  } else if (pressed) {
    fill.setColorAt(0.0, QColor(0x93, 0x9e, 0xab));
    fill.setColorAt(1.0, QColor(0xcc, 0xd3, 0xdb));
  } else {
    fill.setColorAt(0.0, QColor(0xf6, 0xf8, 0xfa));
    fill.setColorAt(0.55, QColor(0xdc, 0xe2, 0xe8));
    fill.setColorAt(1.0, QColor(0xb3, 0xbd, 0xc8));
  }
  painter.setPen(QPen(QColor(0x15, 0x1b, 0x22), 1.0));
  painter.setBrush(fill);
  painter.drawRoundedRect(face, radius, radius);
  if (pressed) {
    // Pushed in: the rim's shadow falls on the upper part of the face.
    QLinearGradient shade(face.topLeft(), face.topLeft() + QPointF(0, 7));
    shade.setColorAt(0.0, QColor(0, 0, 0, 95));
    shade.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawRoundedRect(face.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
  } else {
    painter.setPen(QPen(QColor(255, 255, 255, 150), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(face.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
  }
  painter.restore();
}

void DrawEngraved(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font, int flags) {
  painter.save();
  painter.setFont(font);
  painter.setPen(QColor(0, 0, 0, 150));
  painter.drawText(rect.translated(0, 1), flags, text);
  painter.setPen(kEngraving);
  painter.drawText(rect, flags, text);
  painter.restore();
}

void DrawGlow(QPainter& painter, const QPointF& centre, qreal radius, const QColor& colour) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  QRadialGradient glow(centre, radius);
  QColor inner = colour;
  inner.setAlpha(150);
  QColor outer = colour;
  outer.setAlpha(0);
  glow.setColorAt(0.0, inner);
  glow.setColorAt(1.0, outer);
  painter.setPen(Qt::NoPen);
  painter.setBrush(glow);
  painter.drawEllipse(centre, radius, radius);
  painter.restore();
}

}  // namespace app::art
