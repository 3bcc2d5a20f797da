// The setup window's Qt window: the tab control and, on its three pages, the modem settings,
// the message-log grid with its buttons, and the own paging system's entries.
//
// On the modem tab the controls are stacked, bottom to top: the panel picture Image1, the
// labels and entries, the pressed pictures, and the hot areas Image2 (Save) and Image3 (Back)
// directly above their pictures. The hidden Save button and the data control have no view of
// their own (the grid shows what the data control reads).
#pragma once

#include <memory>

#include "platform/qt/ImageView.h"
#include "platform/qt/QtWindowView.h"
#include "setup/frmSetup.h"

namespace app {

std::unique_ptr<qtui::QtWindowView> BindSetupWindow(pager::frmSetup& form, const qtui::ArtworkProvider& artwork);

}  // namespace app
