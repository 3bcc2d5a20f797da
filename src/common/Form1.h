// The main window's controls, as one model: the picture panel with its hot spots and pressed
// pictures, the status labels, the hidden command buttons, the serial-port control, the
// open-file dialog and the timers. Every control stands at its load state; the handlers of the
// server core, the call engine and the console drive them. Positions in twips.
#pragma once

#include <memory>

#include "platform/comm/MSComm.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/EventLoop.h"
#include "platform/forms/Window.h"

namespace pager {

class Form1 : public forms::Window {
 public:
  Form1(forms::EventLoop& loop, std::shared_ptr<comm::SerialBackend> serial);

  // Background, frame, status line and terminal window.
  forms::Image Image1{"Image1", {120, 0, 6990, 4605}};
  forms::Frame Frame1{"Frame1", {120, 4560, 6975, 1815}};
  forms::Label lblStatus{"lblStatus", {120, 6480, 6975, 255}};
  forms::Label Label1{"Label1", {2160, 1080, 4215, 2655}};

  // Hot spots (transparent, above their pressed pictures) and the pressed pictures.
  forms::Image Start{"Start", {480, 120, 975, 855}};
  forms::Image Stop{"Stop", {1560, 120, 975, 855}};
  forms::Image Shut{"Shut", {2640, 120, 975, 855}};
  forms::Image Image3{"Image3", {360, 1320, 1575, 495}};
  forms::Image Image4{"Image4", {370, 1920, 1575, 495}};
  forms::Image imgOther{"imgOther", {360, 2520, 1575, 495}};
  forms::Image Image6{"Image6", {360, 3000, 1575, 615}};
  forms::Image Image7{"Image7", {360, 3720, 1575, 615}};
  forms::Image Image5{"Image5", {3720, 360, 3015, 495}};

  forms::Image imgStart{"imgStart", {480, 120, 960, 825}};
  forms::Image imgStop{"imgStop", {1560, 120, 945, 825}};
  forms::Image imgShut{"imgShut", {2660, 150, 930, 825}};
  forms::Image imgInternet{"imgInternet", {360, 1320, 1605, 570}};
  forms::Image imgSubmmit{"imgSubmmit", {385, 1920, 1530, 540}};
  forms::Image Image2{"Image2", {397, 2490, 1545, 540}};
  forms::Image imgAbout{"imgAbout", {360, 3000, 1590, 570}};
  forms::Image imgSetup{"imgSetup", {360, 3655, 1560, 720}};

  // Hidden command buttons: Start, Stop, Setup, Shutdown and the engine's hang-up.
  forms::CommandButton Command1{"Command1", {2880, 2040, 1095, 375}};
  forms::CommandButton Command2{"Command2", {2880, 2400, 1095, 375}};
  forms::CommandButton Command3{"Command3", {3960, 2040, 1095, 375}};
  forms::CommandButton Command4{"Command4", {3960, 2400, 1095, 375}};
  forms::CommandButton Command5{"Command5", {10320, 6000, 1095, 375}};

  // Status labels; those marked in Frame1 stand inside the frame.
  forms::Label Label4{"Label4", {360, 360, 1410, 210}};
  forms::Label lblPending{"lblPending", {1920, 360, 2175, 255}};
  forms::Label Label5{"Label5", {240, 720, 1455, 255}};
  forms::Label lblToCall{"lblToCall", {1920, 720, 2055, 255}};
  forms::Label Label11{"Label11", {360, 1080, 2295, 255}};
  forms::Label Label14{"Label14", {360, 1440, 1815, 255}};
  forms::Label Label6{"Label6", {2760, 360, 1215, 255}};
  forms::Label Label7{"Label7", {2760, 600, 3495, 255}};
  forms::Label Label8{"Label8", {2760, 1080, 1215, 255}};
  forms::Label Label9{"Label9", {3720, 1080, 1335, 255}};
  forms::Label Label3{"Label3", {5640, 1080, 1215, 270}};
  forms::Label Label2{"Label2", {2280, 3480, 45, 195}};
  forms::Label Label10{"Label10", {5880, 3480, 975, 255}};
  forms::Image imgRed1{"imgRed1", {3840, 410, 2810, 330}};
  forms::Image imgred2{"imgred2", {3840, 410, 2810, 330}};
  forms::Image imgRed3{"imgRed3", {3840, 410, 2810, 330}};
  forms::Label Label13{"Label13", {6480, 1200, 375, 375}};

  // Controls the operator does not see.
  comm::MSComm MSComm1;
  forms::CommonDialog CommonDialog1;

  // Engine timers (off at load) and the status display's timers (on at load).
  forms::Timer Timer1;
  forms::Timer tmrDialing;
  forms::Timer tmrSend;
  forms::Timer tmrCountdown;
  forms::Timer tmrRestart;
  forms::Timer Timer2;
  forms::Timer Timer3;
  forms::Timer Timer4;
  forms::Timer Timer5;
};

}  // namespace pager
