// The main window's hot spots that run the server's routines and the panel's two boxes:
// Start, Stop, Shutdown, Setup, the Information box, the About box and the "?" label.
//
// What callers may rely on:
//  - every MouseDown handler acts on the left button only (Button exactly 1); any other
//    button does nothing at all;
//  - Start and Stop show their pressed picture (imgStart / imgStop, which then stays as the
//    panel's running or stopped look), hide the other, pump once and call the core; they run
//    whatever the server state (the core's operator Start refuses to dial into a live call);
//  - Shutdown refuses with a box while the running look shows; otherwise it shows imgShut and
//    the stopped look, pumps once and asks the main window to unload, which the core's
//    shut-down guard decides (on No it hides imgShut itself);
//  - Setup shows imgSetup, pumps once, shows the setup window modally with the hourglass
//    pointer around it and hides imgSetup when the window has closed. Without a setup window
//    (setupWindow empty or giving null) only the pointer changes. The pointer is put back also
//    when the setup window raises.
#pragma once

#include <functional>

#include "common/Form1.h"
#include "common/Platform.h"
#include "console/ContextIDs.h"
#include "core/ServerCore.h"
#include "platform/forms/Window.h"

namespace pager {

class MainPanel {
 public:
  MainPanel(Form1& form, Platform& platform, ServerCore& core, ContextIDs& help);

  void Start_MouseDown(int Button, int Shift, float X, float Y);
  void Stop_MouseDown(int Button, int Shift, float X, float Y);
  void Shut_MouseDown(int Button, int Shift, float X, float Y);
  void Shut_MouseUp(int Button, int Shift, float X, float Y);
  void Image5_MouseDown(int Button, int Shift, float X, float Y);  // Information box
  void Image6_MouseDown(int Button, int Shift, float X, float Y);  // About box
  void Image7_MouseDown(int Button, int Shift, float X, float Y);  // Setup

  void Command3_Click();  // Setup
  void Command4_Click();  // Shutdown: asks the main window to unload
  void Label13_Click();   // help

  // The setup window, shown modally by Setup; asked at each Setup.
  std::function<forms::Window*()> setupWindow;

  // The texts of the two boxes.
  static const char* const kInformationText;
  static const char* const kAboutText;
  static const char* const kAboutTitle;

 private:
  Form1& form_;
  Platform& platform_;
  ServerCore& core_;
  ContextIDs& help_;
};

}  // namespace pager
