// The splash window's picture (404 x 167 pixels): a pager receiving a page beside the
// product's name.
#pragma once

#include <QPixmap>

namespace app::art {

QPixmap SplashPicture();

}  // namespace app::art
