// The splash window's handlers: help set-up and centring at load, the hand-over to the main
// window at the second tick of Timer1, and closing help at unload.
//
// The hand-over happens once: at the second tick Timer1 is switched off, the splash is hidden
// (it stays loaded, the owner of help calls, until the shut-down unloads it) and the main
// window is shown, which runs its load. The tick handler therefore runs exactly twice.
#pragma once

#include "common/Form1.h"
#include "common/Platform.h"
#include "console/ContextIDs.h"
#include "console/Form2.h"
#include "platform/vb/Int16.h"

namespace pager {

class Splash {
 public:
  Splash(Form2& splash, Form1& mainWindow, ContextIDs& help, Platform& platform);

  void Form_Load();
  void Timer1_Timer();
  // Cancel is left as it is: the unload always goes on.
  void Form_UnLoad(int& Cancel);

  // Timer1 ticks since the load.
  vb::Int16 intSplashTicks;

 private:
  Form2& form_;
  Form1& mainWindow_;
  ContextIDs& help_;
  Platform& platform_;
};

}  // namespace pager
