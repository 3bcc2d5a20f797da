#include "app/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include "app/ArtworkStyle.h"

namespace app::art {

namespace {
// Saves the painter, switches on smoothing and restores it at the end of the scope.
class SmoothPainting {
 public:
  explicit SmoothPainting(QPainter& painter) : painter_(painter) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing);
  }
  ~SmoothPainting() { painter_.restore(); }
  SmoothPainting(const SmoothPainting&) = delete;
  SmoothPainting& operator=(const SmoothPainting&) = delete;

 private:
  QPainter& painter_;
};

QPen Stroke(const QColor& colour, qreal width) { return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }
}  // namespace

void DrawPlayGlyph(QPainter& painter, const QRectF& box, const QColor& colour) {
  SmoothPainting smooth(painter);
  const qreal s = box.width();
  QPolygonF triangle;
  triangle << box.topLeft() + QPointF(s * 0.22, s * 0.12) << box.topLeft() + QPointF(s * 0.88, s * 0.5)
           << box.topLeft() + QPointF(s * 0.22, s * 0.88);
  painter.setPen(Stroke(colour.darker(140), 1.0));
  painter.setBrush(colour);
  painter.drawPolygon(triangle);
}

void DrawStopGlyph(QPainter& painter, const QRectF& box, const QColor& colour) {
  SmoothPainting smooth(painter);
  const qreal inset = box.width() * 0.16;
  painter.setPen(Stroke(colour.darker(140), 1.0));
  painter.setBrush(colour);
  painter.drawRoundedRect(box.adjusted(inset, inset, -inset, -inset), 2.5, 2.5);
}

void DrawPowerGlyph(QPainter& painter, const QRectF& box, const QColor& colour) {
  SmoothPainting smooth(painter);
  const qreal s = box.width();
  painter.setPen(Stroke(colour, s * 0.13));
  painter.setBrush(Qt::NoBrush);
  const QRectF ring = box.adjusted(s * 0.14, s * 0.18, -s * 0.14, -s * 0.10);
  // The ring is open at the top, where the bar stands.
  painter.drawArc(ring, 125 * 16, -250 * 16);
  painter.drawLine(QPointF(box.center().x(), box.top() + s * 0.06), QPointF(box.center().x(), box.top() + s * 0.5));
}

void DrawGlobeGlyph(QPainter& painter, const QRectF& box, const QColor& colour) {
  SmoothPainting smooth(painter);
  const qreal s = box.width();
  const QRectF ball = box.adjusted(s * 0.08, s * 0.08, -s * 0.08, -s * 0.08);
  painter.setPen(Stroke(colour.darker(130), 1.2));
  painter.setBrush(colour.lighter(185));
  painter.drawEllipse(ball);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(Stroke(colour, 1.1));
  painter.drawEllipse(ball.adjusted(ball.width() * 0.28, 0, -ball.width() * 0.28, 0));
  painter.drawLine(QPointF(ball.left(), ball.center().y()), QPointF(ball.right(), ball.center().y()));
  painter.drawLine(QPointF(ball.center().x(), ball.top()), QPointF(ball.center().x(), ball.bottom()));
  const qreal dy = ball.height() * 0.26;
  const qreal dx = ball.width() * 0.07;
  painter.drawLine(QPointF(ball.left() + dx, ball.center().y() - dy), QPointF(ball.right() - dx, ball.center().y() - dy));
  painter.drawLine(QPointF(ball.left() + dx, ball.center().y() + dy), QPointF(ball.right() - dx, ball.center().y() + dy));
}

void DrawPageGlyph(QPainter& painter, const QRectF& box, const QColor& colour) {
  SmoothPainting smooth(painter);
  const qreal s = box.width();
  const qreal left = box.left() + s * 0.18;
  const qreal right = box.right() - s * 0.18;
  const qreal top = box.top() + s * 0.06;
  const qreal bottom = box.bottom() - s * 0.06;
  const qreal fold = s * 0.24;
  QPolygonF page;
  page << QPointF(left, top) << QPointF(right - fold, top) << QPointF(right, top + fold) << QPointF(right, bottom)
       << QPointF(left, bottom);
  painter.setPen(Stroke(colour.darker(150), 1.1));
  painter.setBrush(QColor(0xfb, 0xfc, 0xfd));
  painter.drawPolygon(page);
  painter.drawPolyline(QPolygonF() << QPointF(right - fold, top) << QPointF(right - fold, top + fold)
                                   << QPointF(right, top + fold));
  painter.setPen(Stroke(colour, 1.2));
  for (int line = 0; line < 4; ++line) {
    const qreal y = top + fold + s * 0.1 + line * s * 0.13;
    painter.drawLine(QPointF(left + s * 0.1, y), QPointF(right - s * (line == 3 ? 0.25 : 0.1), y));
  }
}

void DrawFolderGlyph(QPainter& painter, const QRectF& box, const QColor& colour) {
  SmoothPainting smooth(painter);
  const qreal s = box.width();
  const QRectF back(box.left() + s * 0.06, box.top() + s * 0.2, s * 0.88, s * 0.64);
  QPainterPath tab;
  tab.addRoundedRect(QRectF(back.left(), back.top() - s * 0.1, s * 0.38, s * 0.2), 2, 2);
  painter.setPen(Stroke(colour.darker(150), 1.0));
  painter.setBrush(colour.darker(115));
  painter.drawPath(tab);
  painter.drawRoundedRect(back, 2, 2);
  QPolygonF front;
  front << QPointF(back.left() + s * 0.1, back.top() + s * 0.18) << QPointF(back.right() + s * 0.02, back.top() + s * 0.18)
        << QPointF(back.right() - s * 0.06, back.bottom()) << QPointF(back.left(), back.bottom());
  painter.setBrush(colour);
  painter.drawPolygon(front);
}

void DrawInfoGlyph(QPainter& painter, const QRectF& box, const QColor& colour) {
  SmoothPainting smooth(painter);
  const qreal s = box.width();
  const QRectF disc = box.adjusted(s * 0.06, s * 0.06, -s * 0.06, -s * 0.06);
  painter.setPen(Stroke(colour.darker(140), 1.0));
  painter.setBrush(colour);
  painter.drawEllipse(disc);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  const qreal x = disc.center().x();
  painter.drawEllipse(QPointF(x, disc.top() + s * 0.25), s * 0.075, s * 0.075);
  painter.drawRoundedRect(QRectF(x - s * 0.07, disc.top() + s * 0.38, s * 0.14, s * 0.38), 1, 1);
}

void DrawGearGlyph(QPainter& painter, const QRectF& box, const QColor& colour) {
  SmoothPainting smooth(painter);
  const qreal s = box.width();
  const QPointF centre = box.center();
  QPainterPath gear;
  gear.addEllipse(centre, s * 0.32, s * 0.32);
  constexpr int kTeeth = 8;
  for (int tooth = 0; tooth < kTeeth; ++tooth) {
    QPainterPath one;
    one.addRoundedRect(QRectF(-s * 0.08, -s * 0.47, s * 0.16, s * 0.2), 1, 1);
    QTransform turn;
    turn.translate(centre.x(), centre.y());
    turn.rotate(tooth * 360.0 / kTeeth);
    gear = gear.united(turn.map(one));
  }
  QPainterPath hole;
  hole.addEllipse(centre, s * 0.13, s * 0.13);
  painter.setPen(Stroke(colour.darker(150), 1.0));
  painter.setBrush(colour);
  painter.drawPath(gear.subtracted(hole));
}

void DrawDiskGlyph(QPainter& painter, const QRectF& box, const QColor& colour) {
  SmoothPainting smooth(painter);
  const qreal s = box.width();
  const QRectF disk = box.adjusted(s * 0.1, s * 0.1, -s * 0.1, -s * 0.1);
  QPolygonF shell;
  shell << disk.topLeft() << QPointF(disk.right() - s * 0.14, disk.top()) << QPointF(disk.right(), disk.top() + s * 0.14)
        << disk.bottomRight() << disk.bottomLeft();
  painter.setPen(Stroke(colour.darker(150), 1.0));
  painter.setBrush(colour);
  painter.drawPolygon(shell);
  // The shutter at the top and the label below.
  painter.setBrush(QColor(0xd8, 0xde, 0xe4));
  painter.drawRect(QRectF(disk.left() + s * 0.2, disk.top(), s * 0.4, s * 0.26));
  painter.setBrush(colour.darker(160));
  painter.drawRect(QRectF(disk.left() + s * 0.44, disk.top() + s * 0.04, s * 0.1, s * 0.18));
  painter.setBrush(QColor(0xfb, 0xfc, 0xfd));
  painter.drawRoundedRect(QRectF(disk.left() + s * 0.14, disk.top() + s * 0.42, disk.width() - s * 0.28, s * 0.36), 1, 1);
}

void DrawBackGlyph(QPainter& painter, const QRectF& box, const QColor& colour) {
  SmoothPainting smooth(painter);
  const qreal s = box.width();
  QPainterPath arrow;
  arrow.moveTo(box.left() + s * 0.08, box.top() + s * 0.42);
  arrow.lineTo(box.left() + s * 0.42, box.top() + s * 0.1);
  arrow.lineTo(box.left() + s * 0.42, box.top() + s * 0.28);
  arrow.cubicTo(box.left() + s * 0.8, box.top() + s * 0.28, box.left() + s * 0.98, box.top() + s * 0.5,
                box.left() + s * 0.84, box.top() + s * 0.92);
  arrow.cubicTo(box.left() + s * 0.76, box.top() + s * 0.66, box.left() + s * 0.62, box.top() + s * 0.56,
                box.left() + s * 0.42, box.top() + s * 0.56);
  arrow.lineTo(box.left() + s * 0.42, box.top() + s * 0.74);
  arrow.closeSubpath();
  painter.setPen(Stroke(colour.darker(150), 1.0));
  painter.setBrush(colour);
  painter.drawPath(arrow);
}

}  // namespace app::art
