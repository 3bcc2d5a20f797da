// The failure routine: which rows it fails, what it writes, and a pass cut off half-way.
#include "EngineFixture.h"

#include "platform/dao/Database.h"

namespace engine_test {
namespace {

class FailureRoutineTest : public EngineTest {
 protected:
  void Open() { h.m.dbPager = h.dbEngine.Workspaces(0).OpenDatabase(h.DatabasePath()); }
  void Fail(const std::string& modem, const std::string& reason) {
    h.m.strModem = modem;
    h.m.strFailReason = reason;
    engine().LogUnsentMessages();
  }
};

TEST_F(FailureRoutineTest, SelectsTheCompanysWaitingRowsExactlyAndCopiesThemUnchanged) {
  const auto row = [](std::optional<std::string> modem, std::optional<std::string> status, std::string unit) {
    return Row{{"Modem", modem}, {"Status", status}, {"Unit", unit}, {"Message", "m " + unit}};
  };
  h.Insert("Queue", row("Acme-1", "N", "a"));
  h.Insert("Queue", row("Acme-1", "Y", "sent"));
  h.Insert("Queue", row("acme-1", "N", "case"));
  h.Insert("Queue", row("Acme-1 ", "N", "blank"));
  h.Insert("Queue", row("Acme-1", "n", "small n"));
  h.Insert("Queue", row("Acme-1", "N ", "status blank"));
  h.Insert("Queue", row("Acme-1", std::nullopt, "null status"));
  h.Insert("Queue", row(std::nullopt, "N", "null modem"));
  h.Insert("Queue", row("Other", "N", "other"));
  h.Insert("Queue", Row{{"Modem", std::string("Acme-1")}, {"Status", std::string("N")}, {"User", std::string("")},
                        {"Date Sent", std::string("12/01/26")}, {"Browser", std::string("Lynx")}});
  Open();
  Fail("Acme-1", "was busy.");

  const auto temp = h.Rows("Temp");
  ASSERT_EQ(temp.size(), 2u);
  EXPECT_EQ(temp[0], (Row{{"Unit", "a"}, {"Message", "m a"}, {"Modem", "Acme-1"}, {"Sender", std::nullopt},
                          {"Status", "N"}, {"Date Sent", std::nullopt}, {"Time Sent", std::nullopt},
                          {"IP Address", std::nullopt}, {"User", std::nullopt}, {"Browser", std::nullopt}}));
  EXPECT_EQ(temp[1].at("User"), "");
  EXPECT_EQ(temp[1].at("Unit"), std::nullopt);
  // The company's rows with another Status get their failure records after the waiting ones,
  // and leave Queue without a copy: they are not offered again.
  const auto log = h.TranLog();
  ASSERT_EQ(log.size(), 6u);
  EXPECT_EQ(log[0].at("Paging Company"), "Acme-1");
  EXPECT_EQ(log[0].at("Paging Unit"), "a");
  EXPECT_EQ(log[1].at("Date Sent"), "12/01/26");
  EXPECT_EQ(log[1].at("Browser"), "Lynx");
  EXPECT_EQ(log[0].at("Message"), "12/07/26 - 2:30:00 PM : Message: m a to unit a was not sent because paging company was busy.");
  EXPECT_EQ(LogSentences()[1], " to unit  was not sent because paging company was busy.");
  std::vector<std::string> others;
  for (std::size_t i = 2; i < log.size(); ++i) others.push_back(log[i].at("Paging Unit").value_or("?"));
  EXPECT_EQ(others, (std::vector<std::string>{"sent", "small n", "status blank", "null status"}));
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::string>{"case", "blank", "null modem", "other"}))
      << "only the failed rows leave Queue, each with its record";
}

TEST_F(FailureRoutineTest, ACompanyWithOnlyARowOfAnotherStatusGetsItsRecord) {
  h.Insert("Queue", Row{{"Modem", std::string("Acme-1")}, {"Status", std::string("Y")}, {"Unit", std::string("u")},
                        {"Message", std::string("m")}});
  Open();
  Fail("Acme-1", "was busy.");
  ASSERT_EQ(h.TranLog().size(), 1u);
  EXPECT_EQ(h.TranLog()[0].at("Paging Unit"), "u");
  EXPECT_TRUE(h.Rows("Queue").empty());
  EXPECT_TRUE(h.Rows("Temp").empty());
}

TEST_F(FailureRoutineTest, QuoteInTheNumberSelectsExactlyThatCompany) {
  Queue("55'01", "a", "one");
  Queue("55'01' Or 'x'='x", "b", "two");
  Open();
  Fail("55'01", "was busy.");
  EXPECT_EQ(Column("Temp", "Unit"), std::vector<std::string>{"a"});
}

TEST_F(FailureRoutineTest, PassCutOffByAFailingRecordResumesWithoutWritingAnythingTwice) {
  QueueMany("5550100", 3);
  h.Exec("CREATE TRIGGER refuse BEFORE INSERT ON TranLog WHEN NEW.\"Paging Unit\" = 'U2' "
         "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
  Open();
  Fail("5550100", "was busy.");
  EXPECT_FALSE(h.dbEngine.Workspaces(0).InTransaction()) << "the failed pass's transaction is rolled back";
  // The company's rows are failed as one unit: none of them is, every one still waits.
  EXPECT_EQ(h.CountRows("Temp"), 0);
  EXPECT_EQ(h.CountRows("TranLog"), 0);
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::string>{"U1", "U2", "U3"}));

  h.Exec("DROP TRIGGER refuse");
  Fail("5550100", "was busy.");
  EXPECT_EQ(Column("Temp", "Unit"), (std::vector<std::string>{"U1", "U2", "U3"}));
  EXPECT_EQ(Column("TranLog", "Paging Unit"), (std::vector<std::string>{"U1", "U2", "U3"}));

  Fail("5550100", "carrier was lost.");
  EXPECT_EQ(h.CountRows("Temp"), 3) << "once per call";
}

}  // namespace
}  // namespace engine_test
