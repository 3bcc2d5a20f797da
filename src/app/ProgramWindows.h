// The Qt windows of the whole program, made once at start-up over the application's window
// models: the main window, the splash window and the setup window, which becomes the window
// the main window's Setup shows, and whose Save ends a call in progress before it closes the
// port. Every window's F1 key opens the program's help, as the main window's "?" does.
//
// Make it after the application and the setup window's handlers and before the application's
// Start(); both must outlive it.
#pragma once

#include <memory>

#include "console/ServerApplication.h"
#include "platform/qt/QtWindowView.h"
#include "setup/SetupWindow.h"

namespace app {

class ProgramWindows {
 public:
  ProgramWindows(pager::ServerApplication& application, pager::SetupWindow& setup);
  ~ProgramWindows();
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  qtui::QtWindowView& MainWindow() const { return *main_; }
  qtui::QtWindowView& SplashWindow() const { return *splash_; }
  qtui::QtWindowView& SetupWindow() const { return *setup_; }

 private:
  std::unique_ptr<qtui::QtWindowView> main_;
  std::unique_ptr<qtui::QtWindowView> splash_;
  std::unique_ptr<qtui::QtWindowView> setup_;
};

}  // namespace app
