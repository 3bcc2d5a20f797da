// The small symbols printed on the panel's keys, each drawn to fill a square box in one colour.
#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace app::art {

void DrawPlayGlyph(QPainter& painter, const QRectF& box, const QColor& colour);    // Start
void DrawStopGlyph(QPainter& painter, const QRectF& box, const QColor& colour);    // Stop
void DrawPowerGlyph(QPainter& painter, const QRectF& box, const QColor& colour);   // Shutdown
void DrawGlobeGlyph(QPainter& painter, const QRectF& box, const QColor& colour);   // Intranet mode
void DrawPageGlyph(QPainter& painter, const QRectF& box, const QColor& colour);    // submissions file
void DrawFolderGlyph(QPainter& painter, const QRectF& box, const QColor& colour);  // Other File
void DrawInfoGlyph(QPainter& painter, const QRectF& box, const QColor& colour);    // About
void DrawGearGlyph(QPainter& painter, const QRectF& box, const QColor& colour);    // Setup
void DrawDiskGlyph(QPainter& painter, const QRectF& box, const QColor& colour);    // Save
void DrawBackGlyph(QPainter& painter, const QRectF& box, const QColor& colour);    // Back

}  // namespace app::art
