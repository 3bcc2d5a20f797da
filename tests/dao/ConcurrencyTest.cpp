// Outside programs share the file: a writer of scheduled rows, a short write lock. This is the
// one test file that waits in real time (about a second, on a real lock).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "PagerFile.h"

namespace {

using dao_test::OutsideConnection;
using dao_test::PagerFile;

TEST(Concurrency, OutsideWriterAddsScheduledRowsWhileSetsAreOpen) {
  PagerFile file;
  OutsideConnection outside(file.Path());
  outside.Exec("INSERT INTO Scheadule (DateTo, TimeTo, Unit) VALUES ('2026-12-07', '09:00', 's1')");
  auto db = file.Open();
  auto sched = db->OpenRecordset("Select * From Scheadule");
  auto queue = db->OpenRecordset("Queue");

  // The intake copies each due row and deletes it while an outside program keeps writing.
  int written = 0;
  int moved = 0;
  for (int round = 0; round < 3; ++round) {
    for (; !sched->Eof(); sched->MoveNext()) {
      outside.Exec(
          "INSERT INTO Scheadule (DateTo, TimeTo, Unit) VALUES ('2026-12-07', '09:00', "
          "'o" +
          std::to_string(written++) + "')");
      queue->AddNew();
      queue->SetField("Unit", sched->Field("Unit"));
      queue->Update();
      sched->Delete();
      ++moved;
    }
    sched->Close();
    sched = db->OpenRecordset("Select * From Scheadule");
  }
  // Each pass took the rows present at its open; the rows written meanwhile wait for the next.
  EXPECT_EQ(moved + sched->RecordCount(), 1 + written);
  EXPECT_EQ(outside.Number("SELECT count(*) FROM Queue"), moved);
  EXPECT_EQ(outside.Number("SELECT count(*) FROM Scheadule"), written + 1 - moved);
  EXPECT_EQ(outside.Number("SELECT count(DISTINCT Unit) FROM Queue"), moved);
}

TEST(Concurrency, ShortOutsideLockIsWaitedOut) {
  PagerFile file;
  auto db = file.Open();
  auto rs = db->OpenRecordset("TranLog");
  std::atomic<bool> locked{false};
  std::thread holder([&] {
    OutsideConnection outside(file.Path());
    outside.Exec("BEGIN IMMEDIATE");
    outside.Exec("INSERT INTO TranLog (Sender) VALUES ('outside')");
    locked = true;
    std::this_thread::sleep_for(std::chrono::seconds(1));
    outside.Exec("COMMIT");
  });
  while (!locked) std::this_thread::yield();

  const auto start = std::chrono::steady_clock::now();
  rs->AddNew();  // an autocommit append meets the lock
  rs->SetField("Sender", std::string("server 1"));
  rs->Update();
  file.Engine().BeginTrans();  // and so would a transaction
  rs->AddNew();
  rs->SetField("Sender", std::string("server 2"));
  rs->Update();
  file.Engine().CommitTrans();
  db->Execute("INSERT INTO TranLog (Sender) VALUES ('server 3')");
  const auto waited = std::chrono::steady_clock::now() - start;
  holder.join();

  EXPECT_GE(waited, std::chrono::milliseconds(500));
  OutsideConnection check(file.Path());
  EXPECT_EQ(
      check.Text("SELECT group_concat(Sender, '|') FROM (SELECT Sender FROM TranLog ORDER BY id)"),
      "outside|server 1|server 2|server 3");
  EXPECT_EQ(rs->RecordCount(), 2);  // the set's own two appends
}

}  // namespace
