// Pictures of windows as they would show on screen, also on the offscreen platform: for
// checking the artwork and the layout without a display.
#pragma once

#include <QImage>
#include <QString>

class QWidget;

namespace qtui {

// Renders the widget and its children as they stand now.
QImage RenderWidget(QWidget& widget);
// Renders the widget into a PNG file; returns false when the file cannot be written.
bool SaveScreenshot(QWidget& widget, const QString& path);
// True when the picture holds more than one colour (a window that drew nothing is one colour).
bool HasDrawing(const QImage& image);

}  // namespace qtui
