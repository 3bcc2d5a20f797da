// The whole server built through ServerApplication on the simulated loop, in a temporary
// program folder, with scripted dialogs and a fake serial line. Inter.dat is laid out so
// that the main window's load shows no box.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

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

  // Queues the messages for the unit with the company's modem number, waiting ("N").
  void QueueMessages(const std::string& unit, const std::string& modem, const std::vector<std::string>& messages) {
    auto database = dbEngine.Workspaces(0).OpenDatabase(folder.PathOf("pager.mdb"));
    auto queue = database->OpenRecordset("Queue");
    for (const std::string& message : messages) {
      queue->AddNew();
      queue->SetField("Unit", unit);
      queue->SetField("Message", message);
      queue->SetField("Modem", modem);
      queue->SetField("Status", std::string("N"));
      queue->Update();
    }
    database->Close();
  }

  // The number of rows the query selects, read from pager.mdb as it stands.
  long Count(const std::string& query) {
    auto database = dbEngine.Workspaces(0).OpenDatabase(folder.PathOf("pager.mdb"), false, true);
    auto rows = database->OpenRecordset(query);
    if (!rows->Eof()) rows->MoveLast();
    const long count = rows->RecordCount();
    database->Close();
    return count;
  }

  std::unique_ptr<pager::ServerApplication> app;
};

}  // namespace console_test
