// The panel's live status: the four always-on timers of the main window.
//
//   Timer2_Timer (1000 ms)  lblPending and lblToCall from intPending and intToCall, plain
//                           decimal ("0", "12", "-3": no leading blank);
//   Timer3_Timer (55 ms)    Label11 from imgInternet's visibility, Label14 from intOtherFile
//                           (only 1 reads "Enabled");
//   Timer5_Timer (55 ms)    Label10 "ID value: " + intIDCount in signed-number form;
//   Timer4_Timer (150 ms)   the lamp: while strServerState is "RUNNING" one frame of imgRed1,
//                           imgred2, imgRed3 is lit and the lit frame moves 1, 2, 3, 2, 1, ...,
//                           one step a tick, and each such tick ends with a pump of pending
//                           events; in any other state every frame is hidden (no pump).
// The handlers read shared state and write captions and visibility only; blnLedBack (the
// sweep's direction) is the one variable they write. Every caption is set at every tick.
#pragma once

#include "common/Form1.h"
#include "common/Module1.h"
#include "platform/forms/EventLoop.h"

namespace pager {

class StatusDisplay {
 public:
  StatusDisplay(Form1& form, Module1& m, forms::EventLoop& loop);

  void Timer2_Timer();
  void Timer3_Timer();
  void Timer4_Timer();
  void Timer5_Timer();

 private:
  Form1& form_;
  Module1& m_;
  forms::EventLoop& loop_;
};

}  // namespace pager
