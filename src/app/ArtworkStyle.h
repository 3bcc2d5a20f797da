// The look shared by the program's pictures: the colours of the panel, the fonts, and the
// faces of the keys drawn on it (raised, or pressed in).
#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRectF>
#include <QString>

class QPainter;

namespace app::art {

// The panel's body, the text engraved on it, and the keys' printing.
inline const QColor kBodyTop{0x45, 0x53, 0x63};
inline const QColor kBodyBottom{0x24, 0x2d, 0x38};
inline const QColor kEngraving{0xc9, 0xd3, 0xde};
inline const QColor kKeyPrint{0x24, 0x2e, 0x39};
// The dark strip the lamps stand in.
inline const QColor kLampStrip{0x11, 0x15, 0x1b};
// The phosphor of the terminal window.
inline const QColor kPhosphor{0x8d, 0xf0, 0xa8};

// A picture of the given size, fully transparent, to draw on.
QPixmap BlankPicture(int width, int height);

// A sans-serif font of the given pixel size ("Liberation Sans", with the letter widths of Arial).
QFont SansFont(qreal pixelSize, bool bold = true);
// The serif face of the product name.
QFont SerifFont(qreal pixelSize);

// How a key stands: raised (light face, shadow beneath), pressed in (darker face, shadow
// inside along its top edge), or pressed in and lit from within (a dark face around a light).
enum class KeyState { kRaised, kPressed, kLit };

void DrawKeyFace(QPainter& painter, const QRectF& rect, qreal radius, KeyState state);

// Text printed on the panel's body: light letters over a one-pixel dark shadow.
void DrawEngraved(QPainter& painter, const QRectF& rect, const QString& text, const QFont& font, int flags);

// A soft round glow of the colour around centre, fading to nothing at radius.
void DrawGlow(QPainter& painter, const QPointF& centre, qreal radius, const QColor& colour);

}  // namespace app::art
