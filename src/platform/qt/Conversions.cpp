#include "platform/qt/Conversions.h"

#include <cmath>

namespace qtui {

int ToPixels(int twips) { return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel)); }

QRect ToPixels(const forms::Rect& twips) {
  return {ToPixels(twips.left), ToPixels(twips.top), ToPixels(twips.width), ToPixels(twips.height)};
}

int ToTwips(int pixels) { return pixels * kTwipsPerPixel; }

QFont ToQFont(const forms::Font& font) {
  QString family = QString::fromStdString(font.name);
  if (family.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0 ||
      family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0) {
    family = QStringLiteral("Liberation Sans");
  }
  QFont result(family);
  result.setPointSizeF(font.points);
  result.setBold(font.bold);
  return result;
}

bool CursorFor(int mousePointer, Qt::CursorShape& shape) {
  switch (mousePointer) {
    case 1: shape = Qt::ArrowCursor; return true;
    case 2: shape = Qt::CrossCursor; return true;
    case 3: shape = Qt::IBeamCursor; return true;
    case 5: case 15: shape = Qt::SizeAllCursor; return true;
    case 6: shape = Qt::SizeBDiagCursor; return true;
    case 7: shape = Qt::SizeVerCursor; return true;
    case 8: shape = Qt::SizeFDiagCursor; return true;
    case 9: shape = Qt::SizeHorCursor; return true;
    case 10: shape = Qt::UpArrowCursor; return true;
    case forms::kHourglassPointer: shape = Qt::WaitCursor; return true;
    case 12: shape = Qt::ForbiddenCursor; return true;
    case 13: shape = Qt::BusyCursor; return true;
    case 14: case 99: shape = Qt::WhatsThisCursor; return true;
    default: return false;
  }
}

int ButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return forms::kLeftButton;
    case Qt::RightButton: return forms::kRightButton;
    case Qt::MiddleButton: return forms::kMiddleButton;
    default: return 0;
  }
}

int ShiftState(Qt::KeyboardModifiers modifiers) {
  int state = 0;
  if (modifiers & Qt::ShiftModifier) state |= 1;
  if (modifiers & Qt::ControlModifier) state |= 2;
  if (modifiers & Qt::AltModifier) state |= 4;
  return state;
}

QString ToQString(const std::string& text) {
  QString result = QString::fromStdString(text);
  if (result.contains(QLatin1Char('\r'))) {
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  }
  return result;
}

}  // namespace qtui
