#include "app/SplashArtwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include "app/ArtworkStyle.h"

namespace app::art {

namespace {
constexpr int kWidth = 404;
constexpr int kHeight = 167;

void DrawSky(QPainter& painter) {
  QLinearGradient sky(0, 0, kWidth, kHeight);
  sky.setColorAt(0.0, QColor(0x0c, 0x21, 0x3d));
  sky.setColorAt(1.0, QColor(0x1d, 0x57, 0x8c));
  painter.fillRect(QRect(0, 0, kWidth, kHeight), sky);
  // A faint light behind the pager.
  QRadialGradient light(QPointF(80, 90), 120);
  light.setColorAt(0.0, QColor(0x6f, 0xb6, 0xff, 60));
  light.setColorAt(1.0, QColor(0x6f, 0xb6, 0xff, 0));
  painter.fillRect(QRect(0, 0, kWidth, kHeight), light);
}

// Waves going out from the pager's aerial.
void DrawWaves(QPainter& painter, const QPointF& aerial) {
  painter.setBrush(Qt::NoBrush);
  for (int wave = 0; wave < 3; ++wave) {
    const qreal radius = 11 + wave * 9;
    painter.setPen(QPen(QColor(0xa8, 0xd8, 0xff, 190 - wave * 55), 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(aerial.x() - radius, aerial.y() - radius, 2 * radius, 2 * radius), 10 * 16, 70 * 16);
  }
}

void DrawPager(QPainter& painter) {
  const QRectF body(26, 34, 100, 108);
  // The aerial stub and the shadow on the ground.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 70));
  painter.drawRoundedRect(body.translated(4, 5), 16, 16);
  painter.setBrush(QColor(0x1b, 0x1e, 0x23));
  painter.drawRoundedRect(QRectF(body.right() - 24, body.top() - 9, 12, 14), 3, 3);

  QLinearGradient shell(body.topLeft(), body.bottomRight());
  shell.setColorAt(0.0, QColor(0x4a, 0x51, 0x5b));
  shell.setColorAt(0.5, QColor(0x2a, 0x2f, 0x36));
  shell.setColorAt(1.0, QColor(0x15, 0x18, 0x1c));
  painter.setPen(QPen(QColor(0x0b, 0x0c, 0x0e), 1.2));
  painter.setBrush(shell);
  painter.drawRoundedRect(body, 16, 16);
  painter.setPen(QPen(QColor(255, 255, 255, 50), 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(body.adjusted(2, 2, -2, -2), 14, 14);

  // The display, showing a page that has just come in.
  const QRectF display(body.left() + 10, body.top() + 16, body.width() - 20, 44);
  painter.setPen(QPen(QColor(0x0b, 0x0c, 0x0e), 1.5));
  painter.setBrush(QColor(0x10, 0x12, 0x15));
  painter.drawRoundedRect(display.adjusted(-3, -3, 3, 3), 5, 5);
  QLinearGradient glass(display.topLeft(), display.bottomLeft());
  glass.setColorAt(0.0, QColor(0xb9, 0xd6, 0x98));
  glass.setColorAt(1.0, QColor(0x8d, 0xb2, 0x6e));
  painter.setPen(Qt::NoPen);
  painter.setBrush(glass);
  painter.drawRoundedRect(display, 3, 3);
  QFont lcd(QStringLiteral("Liberation Mono"));
  lcd.setPixelSize(11);
  lcd.setBold(true);
  painter.setFont(lcd);
  painter.setPen(QColor(0x1d, 0x2b, 0x14));
  painter.drawText(display.adjusted(6, 4, -4, -22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("NEW PAGE"));
  painter.drawText(display.adjusted(6, 22, -4, -4), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("555-0100"));

  // The message lamp and the three keys.
  DrawGlow(painter, QPointF(body.left() + 14, body.top() + 8), 7, QColor(0xff, 0x45, 0x30));
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xff, 0x55, 0x40));
  painter.drawEllipse(QPointF(body.left() + 14, body.top() + 8), 2.6, 2.6);
  for (int key = 0; key < 3; ++key) {
    const QPointF centre(body.left() + 26 + key * 24, body.bottom() - 24);
    QRadialGradient cap(centre - QPointF(2, 2), 9);
    cap.setColorAt(0.0, QColor(0xe3, 0xe7, 0xec));
    cap.setColorAt(1.0, QColor(0x7d, 0x86, 0x90));
    painter.setPen(QPen(QColor(0x0b, 0x0c, 0x0e), 1.0));
    painter.setBrush(cap);
    painter.drawEllipse(centre, 7, 7);
  }
}

void DrawTitle(QPainter& painter) {
  const QRectF name(150, 26, 240, 52);
  painter.setFont(SerifFont(40));
  painter.setPen(QColor(0, 0, 0, 110));
  painter.drawText(name.translated(2, 2), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Corvello '98"));
  painter.setPen(Qt::white);
  painter.drawText(name, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Corvello '98"));

  painter.setFont(SansFont(16));
  painter.setPen(QColor(0x9f, 0xd0, 0xff));
  painter.drawText(QRectF(153, 80, 240, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Enterprise Edition"));

  QLinearGradient rule(153, 0, 390, 0);
  rule.setColorAt(0.0, QColor(0x9f, 0xd0, 0xff, 200));
  rule.setColorAt(1.0, QColor(0x9f, 0xd0, 0xff, 0));
  painter.fillRect(QRectF(153, 109, 237, 1.5), rule);

  painter.setFont(SansFont(12, false));
  painter.setPen(QColor(0xd2, 0xe3, 0xf3));
  painter.drawText(QRectF(153, 116, 240, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Intranet paging server"));
  painter.drawText(QRectF(153, 134, 240, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Web, file and scheduled pages by modem"));
}
}  // namespace

QPixmap SplashPicture() {
  QPixmap picture(kWidth, kHeight);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  DrawSky(painter);
  DrawWaves(painter, QPointF(114, 25));
  DrawPager(painter);
  DrawTitle(painter);
  return picture;
}

}  // namespace app::art
