// Messages that wait in Temp: the one record of a row without a modem number, the row staged
// once it has a number, and the queue's room.
#include "core/CoreTest.h"

namespace core_test {
namespace {

// The clock stands at Monday, December 07, 2026, 2:30:00 PM.
class ParkedRowsTest : public CoreTest {
 protected:
  long NoNumberRecords() const {
    long count = 0;
    for (const Row& row : h.TranLog()) {
      if (row.at("Message").value_or("").find("has no modem number") != std::string::npos) ++count;
    }
    return count;
  }
};

// The record and the row's "reported" mark are one transaction: when the mark cannot be
// written, the record is not kept either, so the next Start writes it once, not a second time.
TEST_F(ParkedRowsTest, ARecordWhoseMarkFailedIsNotKeptSoTheNextStartWritesItOnce) {
  h.Insert("Temp", {{"Unit", "4711"}, {"Message", "m"}, {"Status", "N"}});
  h.Exec("CREATE TRIGGER refuse BEFORE UPDATE ON Temp BEGIN SELECT RAISE(ABORT, 'disk full'); END");
  Start();
  EXPECT_EQ(m().strServerState, "STOP") << "the refused mark stops the Start";
  EXPECT_EQ(NoNumberRecords(), 0);
  h.Exec("DROP TRIGGER refuse");
  Start();
  Start();
  EXPECT_EQ(NoNumberRecords(), 1);
}

// A reported row carries the server's mark, a negative id: once an operator gives it its
// number, the next Start stages it like any other.
TEST_F(ParkedRowsTest, AReportedRowGivenItsNumberIsStaged) {
  h.Insert("Temp", {{"Unit", "4711"}, {"Message", "m"}, {"Status", "N"}});
  Start();
  ASSERT_EQ(NoNumberRecords(), 1);
  h.Exec("UPDATE Temp SET Modem = '5551234'");
  Start();
  EXPECT_EQ(h.CountRows("Temp"), 0);
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"4711"}));
  EXPECT_EQ(m().strModem, "5551234");
}

// The pending counter is a 16-bit number: staging stops at 32,767 queued rows, and the rest
// waits in Temp instead of stopping the server with an overflow.
TEST_F(ParkedRowsTest, StagingFillsTheQueueToItsRoomAndLeavesTheRestInTemp) {
  h.Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32766) "
         "INSERT INTO Queue (Unit, Message, Modem, Status) SELECT 'u' || i, 'm', '5551234', 'N' FROM n");
  h.Insert("Temp", {{"Unit", "first"}, {"Modem", "5551234"}, {"Status", "N"}});
  h.Insert("Temp", {{"Unit", "second"}, {"Modem", "5551234"}, {"Status", "N"}});
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty());
  EXPECT_EQ(m().strServerState, "RUNNING");
  EXPECT_EQ(m().intPending, 32767);
  EXPECT_EQ(Column("Temp", "Unit"), (std::vector<std::optional<std::string>>{"second"}));
}

}  // namespace
}  // namespace core_test
