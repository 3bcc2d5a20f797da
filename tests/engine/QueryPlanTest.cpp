// A company's rows, for its call and for its failure, are found through the index QueueByModem,
// not by reading the whole queue: the plans SQLite chose for the statements the server runs.
#include <sqlite3.h>

#include <string>
#include <vector>

#include "EngineFixture.h"
#include "core/CompanyQuery.h"
#include "engine/FailureQuery.h"
#include "platform/dao/Connection.h"
#include "platform/dao/Database.h"

namespace engine_test {
namespace {

class QueryPlanTest : public EngineTest {
 protected:
  // The plan of one statement, its lines joined.
  static std::string PlanOf(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* plan = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, ("EXPLAIN QUERY PLAN " + sql).c_str(), -1, &plan, nullptr), SQLITE_OK) << sql;
    std::string text;
    while (sqlite3_step(plan) == SQLITE_ROW) {
      text += reinterpret_cast<const char*>(sqlite3_column_text(plan, 3));
      text += "\n";
    }
    sqlite3_finalize(plan);
    return text;
  }

  // The plans of the statements the database holds prepared that read Queue.
  static std::vector<std::string> PlansReadingQueue(sqlite3* db) {
    std::vector<std::string> plans;
    for (sqlite3_stmt* statement = sqlite3_next_stmt(db, nullptr); statement != nullptr;
         statement = sqlite3_next_stmt(db, statement)) {
      const std::string sql = sqlite3_sql(statement);
      if (sql.find("Queue") != std::string::npos && sql.find("Modem") != std::string::npos) {
        plans.push_back(sql + "\n" + PlanOf(db, sql));
      }
    }
    return plans;
  }
};

TEST_F(QueryPlanTest, TheCompanysRowsAreFoundThroughTheIndexQueueByModem) {
  QueueMany("5550100", 2);
  QueueMany("5550200", 2);
  auto db = h.dbEngine.Workspaces(0).OpenDatabase(h.DatabasePath());
  sqlite3* handle = db->Connection().Handle();
  for (const std::string& source : {pager::CompanyQueryText("5550100"), pager::WaitingRowsQuery("5550100")}) {
    SCOPED_TRACE(source);
    auto rows = db->OpenRecordset(source);
    rows->MoveLast();
    EXPECT_EQ(rows->RecordCount(), 2);
    const std::vector<std::string> plans = PlansReadingQueue(handle);
    ASSERT_FALSE(plans.empty());
    for (const std::string& plan : plans) EXPECT_NE(plan.find("INDEX QueueByModem"), std::string::npos) << plan;
    rows->Close();
  }
  // The failure's rows of another Status are read whole, by a query of their own.
  const std::string others = pager::OtherStatusRowsQuery("5550100");
  EXPECT_NE(PlanOf(handle, others).find("INDEX QueueByModem"), std::string::npos) << others;
  db->Close();
}

}  // namespace
}  // namespace engine_test
