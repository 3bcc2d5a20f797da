// The make-pager-db tool, run as the build's layout step runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "PagerFile.h"

namespace {

using dao_test::OutsideConnection;

const std::string kTool = std::string(PAGER_BINARY_DIR) + "/tools/make-pager-db/make-pager-db";

int RunTool(const std::string& arguments) {
  const int status = std::system((kTool + " " + arguments + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class MakePagerDb : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::access(kTool.c_str(), X_OK) != 0) GTEST_SKIP() << "build make-pager-db first";
  }
  testing_support::TempFolder folder;
};

TEST_F(MakePagerDb, CreatesAFileTheServerOpens) {
  const std::string path = folder.PathOf("pager.mdb");
  ASSERT_EQ(RunTool("'" + path + "'"), 0);
  dao::DBEngine engine;
  auto db = engine.Workspaces(0).OpenDatabase(path);
  for (const char* table : {"Queue", "Temp", "TranLog", "Scheadule"}) {
    EXPECT_EQ(db->OpenRecordset(table)->RecordCount(), 0) << table;
  }
  auto log = db->OpenRecordset("TranLog");
  log->AddNew();
  for (const char* column : {"Sender", "Paging Unit", "Message", "Paging Company", "Date Sent",
                             "Time Sent", "IP Address", "User", "Browser"}) {
    log->SetField(column, std::string(column));
  }
  log->Update();
  db->Close();
  // Nothing but the file itself is left in the folder: no half-made copy, no journal.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{"pager.mdb"});
}

TEST_F(MakePagerDb, LeavesAnExistingFileAlone) {
  const std::string path = folder.PathOf("pager.mdb");
  ASSERT_EQ(RunTool(path), 0);
  OutsideConnection(path).Exec("INSERT INTO TranLog (Sender) VALUES ('kept')");
  EXPECT_EQ(RunTool(path), 0);
  EXPECT_EQ(OutsideConnection(path).Text("SELECT Sender FROM TranLog"), "kept");
  folder.Write("other.mdb", "not a database");
  EXPECT_EQ(RunTool(folder.PathOf("other.mdb")), 0);
  EXPECT_EQ(folder.Read("other.mdb"), "not a database");
}

TEST_F(MakePagerDb, ReportsFailureAndUsage) {
  EXPECT_EQ(RunTool(folder.PathOf("no/such/folder/pager.mdb")), 1);
  EXPECT_EQ(RunTool(""), 2);
}

}  // namespace
