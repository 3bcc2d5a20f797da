#include <gtest/gtest.h>

#include <filesystem>

#include "PagerFile.h"
#include "support/ErrorNumber.h"

namespace {

using dao_test::OutsideConnection;
using dao_test::PagerFile;
using testing_support::ErrorOf;

TEST(DatabaseOpen, MissingFileIsAnErrorAndCreatesNothing) {
  testing_support::TempFolder folder;
  dao::DBEngine engine;
  const std::string path = folder.PathOf("pager.mdb");
  try {
    engine.Workspaces(0).OpenDatabase(path);
    FAIL() << "no error";
  } catch (const vb::RuntimeError& error) {
    EXPECT_EQ(error.Number(), 3024);
    EXPECT_EQ(error.Description(), "Could not find file '" + path + "'.");
  }
  EXPECT_FALSE(folder.Exists("pager.mdb"));
}

TEST(DatabaseOpen, FileThatIsNotADatabaseIsRefused) {
  testing_support::TempFolder folder;
  dao::DBEngine engine;
  folder.Write("text.mdb", std::string(4096, 'x'));
  folder.Write("empty.mdb", "");
  EXPECT_EQ(ErrorOf([&] { engine.Workspaces(0).OpenDatabase(folder.PathOf("text.mdb")); }),
            3049);
  // SQLite would take an empty file for an empty database; it is not a pager database.
  EXPECT_EQ(ErrorOf([&] { engine.Workspaces(0).OpenDatabase(folder.PathOf("empty.mdb")); }),
            3049);
  EXPECT_EQ(folder.Read("empty.mdb"), "");
}

TEST(DatabaseOpen, OpensSharedInWriteAheadLogMode) {
  PagerFile file;
  OutsideConnection(file.Path()).Exec("PRAGMA journal_mode=DELETE");
  auto db = file.Open();
  EXPECT_TRUE(db->IsOpen());
  EXPECT_EQ(db->Path(), file.Path());
  OutsideConnection outside(file.Path());
  EXPECT_EQ(outside.Text("PRAGMA journal_mode"), "wal");
  // A second connection in the same process (the log grid's) works alongside.
  auto second = file.Open();
  second->Execute("INSERT INTO Temp (Unit) VALUES ('1')");
  EXPECT_EQ(db->OpenRecordset("Temp")->RecordCount(), 1);
}

// The log is emptied when the server closes the file, also while another program has it open:
// a copy of the file put in place before the next use keeps its own content.
TEST(DatabaseClose, NoLogOutlivesAUseAndACopyPutInPlaceIsReadAsItStands) {
  PagerFile file;
  std::filesystem::copy_file(file.Path(), file.Folder().PathOf("copy.mdb"));
  OutsideConnection outside(file.Path());
  EXPECT_EQ(outside.Number("SELECT count(*) FROM Temp"), 0);  // the file open in another program
  {
    auto db = file.Open();
    db->Execute("INSERT INTO Temp (Unit) VALUES ('1')");
    db->Close();
  }
  std::error_code missing;
  const auto logSize = std::filesystem::file_size(file.Path() + "-wal", missing);
  EXPECT_TRUE(missing || logSize == 0) << logSize;
  std::filesystem::rename(file.Folder().PathOf("copy.mdb"), file.Path());
  OutsideConnection copy(file.Path());
  copy.Exec("INSERT INTO Queue (Unit) VALUES ('2')");
  EXPECT_EQ(copy.Number("SELECT count(*) FROM Temp"), 0);
  auto db = file.Open();
  EXPECT_EQ(db->OpenRecordset("Queue")->RecordCount(), 1);
  EXPECT_EQ(db->OpenRecordset("Temp")->RecordCount(), 0);
}

TEST(DatabaseOpen, OnlyWorkspaceZeroExists) {
  dao::DBEngine engine;
  EXPECT_EQ(ErrorOf([&] { engine.Workspaces(1); }), 3265);
  EXPECT_EQ(&engine.Workspaces(0), &engine.Workspaces(0));
}

TEST(DatabaseOpen, ReadOnlyOpenRefusesWrites) {
  PagerFile file;
  auto db = file.Engine().Workspaces(0).OpenDatabase(file.Path(), false, true);
  auto rs = db->OpenRecordset("Temp");
  rs->AddNew();
  EXPECT_EQ(ErrorOf([&] { rs->Update(); }), 3027);
}

TEST(DatabaseExecute, DeleteStatementsEmptyTheirTable) {
  PagerFile file;
  OutsideConnection outside(file.Path());
  auto db = file.Open();
  const std::pair<const char*, const char*> cases[] = {
      {"Delete Temp.* From Temp", "Temp"},          {"Delete Queue.* From Queue", "Queue"},
      {"Delete Queue.* from Queue", "Queue"},       {"Delete Tranlog.* From Tranlog", "TranLog"},
      {"delete * from temp", "Temp"},               {"DELETE FROM [Queue];", "Queue"}};
  for (const auto& [statement, table] : cases) {
    outside.Exec("INSERT INTO Temp (Unit) VALUES ('1'); INSERT INTO Queue (Unit) VALUES ('2');"
                 "INSERT INTO TranLog (Sender) VALUES ('3'); INSERT INTO Scheadule (Unit) "
                 "VALUES ('4')");
    const long before = outside.Number("SELECT count(*) FROM Temp") +
                        outside.Number("SELECT count(*) FROM Queue") +
                        outside.Number("SELECT count(*) FROM TranLog");
    const long inTable = outside.Number(std::string("SELECT count(*) FROM ") + table);
    db->Execute(statement);
    EXPECT_EQ(outside.Number(std::string("SELECT count(*) FROM ") + table), 0) << statement;
    const long after = outside.Number("SELECT count(*) FROM Temp") +
                       outside.Number("SELECT count(*) FROM Queue") +
                       outside.Number("SELECT count(*) FROM TranLog");
    EXPECT_EQ(after, before - inTable) << statement << ": other tables untouched";
  }
  EXPECT_EQ(outside.Number("SELECT count(*) FROM Scheadule"), 6);
  // Keys keep growing after a table was emptied: a new row never reuses an old key.
  outside.Exec("INSERT INTO Temp (Unit) VALUES ('x')");
  EXPECT_EQ(outside.Number("SELECT id FROM Temp WHERE Unit = 'x'"), 7);
}

TEST(DatabaseExecute, DeleteAllPutsTheConnectionsSecureDeleteBack) {
  PagerFile file;
  auto db = file.Open();
  const auto secureDelete = [&] {
    return db->OpenRecordset("SELECT secure_delete FROM pragma_secure_delete")->Field("secure_delete");
  };
  const dao::Value before = secureDelete();
  db->Execute("Delete Tranlog.* From Tranlog");
  EXPECT_EQ(secureDelete(), before);  // not left at "fast" for the deletes that follow
}

TEST(DatabaseExecute, ErrorsNameTheProblem) {
  PagerFile file;
  auto db = file.Open();
  try {
    db->Execute("Delete Nothere.* From Nothere");
    FAIL() << "no error";
  } catch (const vb::RuntimeError& error) {
    EXPECT_EQ(error.Number(), 3078);
    EXPECT_NE(error.Description().find("'Nothere'"), std::string::npos);
  }
  EXPECT_EQ(ErrorOf([&] { db->Execute("Delete Temp.* From Queue"); }), 3000);
  EXPECT_EQ(ErrorOf([&] { db->Execute("this is not sql"); }), 3000);
  EXPECT_EQ(ErrorOf([&] { db->Execute("SELECT * FROM Gone"); }), 3078);
  // Other statements run as SQLite SQL.
  db->Execute("INSERT INTO Scheadule (Unit) VALUES ('77')");
  EXPECT_EQ(db->OpenRecordset("Scheadule")->Field("Unit"), "77");
}

TEST(DatabaseClose, EveryLaterCallRaisesObjectInvalid) {
  PagerFile file;
  auto db = file.Open();
  auto rs = db->OpenRecordset("Temp");
  db->Close();
  db->Close();  // harmless
  EXPECT_FALSE(db->IsOpen());
  EXPECT_FALSE(rs->IsOpen());
  EXPECT_EQ(ErrorOf([&] { db->Execute("Delete Temp.* From Temp"); }), 3420);
  EXPECT_EQ(ErrorOf([&] { db->OpenRecordset("Temp"); }), 3420);
  EXPECT_EQ(ErrorOf([&] { rs->Eof(); }), 3420);
  EXPECT_EQ(ErrorOf([&] { rs->RecordCount(); }), 3420);
  EXPECT_EQ(ErrorOf([&] { rs->AddNew(); }), 3420);
  EXPECT_EQ(ErrorOf([&] { rs->Field("Unit"); }), 3420);
  EXPECT_EQ(ErrorOf([&] { rs->Close(); }), 3420);
}

TEST(DatabaseClose, RecordsetKeepsItsDatabaseAlive) {
  PagerFile file;
  std::shared_ptr<dao::Recordset> rs;
  {
    auto db = file.Open();
    db->Execute("INSERT INTO Temp (Unit) VALUES ('kept')");
    rs = db->OpenRecordset("Temp");
  }
  EXPECT_TRUE(rs->IsOpen());
  EXPECT_EQ(rs->Field("Unit"), "kept");
}

}  // namespace
