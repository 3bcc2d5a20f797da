// The Qt windows of the whole program, made once at start-up over the application's window
// models: the main window, the splash window and the setup window. Every window's F1 key opens
// the program's help, as the main window's "?" does.
//
// Make it after the application and before its Start(); the application must outlive it.
#pragma once

#include <memory>

#include "console/ServerApplication.h"
#include "platform/qt/QtWindowView.h"

namespace app {

class ProgramWindows {
 public:
  explicit ProgramWindows(pager::ServerApplication& application);
  ~ProgramWindows();
  ProgramWindows(const ProgramWindows&) = delete;
  ProgramWindows& operator=(const ProgramWindows&) = delete;

  qtui::QtWindowView& MainWindow() const { return *main_; }
  qtui::QtWindowView& SplashWindow() const { return *splash_; }

 private:
  std::unique_ptr<qtui::QtWindowView> main_;
  std::unique_ptr<qtui::QtWindowView> splash_;
};

}  // namespace app
