// The activity lamp: a row of three round red lamps in a dark strip.
//
// The panel draws the row dark; each of the three frames is the whole row with one lamp alight.
// The frames are stretched by their views to the place of the lamps on the panel, so each
// frame is drawn as the stretched picture will look: the lamps come out round and exactly over
// the dark ones of the panel.
#pragma once

#include <QPixmap>
#include <QRectF>
#include <QSize>

class QPainter;

namespace app::art {

// Draws the row into rect, with lamp `lit` (1, 2 or 3) alight; 0 leaves all three dark.
void DrawLampRow(QPainter& painter, const QRectF& rect, int lit);

// Frame `lit` of the lamp, width x height pixels, for showing stretched to `shownSize`.
QPixmap LampFramePicture(int lit, int width, int height, QSize shownSize);

}  // namespace app::art
