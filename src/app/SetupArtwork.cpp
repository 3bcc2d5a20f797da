#include "app/SetupArtwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

#include "app/ArtworkStyle.h"
#include "app/KeyArtwork.h"
#include "app/PanelLayout.h"

namespace app::art {

namespace {
using modem_panel::kDesign;
using modem_panel::Pixels;

// A desktop modem seen from the front, filling box: a light top, a dark front with its lamps.
void DrawModem(QPainter& painter, const QRectF& box) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal w = box.width();
  const qreal h = box.height();
  const qreal topDepth = h * 0.3;
  QPolygonF top;
  top << QPointF(box.left() + w * 0.05, box.top()) << QPointF(box.right() - w * 0.05, box.top())
      << QPointF(box.right(), box.top() + topDepth) << QPointF(box.left(), box.top() + topDepth);
  QLinearGradient lid(box.topLeft(), box.topLeft() + QPointF(0, topDepth));
  lid.setColorAt(0.0, QColor(0x8c, 0x97, 0xa3));
  lid.setColorAt(1.0, QColor(0x5d, 0x68, 0x74));
  painter.setPen(QPen(QColor(0x1d, 0x23, 0x2a), 1.0));
  painter.setBrush(lid);
  painter.drawPolygon(top);
  const QRectF front(box.left(), box.top() + topDepth, w, h - topDepth);
  QLinearGradient face(front.topLeft(), front.bottomLeft());
  face.setColorAt(0.0, QColor(0x3a, 0x43, 0x4e));
  face.setColorAt(1.0, QColor(0x22, 0x28, 0x30));
  painter.setBrush(face);
  painter.drawRoundedRect(front, h * 0.06, h * 0.06);
  // The lamps along the front: the line's state, some of them lit.
  constexpr int kLamps = 6;
  const bool lit[kLamps] = {true, true, false, true, false, true};
  const qreal radius = std::max(1.2, h * 0.07);
  for (int lamp = 0; lamp < kLamps; ++lamp) {
    const QPointF centre(front.left() + w * (0.42 + lamp * 0.095), front.center().y());
    if (lit[lamp]) DrawGlow(painter, centre, radius * 3, QColor(0x50, 0xff, 0x70));
    painter.setPen(QPen(QColor(0x0c, 0x10, 0x0e), 0.8));
    painter.setBrush(lit[lamp] ? QColor(0x7c, 0xff, 0x95) : QColor(0x2d, 0x46, 0x34));
    painter.drawEllipse(centre, radius, radius);
  }
  painter.restore();
}

void DrawBackground(QPainter& painter, const QRect& area) {
  QLinearGradient wash(area.topLeft(), area.bottomRight());
  wash.setColorAt(0.0, QColor(0xf4, 0xf7, 0xfa));
  wash.setColorAt(1.0, QColor(0xd6, 0xdf, 0xe8));
  painter.fillRect(area, wash);
  painter.setPen(QColor(0xb4, 0xbf, 0xcb));
  painter.drawRect(area.adjusted(0, 0, -1, -1));
}

// The card the labels and entries stand on.
void DrawEntryCard(QPainter& painter) {
  const QRect last = Pixels(kDesign.lastEntry);
  const QRectF card(8, 6, Pixels(kDesign.saveKey).left() - 22, last.bottom() + 10 - 6);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0xc3, 0xcd, 0xd8), 1.0));
  painter.setBrush(QColor(255, 255, 255, 150));
  painter.drawRoundedRect(card, 8, 8);
  painter.restore();
}

void DrawLineNote(QPainter& painter) {
  const QRect save = Pixels(kDesign.saveKey);
  const QRect icon = Pixels(kDesign.icon);
  const qreal left = save.left();
  const qreal width = modem_panel::kWidth - 10 - left;
  painter.setFont(SansFont(15));
  painter.setPen(QColor(0x1f, 0x4a, 0x7a));
  painter.drawText(QRectF(left, icon.top(), icon.left() - 6 - left, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Modem line"));
  painter.setFont(SansFont(11, false));
  painter.setPen(QColor(0x4a, 0x56, 0x63));
  // Below the icon, which lies over the picture's upper right corner.
  painter.drawText(QRectF(left, icon.bottom() + 4, width, 60), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("7 data bits, even parity,\n1 stop bit.\nPort N is the file comN\nin the program folder."));
  DrawModem(painter, QRectF(left + 4, icon.bottom() + 70, width - 8, 40));
}
}  // namespace

QPixmap ModemPanelPicture() {
  QPixmap picture(modem_panel::kWidth, modem_panel::kHeight);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::TextAntialiasing);
  DrawBackground(painter, picture.rect());
  DrawEntryCard(painter);
  DrawLineNote(painter);
  DrawKey(painter, Key::kSave, Pixels(kDesign.saveKey), false);
  DrawKey(painter, Key::kBack, Pixels(kDesign.backKey), false);
  return picture;
}

QPixmap ModemIconPicture() {
  QPixmap picture = BlankPicture(32, 32);
  QPainter painter(&picture);
  DrawModem(painter, QRectF(1, 9, 30, 15));
  return picture;
}

}  // namespace app::art
