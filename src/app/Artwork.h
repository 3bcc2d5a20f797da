// The program's pictures, all drawn in code, by the names the windows give them:
//   main window: "panel" (466 x 307), the pressed keys "start" (64 x 55), "stop" (63 x 55),
//     "shut" (62 x 55), "internet" (107 x 38), "submit" (102 x 36), "other" (103 x 36),
//     "about" (106 x 38), "setup" (104 x 48), and the lamp frames "lamp1" (189 x 29),
//     "lamp2" (189 x 27), "lamp3" (186 x 27);
//   splash window: "splash" (404 x 167);
//   setup window: "modem-panel" (488 x 301), the pressed keys "modem-save" (64 x 54) and
//     "modem-back" (66 x 57), and the tab's icon "modem-icon" (32 x 32).
// Each picture is drawn the first time it is asked for and kept for the rest of the run. An
// unknown name gives a null pixmap. Needs a QGuiApplication; GUI thread only.
#pragma once

#include <QPixmap>
#include <string>
#include <vector>

#include "platform/qt/ImageView.h"

namespace app {

QPixmap Artwork(const std::string& picture);

// Artwork as the window views take it.
qtui::ArtworkProvider ArtworkProvider();

// Every name Artwork draws.
std::vector<std::string> ArtworkNames();

}  // namespace app
