// The whole server built through ServerApplication on the simulated loop, in a temporary
// program folder, with scripted dialogs and a fake serial line. Inter.dat is laid out so
// that the main window's load shows no box.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/Platform.h"
#include "console/ServerApplication.h"
#include "platform/comm/FakeSerial.h"
#include "platform/dao/DBEngine.h"
#include "platform/forms/Clock.h"
#include "platform/forms/ScriptedDialogs.h"
#include "platform/forms/SimulatedLoop.h"
#include "support/TempFolder.h"

namespace console_test {

// The time from Start to the main window, in ms.
inline constexpr int kHandOverMs = 2000;

class ConsoleTest : public ::testing::Test {
 protected:
  ConsoleTest() {
    folder.Write("Inter.dat", "\"DISABLED\"\r\n");
    app = std::make_unique<pager::ServerApplication>(
        pager::Platform{loop, clock, dialogs, dbEngine, forms::Screen{}, folder.Path()}, serial);
  }

  // Starts the program and runs up to the hand-over: the main window is loaded and shown.
  void Boot() {
    app->Start();
    loop.Advance(kHandOverMs);
  }

  static void Press(forms::Image& spot, int button = forms::kLeftButton) { spot.MouseDown(button, 0, 0.0F, 0.0F); }
  static void Release(forms::Image& spot, int button = forms::kLeftButton) { spot.MouseUp(button, 0, 0.0F, 0.0F); }

  pager::Form1& form() { return app->form1; }

  testing_support::TempFolder folder;
  forms::SimulatedLoop loop;
  forms::SimulatedClock clock{loop, vb::Date{2026, 12, 7}, vb::TimeOfDay{14, 30, 0}};
  forms::ScriptedDialogs dialogs{&loop};
  dao::DBEngine dbEngine;
  std::shared_ptr<comm::FakeSerialBackend> serial = std::make_shared<comm::FakeSerialBackend>();
  std::unique_ptr<pager::ServerApplication> app;
};

}  // namespace console_test
