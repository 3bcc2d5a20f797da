// The message log: the grid read from pager.mdb by the data control, and the Clear with the
// server's connection open, closed or never made.
#include "SetupFixture.h"

namespace setup_test {
namespace {

using forms::vbYes;

const LogRow kSent{"Intranet", "1234", "12/07/26 - 14:00:05 : Message: Hi for unit 1234 was sent successfully.",
                   "5550100", "12/07/26", "14:00", "10.0.0.9", std::nullopt, "Mozilla/4.0"};
const LogRow kFailed{"OWN", "77", "12/07/26 - 14:01:00 : Message: Yo to unit 77 was not sent because paging company was busy.",
                     "5550199", std::nullopt, std::nullopt, std::nullopt, "", std::nullopt};

class MessageLogTest : public SetupTest {
 protected:
  void SetUp() override {
    AddLogRow(kSent);
    AddLogRow(kFailed);
    Open();
  }
  void Clear(int answer) {
    dialogs.QueueAnswer(answer);
    setup.Command1_Click();
  }
};

TEST_F(MessageLogTest, TheGridShowsTranLogInItsColumnsAndIsReadOnAConnectionOfItsOwn) {
  const forms::GridData& data = form().DBGrid1.Data.get();
  EXPECT_EQ(data.caption, "CORVELLO SERVER MESSAGE LOG");
  EXPECT_EQ(data.columns, (std::vector<std::string>{"Sender", "Paging Unit", "Message", "Paging Company", "Date Sent",
                                                    "Time Sent", "IP Address", "User", "Browser"}));
  EXPECT_EQ(ShownRows(), (std::vector<LogRow>{kSent, kFailed}));
  EXPECT_EQ(form().Data1.Connect.get(), "Access");
  EXPECT_EQ(form().Data1.RecordSource.get(), "TranLog");
  EXPECT_EQ(OpenHandlesOn(DatabasePath()), 0);

  // A failed read keeps the rows shown and leaves no connection behind.
  std::filesystem::rename(DatabasePath(), folder.PathOf("moved.mdb"));
  EXPECT_THROW(form().Data1.Refresh(), vb::RuntimeError);
  EXPECT_EQ(ShownRows().size(), 2U);
}

TEST_F(MessageLogTest, ClearAnsweredNoChangesNothing) {
  loop.Post([] {});
  const long long pumps = loop.Pumps();
  Clear(forms::vbNo);

  ASSERT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(dialogs.LastBox().prompt, "Are you sure you want to delete the log?");
  EXPECT_EQ(dialogs.LastBox().buttons, 36);
  EXPECT_EQ(dialogs.LastBox().title, "Corvello '98 Server");
  EXPECT_EQ(loop.Pumps(), pumps + 1);  // events ran before the question
  EXPECT_EQ(LogCount(), 2);
  EXPECT_EQ(ShownRows().size(), 2U);
  EXPECT_EQ(m.dbPager, nullptr);
}

TEST_F(MessageLogTest, ClearBeforeAnyStartOpensTheDatabaseAndLeavesItOpen) {
  Clear(vbYes);

  EXPECT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(LogCount(), 0);
  EXPECT_TRUE(ShownRows().empty());
  ASSERT_NE(m.dbPager, nullptr);
  EXPECT_TRUE(m.dbPager->IsOpen());
  EXPECT_EQ(m.dbPager->Path(), DatabasePath());
  EXPECT_GT(OpenHandlesOn(DatabasePath()), 0);
}

// The connection Clear leaves open keeps no log of its delete: a backup copied over pager.mdb
// before the next Start (which closes that connection) is read as it stands.
TEST_F(MessageLogTest, ABackupCopiedInAfterAClearKeepsItsContents) {
  std::filesystem::copy_file(DatabasePath(), folder.PathOf("backup.mdb"));
  Clear(vbYes);
  ASSERT_NE(m.dbPager, nullptr);
  ASSERT_TRUE(m.dbPager->IsOpen());
  std::filesystem::copy_file(folder.PathOf("backup.mdb"), DatabasePath(),
                             std::filesystem::copy_options::overwrite_existing);
  m.dbPager->Close();  // as the next Start does before it opens the file again
  EXPECT_EQ(LogCount(), 2);
}

TEST_F(MessageLogTest, ClearAfterStopReplacesTheClosedConnection) {
  auto closed = dbEngine.Workspaces(0).OpenDatabase(DatabasePath());
  closed->Close();
  m.dbPager = closed;
  Clear(vbYes);

  EXPECT_EQ(LogCount(), 0);
  EXPECT_TRUE(ShownRows().empty());
  ASSERT_NE(m.dbPager, closed);
  EXPECT_TRUE(m.dbPager->IsOpen());
}

TEST_F(MessageLogTest, ClearDuringACycleDeletesOnTheServersConnection) {
  auto serverConnection = dbEngine.Workspaces(0).OpenDatabase(DatabasePath());
  m.dbPager = serverConnection;
  m.rsQueue = serverConnection->OpenRecordset("Select * From Queue where Queue.[Modem] = '5550100'");
  Clear(vbYes);

  EXPECT_EQ(m.dbPager, serverConnection);
  EXPECT_TRUE(m.rsQueue->IsOpen());
  EXPECT_EQ(LogCount(), 0);
  EXPECT_TRUE(ShownRows().empty());
  EXPECT_EQ(dialogs.Boxes().size(), 1U);
}

TEST_F(MessageLogTest, ADatabaseThatCannotBeOpenedIsReportedAndTheGridKept) {
  std::filesystem::rename(DatabasePath(), folder.PathOf("moved.mdb"));
  Clear(vbYes);

  ASSERT_EQ(dialogs.Boxes().size(), 2U);
  EXPECT_EQ(dialogs.LastBox().prompt.rfind("The message log could not be cleared.\n", 0), 0U);
  EXPECT_EQ(dialogs.LastBox().buttons, forms::vbCritical);
  EXPECT_EQ(dialogs.LastBox().title, "Error");
  EXPECT_EQ(m.dbPager, nullptr);
  EXPECT_EQ(ShownRows().size(), 2U);
}

TEST_F(MessageLogTest, ARefreshThatFailsAfterTheDeleteIsReported) {
  auto serverConnection = dbEngine.Workspaces(0).OpenDatabase(DatabasePath());
  m.dbPager = serverConnection;
  // The grid's file is elsewhere: the delete works on the server's connection, the read fails.
  form().Data1.DatabaseName = folder.PathOf("missing.mdb");
  Clear(vbYes);

  EXPECT_EQ(LogCount(), 0);
  EXPECT_EQ(m.dbPager, serverConnection);
  ASSERT_EQ(dialogs.Boxes().size(), 2U);
  EXPECT_EQ(dialogs.LastBox().prompt.rfind("The message log has been cleared, but it could not be read again.\n", 0), 0U);
}

}  // namespace
}  // namespace setup_test
