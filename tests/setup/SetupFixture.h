// The setup window on the simulated loop, in a fresh temporary program folder holding an empty
// pager.mdb, with scripted dialogs and a fake serial line whose ports 1 to 4 exist.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "PagerDatabaseFile.h"
#include "common/Module1.h"
#include "platform/comm/MSComm.h"
#include "platform/dao/Database.h"
#include "platform/dao/Recordset.h"
#include "setup/SetupWindow.h"
#include "support/SimulatedWorld.h"

namespace setup_test {

using LogRow = std::vector<std::optional<std::string>>;

class SetupTest : public ::testing::Test, protected testing_support::SimulatedWorld {
 protected:
  SetupTest() {
    for (int port = 1; port <= 4; ++port) serial->SetPortExists(port, true);
    EXPECT_EQ(pagerdb::CreatePagerDatabase(DatabasePath()), pagerdb::CreateResult::kCreated);
  }

  pager::frmSetup& form() { return setup.form; }
  void Open() { form().Load(); }
  void Reopen() {
    form().Unload();
    form().Load();
  }
  std::string DatabasePath() const { return folder.PathOf("pager.mdb"); }

  // A TranLog record of the nine fields in grid order; nullopt fields stay Null.
  void AddLogRow(const LogRow& values) {
    auto database = dbEngine.Workspaces(0).OpenDatabase(DatabasePath());
    auto log = database->OpenRecordset("TranLog");
    log->AddNew();
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (values[i]) log->SetField(pager::MessageLogColumns()[i], values[i]);
    }
    log->Update();
    database->Close();
  }
  long LogCount() {
    auto database = dbEngine.Workspaces(0).OpenDatabase(DatabasePath(), false, true);
    auto log = database->OpenRecordset("TranLog");
    if (!log->Eof()) log->MoveLast();
    const long count = log->RecordCount();
    database->Close();
    return count;
  }
  // Descriptors this process holds open on pager.mdb.
  static int OpenHandlesOn(const std::string& path) {
    const std::string canonical = std::filesystem::weakly_canonical(path).string();
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
      std::error_code error;
      if (std::filesystem::read_symlink(entry.path(), error).string() == canonical) ++count;
    }
    return count;
  }

  // Every row the log grid shows, read through its rows as a view would.
  std::vector<LogRow> ShownRows() {
    const forms::GridData& data = form().DBGrid1.Data.get();
    std::vector<LogRow> rows;
    for (std::size_t i = 0; i < data.RowCount(); ++i) rows.push_back(data.rows->Row(i));
    return rows;
  }

  std::vector<std::string> Prompts() const {
    std::vector<std::string> prompts;
    for (const auto& box : dialogs.Boxes()) prompts.push_back(box.prompt);
    return prompts;
  }

  comm::MSComm port{serial};
  pager::Module1 m;
  pager::Platform platform = MakePlatform();
  pager::SetupWindow setup{port, m, platform};
};

}  // namespace setup_test
