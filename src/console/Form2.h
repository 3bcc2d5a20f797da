// The splash window's controls, as one model: the framed artwork, the title line and the
// one-second timer that hands over to the main window. Positions in twips; Image1 and Label2
// stand inside Frame1.
//
// Timer1 is made switched on, as the window's design has it; the timer then counts from the
// making of the object. ServerApplication holds it off until the splash loads.
#pragma once

#include <cstdint>

#include "platform/forms/Controls.h"
#include "platform/forms/EventLoop.h"
#include "platform/forms/Window.h"

namespace pager {

class Form2 : public forms::Window {
 public:
  // The loop must outlive the window (Timer1 is registered with it).
  explicit Form2(forms::EventLoop& loop);

  // The window handle the help calls are owned by. The window layer has no native handle to
  // give; any fixed nonzero number serves, since only the help calls read it back.
  static constexpr std::int32_t kWindowHandle = 0x0002;
  std::int32_t hWnd() const { return kWindowHandle; }

  forms::Frame Frame1{"Frame1", {120, 0, 6495, 4095}};
  forms::Image Image1{"Image1", {120, 240, 6060, 2505}};
  forms::Label Label2{"Label2", {1080, 3360, 4410, 480}};
  forms::Timer Timer1;
};

}  // namespace pager
