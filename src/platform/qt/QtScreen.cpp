#include "platform/qt/QtScreen.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/qt/Conversions.h"

namespace qtui {

forms::Screen ScreenInTwips() {
  forms::Screen screen;
  if (const QScreen* primary = QGuiApplication::primaryScreen()) {
    const QRect area = primary->availableGeometry();
    screen.left = ToTwips(area.x());
    screen.top = ToTwips(area.y());
    screen.width = ToTwips(area.width());
    screen.height = ToTwips(area.height());
  }
  return screen;
}

}  // namespace qtui
