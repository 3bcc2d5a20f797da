// The splash window's Qt window: a frameless window with the framed picture and the title
// line of Form2.
#pragma once

#include <memory>

#include "console/Form2.h"
#include "platform/qt/ImageView.h"
#include "platform/qt/QtWindowView.h"

namespace app {

std::unique_ptr<qtui::QtWindowView> BindSplashWindow(pager::Form2& form, const qtui::ArtworkProvider& artwork);

}  // namespace app
