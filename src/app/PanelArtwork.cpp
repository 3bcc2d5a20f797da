#include "app/PanelArtwork.h"

#include <QLinearGradient>
#include <QPainter>

#include "app/ArtworkStyle.h"
#include "app/KeyArtwork.h"
#include "app/LampArtwork.h"
#include "app/PanelLayout.h"

namespace app::art {

namespace {
using panel::kDesign;
using panel::Pixels;

void DrawBody(QPainter& painter, const QRect& area) {
  QLinearGradient body(area.topLeft(), area.bottomLeft());
  body.setColorAt(0.0, kBodyTop);
  body.setColorAt(1.0, kBodyBottom);
  painter.fillRect(area, body);
  // A faint brushed grain.
  painter.setPen(QColor(255, 255, 255, 7));
  for (int y = area.top(); y <= area.bottom(); y += 2) painter.drawLine(area.left(), y, area.right(), y);
  // The edges: lit along the top and left, shaded along the bottom and right.
  painter.setPen(QColor(255, 255, 255, 60));
  painter.drawLine(area.topLeft(), area.topRight());
  painter.drawLine(area.topLeft(), area.bottomLeft());
  painter.setPen(QColor(0, 0, 0, 120));
  painter.drawLine(area.bottomLeft(), area.bottomRight());
  painter.drawLine(area.topRight(), area.bottomRight());
}

// A recess in the body: dark inside, its lower edge catching the light.
void DrawRecess(QPainter& painter, const QRectF& rect, qreal radius, const QColor& inside) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 45));
  painter.drawRoundedRect(rect.translated(0, 1), radius, radius);
  painter.setBrush(QColor(0x0b, 0x0e, 0x12));
  painter.drawRoundedRect(rect, radius, radius);
  painter.setBrush(inside);
  painter.drawRoundedRect(rect.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
  painter.restore();
}

void DrawLampStrip(QPainter& painter) {
  const QRect strip = Pixels(kDesign.lampStrip);
  DrawEngraved(painter, QRectF(strip.left() + 2, strip.top() - 15, strip.width(), 13), QStringLiteral("ACTIVITY"),
               SansFont(8.5), Qt::AlignLeft | Qt::AlignVCenter);
  DrawRecess(painter, QRectF(strip).adjusted(0, 0, 0, -2), 6, kLampStrip);
  DrawLampRow(painter, Pixels(kDesign.lamps), 0);
}

// The terminal window the modem's answers show on: a dark screen in a bezel, with the help
// key in its upper right corner.
void DrawTerminal(QPainter& painter) {
  const QRect text = Pixels(kDesign.terminalText);
  const QRect id = Pixels(kDesign.idValue);
  const QRectF screen(text.left() - 2, text.top() - 2, id.right() + 5 - (text.left() - 2), text.bottom() + 3 - (text.top() - 2));
  DrawRecess(painter, screen.adjusted(-6, -6, 6, 6), 8, QColor(0x1a, 0x1f, 0x26));
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient glass(screen.topLeft(), screen.bottomLeft());
  glass.setColorAt(0.0, QColor(0x07, 0x17, 0x0f));
  glass.setColorAt(1.0, QColor(0x03, 0x0c, 0x07));
  painter.setPen(QPen(QColor(0, 0, 0), 1.0));
  painter.setBrush(glass);
  painter.drawRoundedRect(screen, 4, 4);
  // Scan lines, and the sheen of the glass near its top.
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QColor(0x8d, 0xf0, 0xa8, 9));
  for (qreal y = screen.top() + 2; y < screen.bottom() - 1; y += 2) {
    painter.drawLine(QPointF(screen.left() + 2, y), QPointF(screen.right() - 2, y));
  }
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sheen(screen.topLeft(), screen.topLeft() + QPointF(0, screen.height() * 0.4));
  sheen.setColorAt(0.0, QColor(255, 255, 255, 22));
  sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
  painter.setPen(Qt::NoPen);
  painter.setBrush(sheen);
  painter.drawRoundedRect(screen.adjusted(2, 2, -2, -screen.height() * 0.6), 3, 3);
  // The help key.
  QColor edge = kPhosphor;
  edge.setAlpha(150);
  QColor fill = kPhosphor;
  fill.setAlpha(28);
  painter.setPen(QPen(edge, 1.2));
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(Pixels(kDesign.helpKey)).adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
  painter.restore();
}

void DrawName(QPainter& painter) {
  const QRect text = Pixels(kDesign.terminalText);
  const QRectF line(text.left() - 4, text.bottom() + 12, panel::kWidth - 8 - (text.left() - 4), 34);
  DrawEngraved(painter, line, QStringLiteral("Corvello '98"), SerifFont(23), Qt::AlignLeft | Qt::AlignVCenter);
  DrawEngraved(painter, line.adjusted(0, 4, 0, 0), QStringLiteral("INTRANET PAGING SERVER"), SansFont(9),
               Qt::AlignRight | Qt::AlignVCenter);
}
}  // namespace

QPixmap PanelPicture() {
  QPixmap picture(panel::kWidth, panel::kHeight);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::TextAntialiasing);
  DrawBody(painter, picture.rect());

  DrawKey(painter, Key::kStart, Pixels(kDesign.startKey), false);
  DrawKey(painter, Key::kStop, Pixels(kDesign.stopKey), false);
  DrawKey(painter, Key::kShutdown, Pixels(kDesign.shutKey), false);

  const QRect intranet = Pixels(kDesign.intranetKey);
  DrawEngraved(painter, QRectF(intranet.left() + 2, intranet.top() - 15, intranet.width(), 13),
               QStringLiteral("MESSAGE SOURCES"), SansFont(8.5), Qt::AlignLeft | Qt::AlignVCenter);
  DrawKey(painter, Key::kIntranet, intranet, false);
  DrawKey(painter, Key::kSubmissions, Pixels(kDesign.submitKey), false);
  DrawKey(painter, Key::kOtherFile, Pixels(kDesign.otherKey), false);
  DrawKey(painter, Key::kAbout, Pixels(kDesign.aboutKey), false);
  DrawKey(painter, Key::kSetup, Pixels(kDesign.setupKey), false);

  DrawLampStrip(painter);
  DrawTerminal(painter);
  DrawName(painter);
  return picture;
}

}  // namespace app::art
