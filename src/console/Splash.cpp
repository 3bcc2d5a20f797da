#include "console/Splash.h"

namespace pager {

namespace {
constexpr int kHandOverTick = 2;
}  // namespace

Splash::Splash(Form2& splash, Form1& mainWindow, ContextIDs& help, Platform& platform)
    : form_(splash), mainWindow_(mainWindow), help_(help), platform_(platform) {}

void Splash::Form_Load() {
  help_.InitHelp(form_.hWnd());
  forms::CentreOnScreen(form_, platform_.screen);
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
