// The screen the windows centre themselves on: the primary screen's available area (without
// panels and task bars), its place and size in twips. The default forms::Screen when there is
// no screen.
#pragma once

#include "platform/forms/Window.h"

namespace qtui {

forms::Screen ScreenInTwips();

}  // namespace qtui
