// The main window's panel picture (466 x 307 pixels): the body with every key drawn raised,
// the dark lamp strip, the terminal window and the product's name.
#pragma once

#include <QPixmap>

namespace app::art {

QPixmap PanelPicture();

}  // namespace app::art
