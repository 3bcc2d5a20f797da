// Cost of one Start whose intake takes 10,000 submissions, 1,000 Other File lines and 1,000 due
// scheduled rows (12,000 messages), against a floor measured in the same run: the same 12,000
// rows inserted into Queue of a fresh pager.mdb with one prepared statement in one transaction,
// its commit synced as the server's are (synchronous=FULL in write-ahead log mode).
// Aim: a ratio under 3. Each figure is the best of a few runs, each in a fresh folder.
// Usage: intake_bench [runs]
#include <sqlite3.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include "BenchFolder.h"
#include "BenchTiming.h"
#include "PlainSqlite.h"
#include "common/Form1.h"
#include "common/Module1.h"
#include "common/Platform.h"
#include "core/ServerCore.h"
#include "platform/comm/FakeSerial.h"
#include "platform/dao/DBEngine.h"
#include "platform/forms/Clock.h"
#include "platform/forms/ScriptedDialogs.h"
#include "platform/forms/SimulatedLoop.h"

namespace {

constexpr int kSubmissions = 10000;
constexpr int kOtherLines = 1000;
constexpr int kScheduled = 1000;
constexpr int kRows = kSubmissions + kOtherLines + kScheduled;

using bench::BenchFolder;
using bench::BindText;
using bench::PlainSqlite;

// Inserts `count` rows with one prepared statement in one transaction.
void InsertRows(PlainSqlite& sql, const std::string& insert, int columns, int count, int firstRow = 0) {
  sqlite3_stmt* statement = sql.Prepare(insert);
  sql.Exec("BEGIN");
  for (int row = firstRow; row < firstRow + count; ++row) {
    for (int column = 1; column <= columns; ++column) {
      BindText(statement, column, "value " + std::to_string(row) + "." + std::to_string(column));
    }
    sql.Step(statement);
  }
  sql.Exec("COMMIT");
  sqlite3_finalize(statement);
}

double FloorSeconds() {
  BenchFolder folder("intake-bench");
  PlainSqlite sql(folder.PathOf("pager.mdb"), "FULL");
  return bench::SecondsOf([&] {
    InsertRows(sql,
               "INSERT INTO Queue (Unit, Message, Modem, Sender, Status, \"Date Sent\", \"Time Sent\", "
               "\"IP Address\", User, Browser) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)",
               10, kRows);
  });
}

double StartSeconds(long& pending) {
  BenchFolder folder("intake-bench");
  std::string submissions = "\"Unit\",\"Message\",\"Modem\",\"Date\",\"Time\",\"Remote Address\",\"User\",\"Browser\"\r\n";
  for (int i = 0; i < kSubmissions; ++i) {
    submissions += "\"" + std::to_string(1000 + i) + "\",\"Message number " + std::to_string(i) +
                   " from the intranet form\",\"555" + std::to_string(i % 20) +
                   "\",\"12/07/26\",\"14:00:00\",\"10.0.0." + std::to_string(i % 250) + "\",\"Mozilla/4.0\"\r\n";
  }
  folder.Write("FEEDBACK.TXT", submissions);
  folder.Write("internet.cfg", "\"" + folder.PathOf("FEEDBACK.TXT") + "\"\r\n");
  std::string other;
  for (int i = 0; i < kOtherLines; ++i) other += "\"" + std::to_string(i) + "\",\"Other file message " + std::to_string(i) + "\"\r\n";
  folder.Write("other.txt", other);
  folder.Write("own.cfg", "\"" + folder.PathOf("other.txt") + "\"\r\n");
  folder.Write("MyOwn.dat", "\"My Company\",\"5551234\",1\r\n");
  {
    PlainSqlite sql(folder.PathOf("pager.mdb"));
    InsertRows(sql,
               "INSERT INTO Scheadule (DateTo, TimeTo, Unit, Message, Modem, Sender, Status) "
               "VALUES ('2026-12-06', '09:00', ?1, ?2, ?3, ?4, 'N')",
               4, kScheduled);
  }

  forms::SimulatedLoop loop;
  forms::SimulatedClock clock(loop, vb::Date{2026, 12, 7}, vb::TimeOfDay{14, 30, 0});
  forms::ScriptedDialogs dialogs(&loop);
  dao::DBEngine engine;
  auto serial = std::make_shared<comm::FakeSerialBackend>();
  pager::Form1 form(loop, serial);
  pager::Module1 m;
  pager::Platform platform{loop, clock, dialogs, engine, forms::Screen{}, folder.Path()};
  pager::ServerCore core(form, m, platform);
  form.imgInternet.Visible = true;  // Intranet mode on

  const double seconds = bench::SecondsOf([&] { core.Command1_Click(); });
  if (!dialogs.Boxes().empty()) throw std::runtime_error("Start failed: " + dialogs.LastBox().prompt);
  pending = m.intPending.value();
  if (m.dbPager) m.dbPager->Close();
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  try {
    double floor = 1e9;
    double start = 1e9;
    long pending = 0;
    for (int i = 0; i < runs; ++i) {
      floor = std::min(floor, FloorSeconds());
      start = std::min(start, StartSeconds(pending));
    }
    std::printf("intake: %d messages (%d submissions, %d Other File lines, %d scheduled rows)\n", kRows,
                kSubmissions, kOtherLines, kScheduled);
    std::printf("floor (one prepared INSERT, one synced transaction): %.1f ms\n", floor * 1000);
    std::printf("Start with its intake: %.1f ms, %ld pending\n", start * 1000, pending);
    std::printf("ratio: %.2f (aim: under 3)\n", start / floor);
    return pending == kRows ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "intake_bench: %s\n", e.what());
    return 2;
  }
}
