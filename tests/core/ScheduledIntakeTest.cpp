// The intake's scheduled rows, the staging table and the count.
#include "core/CoreTest.h"

namespace core_test {
namespace {

// The clock stands at Monday, December 07, 2026, 2:30:00 PM.
class ScheduledIntakeTest : public CoreTest {};

TEST_F(ScheduledIntakeTest, ARowIsDueWhenItsDateAndSeparatelyItsTimeHaveCome) {
  struct Case {
    std::optional<std::string> date, time;
    bool due;
  };
  const Case cases[] = {
      {"2026-12-07", "14:30:00", true},         {"2026-12-07", "14:30", true},
      {"12/07/2026", "2:30 PM", true},          {"2026-12-06 00:00:00", "1899-12-30 09:00:00", true},
      {"12/7/26", "2 PM", true},                {"2026-12-07", "14:31", false},
      {"2026-12-06", "15:00", false},           {"2026-12-08", "09:00", false},
      {"next week", "09:00", false},            {"2026-12-07", "25:99", false},
      {std::nullopt, "09:00", false},           {"2026-12-07", std::nullopt, false},
      {"2026-02-30", "09:00", false},
  };
  for (const Case& c : cases) h.InsertScheduled(c.date, c.time, "555", "1", "m");
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty());  // unreadable rows do not stop the server
  EXPECT_EQ(m().strServerState, "RUNNING");
  std::vector<std::optional<std::string>> left;
  for (const Case& c : cases) {
    if (!c.due) left.push_back(c.date);
  }
  EXPECT_EQ(Column("Scheadule", "DateTo"), left);
  EXPECT_EQ(m().intPending, 5);
}

TEST_F(ScheduledIntakeTest, ARowMovesAtTheFirstStartAfterItsTime) {
  h.InsertScheduled("2026-12-07", "14:31", "555", "1", "later", "Y");
  Start();
  EXPECT_EQ(h.CountRows("Queue"), 0);
  Stop();
  h.loop.Advance(60'000);
  Start();
  const auto rows = h.Rows("Queue");
  ASSERT_EQ(rows.size(), 1U);
  EXPECT_EQ(rows[0].at("Status"), "Y");  // its own Status
  EXPECT_EQ(rows[0].at("Sender"), "Scheduler");
  EXPECT_EQ(rows[0].at("User"), std::nullopt);
  EXPECT_EQ(rows[0].at("Date Sent"), std::nullopt);
  EXPECT_EQ(h.CountRows("Scheadule"), 0);
}

// A Null number cannot be dialled: the row stays scheduled. An empty one is dialled (prefix and
// suffix alone), so that its failure is logged.
TEST_F(ScheduledIntakeTest, ADueRowWithoutNumberStaysScheduledAndAnEmptyOneIsDialled) {
  h.InsertScheduled("2026-12-07", "09:00", std::nullopt, "1", "no company");
  h.InsertScheduled("2026-12-07", "09:00", std::string(""), "2", "empty number");
  Start();
  EXPECT_EQ(h.CountRows("Scheadule"), 1);
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"2"}));
  EXPECT_EQ(m().strModem, "");
  EXPECT_EQ(form().lblStatus.Caption.get(), "Server is running");
  EXPECT_TRUE(form().tmrDialing.Enabled);
}

// The web side writes Temp and Queue directly between Starts.
TEST_F(ScheduledIntakeTest, StagingMovesEveryDeliverableTempRowWhole) {
  const Row failed{{"Unit", "1"},        {"Message", "m1"},     {"Modem", "555"},
                   {"Sender", "Intranet"}, {"Status", "N"},      {"Date Sent", "12/06/26"},
                   {"Time Sent", "9:00"},  {"IP Address", "10.1.1.1"}, {"User", std::nullopt},
                   {"Browser", "B"}};
  h.Insert("Temp", failed);
  Row withUser = failed;
  withUser["User"] = "ann";
  withUser["Date Sent"] = std::nullopt;
  h.Insert("Temp", withUser);
  Row noModem = failed;
  noModem["Modem"] = std::nullopt;
  h.Insert("Temp", noModem);
  h.Insert("Queue", {{"Unit", "q"}, {"Modem", "555"}, {"Status", "N"}});
  h.Insert("Queue", {{"Unit", "lost"}, {"Modem", ""}, {"Status", "N"}});
  h.InsertScheduled("2026-12-07", "09:00", "444", "s", "sched");

  Start();
  EXPECT_EQ(m().intPending, 5);  // the two earlier rows, the scheduled one and the two staged ones
  const auto queue = h.Rows("Queue");
  ASSERT_EQ(queue.size(), 5U);
  EXPECT_EQ(queue[2].at("Unit"), "s");
  Row expected = failed;
  expected["User"] = "";
  EXPECT_EQ(queue[3], expected);
  EXPECT_EQ(queue[4], withUser);
  // The row that cannot be dialled waits in Temp, where an operator sees it, and the log says
  // so once; the empty number is dialled first.
  EXPECT_EQ(Column("Temp", "Unit"), (std::vector<std::optional<std::string>>{"1"}));
  EXPECT_EQ(m().strModem, "");
  const auto log = h.TranLog();
  ASSERT_EQ(log.size(), 1U);
  EXPECT_EQ(log[0].at("Paging Unit"), "1");
  EXPECT_EQ(log[0].at("Paging Company"), std::nullopt);
  EXPECT_EQ(log[0].at("Message"), "12/07/26 - 2:30:00 PM : Message: m1 to unit 1 was not sent because paging company "
                                  "has no modem number. The message waits in Temp.");
  h.Insert("Queue", {{"Unit", "again"}, {"Status", "N"}});
  Start();
  EXPECT_EQ(Column("Temp", "Unit"), (std::vector<std::optional<std::string>>{"1", "again"}));
  EXPECT_EQ(h.CountRows("TranLog"), 2) << "one record a parked message, not one a cycle";
  // Nor one a run of the program: a new server on the same folder knows them as reported.
  testing_support::ServerHarness::Options again;
  again.folder = h.folder.Path();
  again.makeDatabase = false;
  testing_support::ServerHarness restarted(again);
  restarted.core->Command1_Click();
  EXPECT_EQ(h.CountRows("TranLog"), 2) << "one record in a parked message's life";
}

}  // namespace
}  // namespace core_test
