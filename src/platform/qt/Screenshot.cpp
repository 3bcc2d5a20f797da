#include "platform/qt/Screenshot.h"

#include <QPixmap>
#include <QWidget>

namespace qtui {

QImage RenderWidget(QWidget& widget) {
  widget.ensurePolished();
  return widget.grab().toImage();
}

bool SaveScreenshot(QWidget& widget, const QString& path) { return RenderWidget(widget).save(path, "PNG"); }

bool HasDrawing(const QImage& image) {
  if (image.isNull()) return false;
  const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb first = pixels.pixel(0, 0);
  for (int y = 0; y < pixels.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    for (int x = 0; x < pixels.width(); ++x) {
      if (line[x] != first) return true;
    }
  }
  return false;
}

}  // namespace qtui
