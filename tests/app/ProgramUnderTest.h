// The whole program as main() builds it, with its real Qt windows, on the offscreen platform:
// a temporary program folder with a fresh pager.mdb and the help file, a fake serial line, and
// dialogs whose message boxes and open-file dialog are scripted (modal windows and help are
// the real ones).
#pragma once

#include <QPoint>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ProgramWindows.h"
#include "console/ServerApplication.h"
#include "platform/comm/FakeSerial.h"
#include "platform/dao/DBEngine.h"
#include "platform/forms/Clock.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventLoop.h"
#include "setup/SetupWindow.h"
#include "support/TempFolder.h"

namespace app_test {

class ScriptedBoxes : public qtui::QtDialogs {
 public:
  struct Box {
    std::string prompt;
    int buttons;
    std::string title;
  };

  // Boxes are recorded and answered from `answers` (vbOK once it is empty); onBox runs while
  // the box is "open".
  int MsgBox(const std::string& prompt, int buttons, const std::string& title) override;
  // The dialog settings are recorded; FileName becomes the next of `chosenFiles` ("" once it is
  // empty, as a cancel); onOpen runs while the dialog is "open".
  void ShowOpen(forms::CommonDialog& dialog) override;

  std::vector<Box> boxes;
  std::deque<int> answers;
  std::function<void(const Box&)> onBox;
  std::vector<forms::CommonDialog> opened;
  std::deque<std::string> chosenFiles;
  std::function<void()> onOpen;
};

class ProgramUnderTest {
 public:
  ProgramUnderTest();
  ~ProgramUnderTest();

  // Loads and shows the main window directly, without the splash, and waits until it is on
  // screen.
  bool ShowMainWindow();

  // A press (and its release) of a mouse button at the pixel centre of a main-window control
  // standing directly in the window, through the window system.
  void Click(const forms::Control& control, Qt::MouseButton button = Qt::LeftButton);
  static QPoint CentreOf(const forms::Control& control);

  QWidget* ViewOf(const forms::Control& control) const;
  bool Shows(const forms::Control& control) const;  // its view is visible

  testing_support::TempFolder folder;
  qtui::QtEventLoop loop;
  forms::SystemClock clock;
  ScriptedBoxes dialogs;
  dao::DBEngine dbEngine;
  std::shared_ptr<comm::FakeSerialBackend> serial = std::make_shared<comm::FakeSerialBackend>();
  std::unique_ptr<pager::ServerApplication> server;
  std::unique_ptr<pager::SetupWindow> setup;
  std::unique_ptr<app::ProgramWindows> windows;
  int finishedCalls = 0;
};

}  // namespace app_test
