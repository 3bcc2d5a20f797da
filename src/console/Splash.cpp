#include "console/Splash.h"

#include <cmath>

namespace pager {

namespace {
constexpr int kHandOverTick = 2;

// Half the screen less half the window, in single precision as the window system computes
// places; twips are whole numbers, so the result is rounded.
int Centred(int screenTwips, int windowTwips) {
  const float place = static_cast<float>(screenTwips) / 2.0F - static_cast<float>(windowTwips) / 2.0F;
  return static_cast<int>(std::lround(place));
}
}  // namespace

Splash::Splash(Form2& splash, Form1& mainWindow, ContextIDs& help, Platform& platform)
    : form_(splash), mainWindow_(mainWindow), help_(help), platform_(platform) {}

void Splash::Form_Load() {
  help_.InitHelp(form_.hWnd());
  form_.Top = Centred(platform_.screen.height, form_.Height);
  form_.Left = Centred(platform_.screen.width, form_.Width);
  intSplashTicks = 0;
}

void Splash::Timer1_Timer() {
  ++intSplashTicks;
  if (intSplashTicks == vb::Int16(kHandOverTick)) {
    form_.Timer1.Enabled = false;
    form_.Hide();
    mainWindow_.Show();
  }
}

void Splash::Form_UnLoad(int& /*Cancel*/) { help_.QuitHelp(); }

}  // namespace pager
