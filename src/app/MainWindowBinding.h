// The main window's Qt window: every control of Form1 bound to its view, stacked as the panel
// needs it.
//
// Controls are added in the order Form1 declares them (Frame1 before the labels standing in
// it). Then each hot spot is put directly above its pressed picture, so a shown picture never
// takes a press meant for its hot spot; Image5 above the lamp frames; the panel picture Image1
// below everything. The labels standing on the panel's terminal window (Label1, Label2,
// Label10 and the "?" Label13) are printed in the terminal's colour, the "?" centred on its
// key. The serial port, the file dialog and the timers have no view.
#pragma once

#include <memory>

#include "common/Form1.h"
#include "platform/qt/ImageView.h"
#include "platform/qt/QtWindowView.h"

namespace app {

std::unique_ptr<qtui::QtWindowView> BindMainWindow(pager::Form1& form, const qtui::ArtworkProvider& artwork);

}  // namespace app
