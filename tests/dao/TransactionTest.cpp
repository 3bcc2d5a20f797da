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
