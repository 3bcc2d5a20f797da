#include "common/Form1.h"

namespace pager {

namespace {
constexpr int kInnerWidth = 7185;
constexpr int kInnerHeight = 6810;
}  // namespace

Form1::Form1(forms::EventLoop& loop, std::shared_ptr<comm::SerialBackend> serial)
    : forms::Window("Form1", kInnerWidth, kInnerHeight),
      MSComm1(std::move(serial)),
      Timer1(loop, "Timer1", 1000, false),
      tmrDialing(loop, "tmrDialing", 1000, false),
      tmrSend(loop, "tmrSend", 1000, false),
      tmrCountdown(loop, "tmrCountdown", 1000, false),
      tmrRestart(loop, "tmrRestart", 1000, false),
      Timer2(loop, "Timer2", 1000, true),
      Timer3(loop, "Timer3", 55, true),
      Timer4(loop, "Timer4", 150, true),
      Timer5(loop, "Timer5", 55, true) {
  Caption = "Corvello '98 Enterprise Edition";

  Image1.picture = "panel";
  Frame1.Caption = "Operations running";
  Frame1.ToolTipText = "Server status";
  lblStatus.Caption = "Corvello '98 Server is ready !!";
  lblStatus.font = {"Arial", 9.75, true};
  lblStatus.alignment = forms::Label::Align::kCenter;
  Label1.Caption = "Welcome to Corvello '98";
  Label1.ToolTipText = "Terminal Window";
  Label1.font = {"MS Sans Serif", 12, false};

  Start.ToolTipText = "Start the server";
  Stop.ToolTipText = "Stop the server";
  Shut.ToolTipText = "Shutdown the server";
  Image3.ToolTipText = "Activate Intra/Internet mode.";
  Image4.ToolTipText = "If running FrontPage standalone, select the files were messages  are stored (FEEDBACK.TXT) file.";
  imgOther.ToolTipText = "Select the ASCII file were messages are stored, if another program generates it.";
  Image6.ToolTipText = "Software Information";
  Image7.ToolTipText = "Modem configuration";
  Image5.ToolTipText = "Activity led.";

  struct Pressed {
    forms::Image& image;
    const char* picture;
  };
  for (Pressed p : {Pressed{imgStart, "start"}, Pressed{imgStop, "stop"}, Pressed{imgShut, "shut"},
                    Pressed{imgInternet, "internet"}, Pressed{imgSubmmit, "submit"}, Pressed{Image2, "other"},
                    Pressed{imgAbout, "about"}, Pressed{imgSetup, "setup"}, Pressed{imgRed1, "lamp1"},
                    Pressed{imgred2, "lamp2"}, Pressed{imgRed3, "lamp3"}}) {
    p.image.picture = p.picture;
    p.image.Visible = false;
  }
  imgRed1.stretch = imgred2.stretch = imgRed3.stretch = true;
  imgRed1.ToolTipText = "Led indicator";

  Command1.Caption = "&Start";
  Command2.Caption = "S&top";
  Command3.Caption = "S&etup";
  Command4.Caption = "S&hutdown";
  Command5.Caption = "Command5";
  for (forms::CommandButton* button : {&Command1, &Command2, &Command3, &Command4, &Command5}) button->Visible = false;

  for (forms::Control* inFrame : std::initializer_list<forms::Control*>{&Label4, &lblPending, &Label5, &lblToCall, &Label11,
                                                                          &Label14, &Label6, &Label7, &Label8, &Label9, &Label3}) {
    inFrame->SetContainer(&Frame1);
  }
  Label4.Caption = "Messages pending:";
  lblPending.Caption = "0";
  Label5.Caption = "Companies to call:";
  lblToCall.Caption = "0";
  Label11.Caption = "Intranet mode: NO";
  Label14.Caption = "Other File: Disabled.";
  Label6.Caption = "Started at:";
  Label7.font = {"Arial", 8.25, true};
  Label8.Caption = "Countdown:";
  Label3.font = {"MS Sans Serif", 8.25, true};
  Label2.autoSize = true;
  Label13.Caption = "?";
  Label13.ToolTipText = "Help";
  Label13.font = {"MS Sans Serif", 12, true};
  Label13.mousePointer = 14;  // the arrow with a question mark
}

}  // namespace pager
