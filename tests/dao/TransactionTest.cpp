#include <gtest/gtest.h>

#include "PagerFile.h"
#include "support/ErrorNumber.h"

namespace {

using dao_test::OutsideConnection;
using dao_test::PagerFile;
using testing_support::ErrorOf;

// The engine's log pattern: one record, one transaction.
void AppendLogRecord(dao::DBEngine& engine, dao::Database& db, const std::string& sender) {
  auto rs = db.OpenRecordset("TranLog");
  engine.BeginTrans();
  rs->AddNew();
  rs->SetField("Sender", sender);
  rs->SetField("Paging Unit", std::string("123"));
  rs->SetField("Message", std::string("12/07/26 - 2:30:05 PM : Message: hi"));
  rs->SetField("User", std::nullopt);
  rs->Update();
  engine.CommitTrans();
  rs->Close();
}

TEST(Transactions, CommittedRecordIsVisibleToOthers) {
  PagerFile file;
  auto db = file.Open();
  OutsideConnection outside(file.Path());
  AppendLogRecord(file.Engine(), *db, "Intranet");
  AppendLogRecord(file.Engine(), *db, "OWN");
  EXPECT_EQ(outside.Text("SELECT group_concat(Sender) FROM TranLog"), "Intranet,OWN");
  EXPECT_EQ(outside.Text("SELECT User IS NULL FROM TranLog LIMIT 1"), "1");
  EXPECT_FALSE(file.Engine().Workspaces(0).InTransaction());
}

TEST(Transactions, RollbackUndoesTheRecord) {
  PagerFile file;
  auto db = file.Open();
  auto rs = db->OpenRecordset("Temp");
  file.Engine().BeginTrans();
  rs->AddNew();
  rs->SetField("Unit", std::string("gone"));
  rs->Update();
  file.Engine().Rollback();
  EXPECT_EQ(OutsideConnection(file.Path()).Number("SELECT count(*) FROM Temp"), 0);
  EXPECT_EQ(ErrorOf([&] { rs->MoveLast(); }), 3021);  // the appended key is gone too
}

TEST(Transactions, MisuseRaisesAndChangesNothing) {
  PagerFile file;
  auto db = file.Open();
  dao::DBEngine& engine = file.Engine();
  EXPECT_EQ(ErrorOf([&] { engine.CommitTrans(); }), 3034);
  EXPECT_EQ(ErrorOf([&] { engine.Rollback(); }), 3034);
  engine.BeginTrans();
  EXPECT_EQ(ErrorOf([&] { engine.BeginTrans(); }), 3003);  // no nesting
  db->Execute("INSERT INTO Temp (Unit) VALUES ('kept')");
  engine.CommitTrans();
  EXPECT_EQ(ErrorOf([&] { engine.CommitTrans(); }), 3034);
  EXPECT_EQ(OutsideConnection(file.Path()).Number("SELECT count(*) FROM Temp"), 1);
}

TEST(Transactions, ClosingTheDatabaseEndsAnAbandonedTransaction) {
  PagerFile file;
  dao::DBEngine& engine = file.Engine();
  auto db = file.Open();
  engine.BeginTrans();
  db->Execute("INSERT INTO Temp (Unit) VALUES ('abandoned')");
  db->Close();  // an error path left the transaction open; the cycle's end closes the database
  auto next = file.Open();
  AppendLogRecord(engine, *next, "after");
  OutsideConnection outside(file.Path());
  EXPECT_EQ(outside.Number("SELECT count(*) FROM Temp"), 0);
  EXPECT_EQ(outside.Number("SELECT count(*) FROM TranLog"), 1);
}

// The intake reads the due scheduled rows and moves them in one transaction, while the
// scheduler may write Scheadule. From the transaction's first operation on, no outside writer
// slips in between the read and the move (which would then fail with 3260): it has to wait
// for the commit.
TEST(Transactions, TheFirstOperationTakesTheWriteLockForTheWholeTransaction) {
  PagerFile file;
  OutsideConnection outside(file.Path());
  outside.Exec("INSERT INTO Scheadule (DateTo, TimeTo, Unit) VALUES ('2026-12-07', '09:00', 'due')");
  sqlite3_busy_timeout(outside.Handle(), 0);
  auto db = file.Open();

  file.Engine().BeginTrans();
  auto scheduled = db->OpenRecordset("Select * From Scheadule");
  scheduled->MoveFirst();
  const auto unit = scheduled->Field("Unit");
  EXPECT_THROW(outside.Exec("INSERT INTO Scheadule (Unit) VALUES ('later')"), std::runtime_error);
  auto queue = db->OpenRecordset("Queue");
  queue->AddNew();
  queue->SetField("Unit", unit);
  queue->Update();
  scheduled->Delete();
  file.Engine().CommitTrans();

  outside.Exec("INSERT INTO Scheadule (Unit) VALUES ('later')");
  EXPECT_EQ(outside.Text("SELECT group_concat(Unit) FROM Queue"), "due");
  EXPECT_EQ(outside.Text("SELECT group_concat(Unit) FROM Scheadule"), "later");
}

// A commit that fails (here on a constraint checked only at the commit) ends the transaction:
// what it held is undone and the next transaction begins and commits as usual.
TEST(Transactions, AFailedCommitLeavesNoTransactionBehind) {
  PagerFile file;
  OutsideConnection(file.Path())
      .Exec("CREATE TABLE Company (Modem TEXT PRIMARY KEY);"
            "CREATE TABLE Pager (Modem TEXT REFERENCES Company (Modem) DEFERRABLE INITIALLY DEFERRED)");
  dao::DBEngine& engine = file.Engine();
  auto db = file.Open();
  db->Execute("PRAGMA foreign_keys = ON");
  engine.BeginTrans();
  db->Execute("INSERT INTO Temp (Unit) VALUES ('undone')");
  db->Execute("INSERT INTO Pager (Modem) VALUES ('555')");  // no such company
  EXPECT_NE(ErrorOf([&] { engine.CommitTrans(); }), 0);
  EXPECT_FALSE(engine.Workspaces(0).InTransaction());

  AppendLogRecord(engine, *db, "next");
  OutsideConnection outside(file.Path());
  EXPECT_EQ(outside.Number("SELECT count(*) FROM Temp"), 0);
  EXPECT_EQ(outside.Text("SELECT group_concat(Sender) FROM TranLog"), "next");
}

TEST(Transactions, SpanEveryOpenDatabaseOfTheWorkspace) {
  PagerFile file;
  dao::DBEngine& engine = file.Engine();
  auto first = file.Open();
  auto second = file.Open();
  engine.BeginTrans();
  first->Execute("INSERT INTO Temp (Unit) VALUES ('1')");
  engine.Rollback();
  engine.BeginTrans();
  first->Execute("INSERT INTO Temp (Unit) VALUES ('2')");
  engine.CommitTrans();
  EXPECT_EQ(OutsideConnection(file.Path()).Text("SELECT group_concat(Unit) FROM Temp"), "2");
  EXPECT_FALSE(second->InTransaction());
}

}  // namespace
