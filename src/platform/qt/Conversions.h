// Conversions between the models' units and Qt's: twips and pixels, fonts, mouse pointers,
// mouse buttons and caption texts.
#pragma once

#include <QCursor>
#include <QFont>
#include <QRect>
#include <QString>
#include <Qt>
#include <string>

#include "platform/forms/Controls.h"

namespace qtui {

// 15 twips make one pixel.
inline constexpr int kTwipsPerPixel = 15;

// Twips to the nearest pixel.
int ToPixels(int twips);
QRect ToPixels(const forms::Rect& twips);
// Pixels to twips (exact).
int ToTwips(int pixels);

// The font for a model font. The design fonts "MS Sans Serif" and "Arial" become
// "Liberation Sans", whose letters have the same widths as Arial's; other names are kept.
// The size is in points as given.
QFont ToQFont(const forms::Font& font);

// The cursor for a mouse pointer code: 0 the default, 11 the hourglass, 99 the help pointer
// (the arrow with a question mark); the other standard codes map to the like Qt shapes.
// Returns false for 0 and for codes without a shape: the widget then keeps its parent's.
bool CursorFor(int mousePointer, Qt::CursorShape& shape);

// The button code handlers receive: 1 left, 2 right, 4 middle, 0 for any other.
int ButtonCode(Qt::MouseButton button);
// The shift-key state handlers receive: 1 Shift, 2 Ctrl, 4 Alt, added together.
int ShiftState(Qt::KeyboardModifiers modifiers);

// A model text for a widget: UTF-8, with CR LF and lone CR turned into line breaks.
QString ToQString(const std::string& text);

}  // namespace qtui
