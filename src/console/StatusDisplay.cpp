#include "console/StatusDisplay.h"

#include <string>

#include "platform/vb/Text.h"

namespace pager {

StatusDisplay::StatusDisplay(Form1& form, Module1& m, forms::EventLoop& loop) : form_(form), m_(m), loop_(loop) {}

void StatusDisplay::Timer2_Timer() {
  form_.lblPending.Caption = std::to_string(m_.intPending.value());
  form_.lblToCall.Caption = std::to_string(m_.intToCall.value());
}

void StatusDisplay::Timer3_Timer() {
  form_.Label11.Caption = form_.imgInternet.Visible ? std::string("Intranet mode: Enabled")
                                                    : std::string("Intranet mode: Disabled");
  form_.Label14.Caption = m_.intOtherFile == vb::Int16(1) ? std::string("Other File: Enabled")
                                                          : std::string("Other File: Disabled");
}

void StatusDisplay::Timer5_Timer() { form_.Label10.Caption = "ID value: " + vb::Str(m_.intIDCount.value()); }

void StatusDisplay::Timer4_Timer() {
  forms::Image& frame1 = form_.imgRed1;
  forms::Image& frame2 = form_.imgred2;
  forms::Image& frame3 = form_.imgRed3;

  if (m_.strServerState != "RUNNING") {
    // Dark while stopped; the direction is kept, and the next run starts again from frame 1
    // because no frame is lit.
    frame1.Visible = false;
    frame2.Visible = false;
    frame3.Visible = false;
    return;
  }

  if (!frame1.Visible && !frame2.Visible && !frame3.Visible) {
    frame1.Visible = true;
    m_.blnLedBack = false;
  } else if (frame1.Visible) {
    frame1.Visible = false;
    frame2.Visible = true;
    m_.blnLedBack = false;
  } else if (frame2.Visible && !m_.blnLedBack) {
    frame3.Visible = true;
    frame2.Visible = false;
    m_.blnLedBack = false;
  } else if (frame3.Visible) {
    frame3.Visible = false;
    frame2.Visible = true;
    m_.blnLedBack = true;
  } else if (frame2.Visible && m_.blnLedBack) {
    frame1.Visible = true;
    frame2.Visible = false;
    m_.blnLedBack = false;
  }
  loop_.DoEvents();
}

}  // namespace pager
