// The keys of the main panel: the three large keys along the top (Start, Stop, Shutdown) and
// the five wide keys down the left (Intranet mode, submissions file, Other File, About, Setup);
// and the setup window's two large keys (Save, Back).
//
// A key is drawn into the rectangle of its pressed picture: the panel draws every key raised
// at those places, and each pressed picture is the same key pressed in (for Start, Stop,
// Shutdown and the Intranet mode also lit), so that showing the picture changes only the key.
// The key's body keeps a small margin inside the rectangle; the margin stays transparent.
#pragma once

#include <QPixmap>
#include <QRectF>

class QPainter;

namespace app::art {

enum class Key { kStart, kStop, kShutdown, kIntranet, kSubmissions, kOtherFile, kAbout, kSetup, kSave, kBack };

void DrawKey(QPainter& painter, Key key, const QRectF& rect, bool pressed);

// The pressed picture of a key, width x height pixels.
QPixmap PressedKeyPicture(Key key, int width, int height);

}  // namespace app::art
