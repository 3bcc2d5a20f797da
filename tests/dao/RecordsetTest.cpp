#include <gtest/gtest.h>

#include <algorithm>

#include "PagerFile.h"
#include "platform/dao/TableSnapshot.h"
#include "support/ErrorNumber.h"

namespace {

using dao_test::OutsideConnection;
using dao_test::PagerFile;
using testing_support::ErrorOf;

class RecordsetTest : public ::testing::Test {
 protected:
  // Appends Temp rows with the given units from outside.
  void AddTemp(std::initializer_list<const char*> units) {
    for (const char* unit : units)
      outside.Exec(std::string("INSERT INTO Temp (Unit) VALUES ('") + unit + "')");
  }
  std::vector<std::string> Units(dao::Recordset& rs) {
    std::vector<std::string> units;
    if (rs.RecordCount() == 0) return units;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
      units.push_back(rs.Field("Unit").value_or("<null>"));
    return units;
  }

  PagerFile file;
  OutsideConnection outside{file.Path()};
  std::shared_ptr<dao::Database> db = file.Open();
};

TEST_F(RecordsetTest, EmptySetHasNoCurrentRecord) {
  auto rs = db->OpenRecordset("Temp");
  EXPECT_EQ(rs->RecordCount(), 0);
  EXPECT_TRUE(rs->Eof());
  EXPECT_TRUE(rs->Bof());
  EXPECT_EQ(ErrorOf([&] { rs->MoveFirst(); }), 3021);
  EXPECT_EQ(ErrorOf([&] { rs->MoveLast(); }), 3021);
  EXPECT_EQ(ErrorOf([&] { rs->MoveNext(); }), 3021);
  EXPECT_EQ(ErrorOf([&] { rs->Field("Unit"); }), 3021);
  EXPECT_EQ(ErrorOf([&] { rs->Edit(); }), 3021);
  EXPECT_EQ(ErrorOf([&] { rs->Delete(); }), 3021);
  try {
    rs->MoveFirst();
  } catch (const vb::RuntimeError& error) {
    EXPECT_EQ(error.Description(), "No current record.");
  }
}

TEST_F(RecordsetTest, RecordCountIsLazyUntilMoveLast) {
  AddTemp({"a", "b", "c", "d", "e"});
  auto rs = db->OpenRecordset("TEMP");
  EXPECT_EQ(rs->RecordCount(), 1);
  EXPECT_FALSE(rs->Eof());
  EXPECT_EQ(rs->Field("Unit"), "a");
  rs->MoveNext();
  EXPECT_EQ(rs->RecordCount(), 2);
  rs->MoveLast();
  EXPECT_EQ(rs->RecordCount(), 5);
  EXPECT_EQ(rs->Field("unit"), "e");
  rs->MoveNext();
  EXPECT_TRUE(rs->Eof());
  EXPECT_EQ(ErrorOf([&] { rs->MoveNext(); }), 3021);
  EXPECT_EQ(ErrorOf([&] { rs->Field("Unit"); }), 3021);
  rs->MoveFirst();
  EXPECT_EQ(rs->Field("Unit"), "a");
}

TEST_F(RecordsetTest, FieldsKeepNullEmptyLongAndQuotedTexts) {
  const std::string longText(5000, 'm');
  auto rs = db->OpenRecordset("Queue");
  rs->AddNew();
  rs->SetField("Unit", std::string("O'Brien \"x\"; DROP TABLE Queue; --"));
  rs->SetField("Message", longText);
  rs->SetField("Status", std::string(""));
  rs->SetField("User", std::nullopt);
  rs->SetField("Date Sent", std::string("12/07/2026"));
  rs->SetField("ip address", std::string("10.0.0.1"));
  rs->Update();
  rs->MoveFirst();
  EXPECT_EQ(rs->Field("Unit"), "O'Brien \"x\"; DROP TABLE Queue; --");
  EXPECT_EQ(rs->Field("Message"), longText);
  EXPECT_EQ(rs->Field("Status"), std::string(""));
  EXPECT_EQ(rs->Field("User"), std::nullopt);
  EXPECT_EQ(rs->Field("Browser"), std::nullopt);  // never set
  EXPECT_EQ(rs->Field("Date Sent"), "12/07/2026");
  EXPECT_EQ(rs->Field("IP Address"), "10.0.0.1");
  EXPECT_EQ(outside.Text("SELECT User IS NULL FROM Queue"), "1");
  EXPECT_EQ(outside.Text("SELECT length(Message) FROM Queue"), "5000");
}

TEST_F(RecordsetTest, UnknownFieldAndMisplacedWritesRaise) {
  AddTemp({"a"});
  auto rs = db->OpenRecordset("Temp");
  EXPECT_EQ(ErrorOf([&] { rs->Field("id"); }), 3265);  // the key stays hidden
  EXPECT_EQ(ErrorOf([&] { rs->Field("Nope"); }), 3265);
  EXPECT_EQ(ErrorOf([&] { rs->SetField("Unit", std::string("b")); }), 3020);
  EXPECT_EQ(ErrorOf([&] { rs->Update(); }), 3020);
  rs->AddNew();
  EXPECT_EQ(ErrorOf([&] { rs->SetField("Nope", std::string("b")); }), 3265);
  rs->CancelUpdate();
  EXPECT_EQ(ErrorOf([&] { rs->Update(); }), 3020);
  EXPECT_EQ(outside.Number("SELECT count(*) FROM Temp"), 1);
}

TEST_F(RecordsetTest, AppendedRowsBelongToTheSetAndPositionStays) {
  AddTemp({"a"});
  auto rs = db->OpenRecordset("Temp");
  rs->AddNew();
  EXPECT_EQ(rs->Field("Unit"), std::nullopt);  // the new record's buffer
  rs->SetField("Unit", std::string("b"));
  EXPECT_EQ(rs->Field("Unit"), "b");
  rs->Update();
  EXPECT_EQ(rs->Field("Unit"), "a");  // still on the record current before AddNew
  EXPECT_EQ(Units(*rs), (std::vector<std::string>{"a", "b"}));
  rs->MoveLast();
  EXPECT_EQ(rs->RecordCount(), 2);

  // Appended to an empty set: found by MoveFirst (the intake's pattern).
  outside.Exec("DELETE FROM Queue");
  auto queue = db->OpenRecordset("Queue");
  queue->AddNew();
  queue->SetField("Unit", std::string("q"));
  queue->Update();
  EXPECT_TRUE(queue->Eof());
  EXPECT_EQ(queue->RecordCount(), 1);
  queue->MoveFirst();
  EXPECT_EQ(queue->Field("Unit"), "q");
}

TEST_F(RecordsetTest, KeysetIsTakenAtOpenRowsAreReadLive) {
  AddTemp({"a", "b", "c"});
  auto rs = db->OpenRecordset("Temp");
  AddTemp({"later"});                                           // not in the set
  outside.Exec("UPDATE Temp SET Unit = 'B' WHERE Unit = 'b'");  // shows
  outside.Exec("DELETE FROM Temp WHERE Unit = 'c'");            // skipped
  EXPECT_EQ(Units(*rs), (std::vector<std::string>{"a", "B"}));
  EXPECT_EQ(rs->RecordCount(), 2);
  EXPECT_EQ(Units(*db->OpenRecordset("Temp")), (std::vector<std::string>{"a", "B", "later"}));

  // The current row deleted by someone else: reading it says so.
  rs->MoveFirst();
  outside.Exec("DELETE FROM Temp WHERE Unit = 'a'");
  EXPECT_EQ(ErrorOf([&] { rs->Field("Unit"); }), 3167);
  rs->MoveNext();
  EXPECT_EQ(rs->Field("Unit"), "B");
}

TEST_F(RecordsetTest, DeleteThenMoveNextGoesOnToTheNextRow) {
  AddTemp({"a", "b", "c"});
  auto rs = db->OpenRecordset("Temp");
  std::vector<std::string> seen;
  while (!rs->Eof()) {  // the intake's move loop: read, delete, move on
    seen.push_back(*rs->Field("Unit"));
    rs->Delete();
    EXPECT_EQ(ErrorOf([&] { rs->Field("Unit"); }), 3021);
    EXPECT_EQ(ErrorOf([&] { rs->Delete(); }), 3021);
    rs->MoveNext();
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(rs->RecordCount(), 0);
  EXPECT_EQ(outside.Number("SELECT count(*) FROM Temp"), 0);
  EXPECT_EQ(ErrorOf([&] { rs->MoveFirst(); }), 3021);
}

TEST_F(RecordsetTest, EditChangesOnlyTheFieldsSet) {
  outside.Exec("INSERT INTO Queue (Unit, Status, User) VALUES ('1', 'N', NULL), ('2', 'N', 'u')");
  auto rs = db->OpenRecordset("Queue");
  rs->MoveNext();
  rs->Edit();
  rs->SetField("Status", std::string("Y"));
  EXPECT_EQ(rs->Field("Status"), "Y");
  EXPECT_EQ(rs->Field("Unit"), "2");
  rs->Update();
  EXPECT_EQ(rs->Field("Unit"), "2");  // stays on the edited row
  rs->Edit();
  rs->SetField("User", std::nullopt);
  rs->Update();
  EXPECT_EQ(outside.Text("SELECT group_concat(Status || ':' || ifnull(User, 'null')) FROM Queue"),
            "N:null,Y:null");
  // Moving off drops a pending edit.
  rs->MoveFirst();
  rs->Edit();
  rs->SetField("Status", std::string("Z"));
  rs->MoveNext();
  EXPECT_EQ(ErrorOf([&] { rs->Update(); }), 3020);
  EXPECT_EQ(outside.Text("SELECT Status FROM Queue WHERE Unit = '1'"), "N");
}

TEST_F(RecordsetTest, CompanyQueryReadsOneModemsRows) {
  outside.Exec(
      "INSERT INTO Queue (Unit, Modem) VALUES ('1', '555'), ('2', 'O''Hara'), ('3', '555'),"
      "('4', '5550'), ('5', NULL)");
  auto rs = db->OpenRecordset("Select * From Queue where Queue.[Modem] = '555'");
  EXPECT_EQ(Units(*rs), (std::vector<std::string>{"1", "3"}));
  auto quoted = db->OpenRecordset("Select * From Queue where Queue.[Modem] = 'O''Hara'");
  EXPECT_EQ(Units(*quoted), (std::vector<std::string>{"2"}));
  EXPECT_EQ(db->OpenRecordset("Select * From Queue where Queue.[Modem] = 'none'")->RecordCount(),
            0);
  // The send dialogue's edit on the company's set.
  rs->MoveFirst();
  rs->Edit();
  rs->SetField("Status", std::string("Y"));
  rs->Update();
  EXPECT_EQ(outside.Text("SELECT Status FROM Queue WHERE Unit = '1'"), "Y");
  EXPECT_EQ(ErrorOf([&] { db->OpenRecordset("Select * From Queue where [Nope] = 'x'"); }),
            3061);
}

TEST_F(RecordsetTest, CompanyListIsDistinctAscendingAndReadOnly) {
  outside.Exec("INSERT INTO Queue (Modem) VALUES ('555-2'), ('555-1'), ('555-2'), ('444')");
  auto rs = db->OpenRecordset("Select Distinct [Modem] from [Queue] Order by [Modem]");
  EXPECT_EQ(rs->RecordCount(), 3);
  std::vector<std::string> modems;
  for (; !rs->Eof(); rs->MoveNext()) modems.push_back(*rs->Field("Modem"));
  EXPECT_EQ(modems, (std::vector<std::string>{"444", "555-1", "555-2"}));
  EXPECT_EQ(ErrorOf([&] { rs->AddNew(); }), 3027);
  rs->MoveFirst();
  EXPECT_EQ(ErrorOf([&] { rs->Delete(); }), 3027);
  EXPECT_EQ(ErrorOf([&] { rs->Field("Unit"); }), 3265);
  auto empty = db->OpenRecordset("Select Distinct [Modem] from [Temp] Order by [Modem]");
  EXPECT_EQ(empty->RecordCount(), 0);
  EXPECT_TRUE(empty->Eof());
}

TEST_F(RecordsetTest, SourcesInAnyCaseAndMissingTables) {
  outside.Exec("INSERT INTO Scheadule (DateTo, TimeTo, Unit) VALUES ('2026-12-07', '14:30', '9')");
  EXPECT_EQ(db->OpenRecordset("Select * From Scheadule")->Field("TimeTo"), "14:30");
  EXPECT_EQ(db->OpenRecordset("scheadule")->Field("dateto"), "2026-12-07");
  EXPECT_EQ(db->OpenRecordset("TranLog")->RecordCount(), 0);
  EXPECT_EQ(db->OpenRecordset("tranlog")->RecordCount(), 0);
  try {
    db->OpenRecordset("Schedule");
    FAIL() << "no error";
  } catch (const vb::RuntimeError& error) {
    EXPECT_EQ(error.Number(), 3078);
    EXPECT_EQ(error.Description(),
              "The database engine cannot find the input table or query 'Schedule'. Make sure it "
              "exists and that its name is spelled correctly.");
  }
  EXPECT_EQ(ErrorOf([&] { db->OpenRecordset("Select * From Nowhere"); }), 3078);
  // A plain SQL query outside the program's forms reads whole, read-only.
  auto rs = db->OpenRecordset("SELECT Unit AS u FROM Scheadule");
  EXPECT_EQ(rs->Field("u"), "9");
  EXPECT_EQ(ErrorOf([&] { rs->Edit(); }), 3027);
  EXPECT_EQ(ErrorOf([&] { db->OpenRecordset("SELECT 1; DELETE FROM Scheadule"); }), 3000);
  EXPECT_EQ(outside.Number("SELECT count(*) FROM Scheadule"), 1);
}

TEST_F(RecordsetTest, OpeningDoesNotReadTheWholeTable) {
  outside.Exec(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
      "INSERT INTO TranLog (Sender) SELECT i FROM n");
  auto rs = db->OpenRecordset("TranLog");
  EXPECT_EQ(rs->RecordCount(), 1);  // one row learnt, not twenty thousand
  rs->MoveLast();
  EXPECT_EQ(rs->RecordCount(), 20000);
  EXPECT_EQ(rs->Field("Sender"), "20000");
}

// The grid's reader: by position, a block of 64 at a time, past holes left before the snapshot
// and rows deleted after it, across the every-1024th-key signposts of a counted table.
TEST_F(RecordsetTest, SnapshotBlocksSkipNoRowAndRepeatNoneAroundDeletedRows) {
  outside.Exec(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2100) "
      "INSERT INTO TranLog (Sender) SELECT i FROM n");
  outside.Exec("DELETE FROM TranLog WHERE id IN (10, 1500)");
  dao::TableSnapshot snapshot(*db, "tranlog", {"Sender"});
  const auto readAll = [&] {
    std::vector<int> senders;
    for (std::size_t first = 0; first < snapshot.Count(); first += 64) {
      for (const auto& row : snapshot.Read(*db, first, 64)) senders.push_back(std::stoi(*row[0]));
    }
    return senders;
  };
  const auto without = [](std::initializer_list<int> gone) {
    std::vector<int> senders;
    for (int i = 1; i <= 2100; ++i) {
      if (std::find(gone.begin(), gone.end(), i) == gone.end()) senders.push_back(i);
    }
    return senders;
  };
  EXPECT_EQ(readAll(), without({10, 1500}));
  EXPECT_EQ(snapshot.Count(), 2098U);
  outside.Exec("DELETE FROM TranLog WHERE id IN (20, 2000)");
  EXPECT_EQ(readAll(), without({10, 20, 1500, 2000}));
  EXPECT_EQ(snapshot.Count(), 2096U);
}

}  // namespace
