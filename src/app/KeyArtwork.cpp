#include "app/KeyArtwork.h"

#include <QPainter>
#include <algorithm>

#include "app/ArtworkStyle.h"
#include "app/Glyphs.h"

namespace app::art {

namespace {
using GlyphPainter = void (*)(QPainter&, const QRectF&, const QColor&);

struct KeyPrint {
  const char* caption;
  GlyphPainter glyph;
  QColor colour;  // of the glyph, and of the light of a lit key
  bool lights;    // a pressed key lights up (the panel's lasting looks and the mode switch)
};

KeyPrint PrintOf(Key key) {
  switch (key) {
    case Key::kStart: return {"START", DrawPlayGlyph, QColor(0x25, 0xa5, 0x45), true};
    case Key::kStop: return {"STOP", DrawStopGlyph, QColor(0xcf, 0x36, 0x30), true};
    case Key::kShutdown: return {"SHUTDOWN", DrawPowerGlyph, QColor(0xd9, 0x86, 0x14), true};
    case Key::kIntranet: return {"Intranet", DrawGlobeGlyph, QColor(0x2c, 0x6c, 0xb4), true};
    case Key::kSubmissions: return {"Submissions", DrawPageGlyph, QColor(0x2c, 0x6c, 0xb4), false};
    case Key::kOtherFile: return {"Other File", DrawFolderGlyph, QColor(0xd8, 0xa0, 0x32), false};
    case Key::kAbout: return {"About", DrawInfoGlyph, QColor(0x2c, 0x6c, 0xb4), false};
    case Key::kSetup: return {"Setup", DrawGearGlyph, QColor(0x5a, 0x67, 0x74), false};
    case Key::kSave: return {"SAVE", DrawDiskGlyph, QColor(0x2c, 0x6c, 0xb4), false};
    case Key::kBack: return {"BACK", DrawBackGlyph, QColor(0x25, 0xa5, 0x45), false};
  }
  return {"", DrawStopGlyph, Qt::black, false};
}

bool IsLarge(Key key) {
  return key == Key::kStart || key == Key::kStop || key == Key::kShutdown || key == Key::kSave || key == Key::kBack;
}

// The light of a lit key: its own colour, brighter.
QColor LightOf(const KeyPrint& print) { return print.colour.lighter(150); }

// A large key: the glyph over its caption.
void DrawLargeKey(QPainter& painter, const KeyPrint& print, const QRectF& body, KeyState state) {
  const qreal shift = state == KeyState::kRaised ? 0.0 : 1.0;
  const qreal side = std::min(body.width(), body.height()) * 0.5;
  const QRectF glyph(body.center().x() - side / 2, body.top() + 6 + shift, side, side);
  QColor colour = print.colour;
  if (state == KeyState::kLit) {
    colour = LightOf(print);
    DrawGlow(painter, glyph.center(), side * 0.9, colour);
  }
  print.glyph(painter, glyph, colour);
  painter.setFont(SansFont(9));
  painter.setPen(state == KeyState::kLit ? colour : kKeyPrint);
  const QRectF caption(body.left(), body.bottom() - 17 + shift, body.width(), 14);
  painter.drawText(caption, Qt::AlignCenter, QString::fromLatin1(print.caption));
}

// A wide key: the glyph at the left, the caption beside it, and for the mode switch a small
// lamp at the right end.
void DrawWideKey(QPainter& painter, Key key, const KeyPrint& print, const QRectF& body, KeyState state) {
  const qreal shift = state == KeyState::kRaised ? 0.0 : 1.0;
  const bool lit = state == KeyState::kLit;
  const qreal side = std::min(body.height() * 0.62, 22.0);
  const QRectF glyph(body.left() + 7, body.center().y() - side / 2 + shift, side, side);
  print.glyph(painter, glyph, lit ? LightOf(print) : print.colour);
  qreal textRight = body.right() - 4;
  if (key == Key::kIntranet) {
    const QPointF lamp(body.right() - 9, body.center().y() + shift);
    if (lit) DrawGlow(painter, lamp, 8, QColor(0x40, 0xff, 0x70));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x10, 0x20, 0x14), 0.8));
    painter.setBrush(lit ? QColor(0x6c, 0xff, 0x8c) : QColor(0x2e, 0x4c, 0x36));
    painter.drawEllipse(lamp, 3.6, 3.6);
    painter.restore();
    textRight = lamp.x() - 6;
  }
  painter.setFont(SansFont(10));
  painter.setPen(lit ? QColor(0xe4, 0xea, 0xf0) : kKeyPrint);
  const QRectF caption(glyph.right() + 6, body.top() + shift, textRight - glyph.right() - 6, body.height());
  painter.drawText(caption, Qt::AlignVCenter | Qt::AlignLeft, QString::fromLatin1(print.caption));
}
}  // namespace

void DrawKey(QPainter& painter, Key key, const QRectF& rect, bool pressed) {
  const KeyPrint print = PrintOf(key);
  const bool large = IsLarge(key);
  const QRectF body = large ? rect.adjusted(1, 1, -1, -1) : rect.adjusted(1, 2, -1, -2);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const KeyState state = !pressed ? KeyState::kRaised : print.lights ? KeyState::kLit : KeyState::kPressed;
  DrawKeyFace(painter, body, large ? 7 : 6, state);
  if (large) {
    DrawLargeKey(painter, print, body, state);
  } else {
    DrawWideKey(painter, key, print, body, state);
  }
  painter.restore();
}

QPixmap PressedKeyPicture(Key key, int width, int height) {
  QPixmap picture = BlankPicture(width, height);
  QPainter painter(&picture);
  DrawKey(painter, key, QRectF(0, 0, width, height), true);
  return picture;
}

}  // namespace app::art
