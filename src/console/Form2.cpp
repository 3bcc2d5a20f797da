#include "console/Form2.h"

namespace pager {

namespace {
constexpr int kInnerWidth = 6705;
constexpr int kInnerHeight = 4185;
}  // namespace

Form2::Form2(forms::EventLoop& loop)
    : forms::Window("Form2", kInnerWidth, kInnerHeight), Timer1(loop, "Timer1", 1000, true) {
  Image1.picture = "splash";
  Image1.SetContainer(&Frame1);

  Label2.Caption = "Darazazo Dizire Rodavo";
  Label2.font = {"Arial", 20.25, true};
  Label2.transparent = true;
  Label2.autoSize = true;
  Label2.SetContainer(&Frame1);
}

}  // namespace pager
