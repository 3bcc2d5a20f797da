// Cost of the dao layer against plain SQLite, in the patterns the server uses.
//
// Every figure is a ratio to a floor measured in the same run on the same kind of file (write-
// ahead log, synchronous=FULL as the dao sets it): plain SQLite with one prepared INSERT statement.
//   a. Temp rows appended one by one through a dynaset, no transaction (aim: at most 1.5)
//   b. the same appends inside one transaction (aim: at most 2)
//   c. the log pattern (open a dynaset on TranLog, BeginTrans, AddNew, nine fields, Update,
//      CommitTrans, Close) into a TranLog of 1,000 and of 1,000,000 rows (aim: at most 3)
// Usage: dao_bench [folder for the scratch files]   (default: a new folder under /tmp)
#include <sqlite3.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "PagerDatabaseFile.h"
#include "platform/dao/DBEngine.h"
#include "platform/dao/Database.h"
#include "platform/dao/Recordset.h"

namespace {

constexpr int kTempRows = 20000;
constexpr int kLogRecords = 5000;
constexpr int kRepeats = 3;

const std::array<const char*, 10> kQueueColumns = {
    "Unit", "Message", "Modem", "Sender", "Status", "Date Sent", "Time Sent", "IP Address",
    "User", "Browser"};
const std::array<const char*, 9> kLogColumns = {"Sender",    "Paging Unit", "Message",
                                                "Paging Company", "Date Sent", "Time Sent",
                                                "IP Address", "User", "Browser"};

std::string ValueFor(const char* column, int row) {
  std::string value = std::string(column) + " " + std::to_string(row);
  if (std::string(column) == "Message") value += std::string(120, 'm');
  return value;
}

class RawDatabase {
 public:
  explicit RawDatabase(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
      throw std::runtime_error("cannot open " + path);
    }
    sqlite3_busy_timeout(db_, 5000);
    Exec("PRAGMA journal_mode=WAL");
    Exec("PRAGMA synchronous=FULL");  // as the dao's connection
  }
  ~RawDatabase() {
    sqlite3_finalize(insert_);
    sqlite3_close(db_);
  }
  void Exec(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sqlite3_errmsg(db_));
    }
  }
  // Prepares the one INSERT of `table` for the given columns.
  template <std::size_t N>
  void PrepareInsert(const char* table, const std::array<const char*, N>& columns) {
    std::string names;
    std::string markers;
    for (const char* column : columns) {
      names += (names.empty() ? "\"" : ", \"") + std::string(column) + "\"";
      markers += markers.empty() ? "?" : ", ?";
    }
    const std::string sql =
        std::string("INSERT INTO ") + table + " (" + names + ") VALUES (" + markers + ")";
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &insert_, nullptr) != SQLITE_OK) {
      throw std::runtime_error(sqlite3_errmsg(db_));
    }
  }
  void Insert(const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) {
      sqlite3_bind_text(insert_, static_cast<int>(i) + 1, values[i].data(),
                        static_cast<int>(values[i].size()), SQLITE_STATIC);
    }
    if (sqlite3_step(insert_) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
    sqlite3_reset(insert_);
  }

 private:
  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
};

template <std::size_t N>
std::vector<std::vector<std::string>> Rows(const std::array<const char*, N>& columns, int count) {
  std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(count));
  for (int r = 0; r < count; ++r) {
    for (const char* column : columns) rows[r].push_back(ValueFor(column, r));
  }
  return rows;
}

class Scratch {
 public:
  explicit Scratch(std::string folder) : folder_(std::move(folder)) {}
  // A fresh pager database, optionally with `logRows` rows in TranLog already.
  std::string Fresh(long logRows = 0) {
    const std::string path = folder_ + "/pager-" + std::to_string(next_++) + ".mdb";
    if (pagerdb::CreatePagerDatabase(path) != pagerdb::CreateResult::kCreated) {
      throw std::runtime_error("cannot create " + path);
    }
    if (logRows > 0) {
      RawDatabase raw(path);
      const std::string fill =
          "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
          std::to_string(logRows) +
          ") INSERT INTO TranLog (Sender, \"Paging Unit\", Message, \"Paging Company\") "
          "SELECT 'Intranet', i, printf('%0120d', i), '555-0100' FROM n";
      raw.Exec(fill.c_str());
    }
    return path;
  }
  void Remove(const std::string& path) {
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
  }

 private:
  std::string folder_;
  int next_ = 0;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Runs floor and measured work kRepeats times each, alternating, on fresh files; the ratio of
// the medians.
double Ratio(Scratch& scratch, long logRows,
             const std::function<void(const std::string&)>& floor,
             const std::function<void(const std::string&)>& measured) {
  std::vector<double> floors;
  std::vector<double> measures;
  for (int i = 0; i < kRepeats; ++i) {
    const std::string a = scratch.Fresh(logRows);
    floors.push_back(bench::SecondsOf([&] { floor(a); }));
    scratch.Remove(a);
    const std::string b = scratch.Fresh(logRows);
    measures.push_back(bench::SecondsOf([&] { measured(b); }));
    scratch.Remove(b);
  }
  return Median(measures) / Median(floors);
}

void RawAppends(const std::string& path, const std::vector<std::vector<std::string>>& rows,
                bool oneTransaction) {
  RawDatabase raw(path);
  raw.PrepareInsert("Temp", kQueueColumns);
  if (oneTransaction) raw.Exec("BEGIN");
  for (const auto& row : rows) raw.Insert(row);
  if (oneTransaction) raw.Exec("COMMIT");
}

void DynasetAppends(const std::string& path, const std::vector<std::vector<std::string>>& rows,
                    bool oneTransaction) {
  dao::DBEngine engine;
  auto db = engine.Workspaces(0).OpenDatabase(path);
  auto rs = db->OpenRecordset("Temp");
  if (oneTransaction) engine.BeginTrans();
  for (const auto& row : rows) {
    rs->AddNew();
    for (std::size_t i = 0; i < kQueueColumns.size(); ++i) rs->SetField(kQueueColumns[i], row[i]);
    rs->Update();
  }
  if (oneTransaction) engine.CommitTrans();
  rs->Close();
  db->Close();
}

void RawLog(const std::string& path, const std::vector<std::vector<std::string>>& records) {
  RawDatabase raw(path);
  raw.PrepareInsert("TranLog", kLogColumns);
  for (const auto& record : records) raw.Insert(record);
}

void EngineLog(const std::string& path, const std::vector<std::vector<std::string>>& records) {
  dao::DBEngine engine;
  auto db = engine.Workspaces(0).OpenDatabase(path);
  for (const auto& record : records) {
    auto rsTranLog = db->OpenRecordset("TranLog");
    engine.BeginTrans();
    rsTranLog->AddNew();
    for (std::size_t i = 0; i < kLogColumns.size(); ++i) {
      rsTranLog->SetField(kLogColumns[i], record[i]);
    }
    rsTranLog->Update();
    engine.CommitTrans();
    rsTranLog->Close();
  }
  db->Close();
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder;
  if (argc > 1) {
    folder = argv[1];
  } else {
    char pattern[] = "/tmp/dao_bench.XXXXXX";
    if (::mkdtemp(pattern) == nullptr) return 1;
    folder = pattern;
  }
  Scratch scratch(folder);
  const auto tempRows = Rows(kQueueColumns, kTempRows);
  const auto logRecords = Rows(kLogColumns, kLogRecords);

  std::printf("dao_bench: ratios to plain SQLite with one prepared INSERT (median of %d)\n",
              kRepeats);
  const double a = Ratio(
      scratch, 0, [&](const std::string& p) { RawAppends(p, tempRows, false); },
      [&](const std::string& p) { DynasetAppends(p, tempRows, false); });
  std::printf("a. %d Temp appends through a dynaset, autocommit:      %.2f (aim <= 1.5)\n",
              kTempRows, a);
  const double b = Ratio(
      scratch, 0, [&](const std::string& p) { RawAppends(p, tempRows, true); },
      [&](const std::string& p) { DynasetAppends(p, tempRows, true); });
  std::printf("b. %d Temp appends through a dynaset, one transaction: %.2f (aim <= 2)\n",
              kTempRows, b);
  for (long logRows : {1000L, 1000000L}) {
    const double c = Ratio(
        scratch, logRows, [&](const std::string& p) { RawLog(p, logRecords); },
        [&](const std::string& p) { EngineLog(p, logRecords); });
    std::printf("c. %d log records into a TranLog of %7ld rows:       %.2f (aim <= 3)\n",
                kLogRecords, logRows, c);
  }
  if (argc <= 1) std::filesystem::remove_all(folder);
  return 0;
}
