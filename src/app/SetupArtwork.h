// The setup window's pictures: the modem tab's panel (488 x 301 pixels) with its Save and Back
// keys drawn raised, the two keys pressed (64 x 54 and 66 x 57), and the tab's small modem
// icon (32 x 32).
#pragma once

#include <QPixmap>

namespace app::art {

QPixmap ModemPanelPicture();
QPixmap ModemIconPicture();

}  // namespace app::art
