// The whole server built through ServerApplication on the simulated loop, in a temporary
// program folder, with scripted dialogs and a fake serial line. Inter.dat is laid out so
// that the main window's load shows no box.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "console/ServerApplication.h"
#include "support/SimulatedWorld.h"

namespace console_test {

// The time from Start to the main window, in ms.
inline constexpr int kHandOverMs = 2000;

class ConsoleTest : public ::testing::Test, protected testing_support::SimulatedWorld {
 protected:
  ConsoleTest() {
    folder.Write("Inter.dat", "\"DISABLED\"\r\n");
    app = std::make_unique<pager::ServerApplication>(MakePlatform(), serial);
  }

  // Starts the program and runs up to the hand-over: the main window is loaded and shown.
  void Boot() {
    app->Start();
    loop.Advance(kHandOverMs);
  }

  static void Press(forms::Image& spot, int button = forms::kLeftButton) { spot.MouseDown(button, 0, 0.0F, 0.0F); }
  static void Release(forms::Image& spot, int button = forms::kLeftButton) { spot.MouseUp(button, 0, 0.0F, 0.0F); }

  pager::Form1& form() { return app->form1; }

  std::unique_ptr<pager::ServerApplication> app;
};

}  // namespace console_test
