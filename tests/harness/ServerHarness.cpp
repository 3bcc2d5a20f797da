#include "harness/ServerHarness.h"

#include <sqlite3.h>

#include <stdexcept>

#include "common/RecordWriter.h"
#include "support/PagerDatabase.h"

namespace testing_support {

// A connection of its own, as an outside writer has; closed when the call ends.
class RawConnection {
 public:
  explicit RawConnection(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
      const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
      sqlite3_close(db_);
      throw std::runtime_error("cannot open " + path + ": " + message);
    }
    sqlite3_busy_timeout(db_, 5000);
  }
  ~RawConnection() { sqlite3_close(db_); }
  RawConnection(const RawConnection&) = delete;
  RawConnection& operator=(const RawConnection&) = delete;

  sqlite3_stmt* Prepare(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) Fail(sql);
    return statement;
  }
  void Exec(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
      const std::string text = message ? message : "?";
      sqlite3_free(message);
      throw std::runtime_error(sql + ": " + text);
    }
  }
  [[noreturn]] void Fail(const std::string& sql) { throw std::runtime_error(sql + ": " + sqlite3_errmsg(db_)); }

 private:
  sqlite3* db_ = nullptr;
};

namespace {

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

}  // namespace

ServerHarness::ServerHarness() : ServerHarness(Options{}) {}

ServerHarness::ServerHarness(const Options& options)
    : folder(options.folder.empty() ? TempFolder() : TempFolder(options.folder)),
      clock(loop, options.date, options.time),
      dialogs(&loop) {
  if (options.makeDatabase) MakePagerDatabase(DatabasePath());
  // An outside lock is waited out for a moment only, so that lock tests run quickly.
  dbEngine.Workspaces(0).SetBusyTimeout(kBusyTimeoutMs);
  std::shared_ptr<comm::SerialBackend> serial;
  if (options.pseudoTerminal) {
    termiosSerial = std::make_shared<comm::TermiosBackend>(folder.Path());
    termiosSerial->SetLockFolders({folder.Path()});
    serial = termiosSerial;
  } else {
    fakeSerial = std::make_shared<comm::FakeSerialBackend>();
    serial = fakeSerial;
  }
  form = std::make_unique<pager::Form1>(loop, serial);
  platform = std::make_unique<pager::Platform>(
      pager::Platform{loop, clock, dialogs, dbEngine, forms::Screen{}, folder.Path()});
  core = std::make_unique<pager::ServerCore>(*form, m, *platform);

  form->OnLoad = [this] { core->Form_Load(); };
  form->OnQueryUnload = [this](int& cancel, int unloadMode) { core->Form_QueryUnload(cancel, unloadMode); };
  form->Command1.Click = [this] { core->Command1_Click(); };
  form->Command2.Click = [this] { core->Command2_Click(); };
#ifdef PAGER_HARNESS_HAS_ENGINE
  // The engine binds Command5 and its timers itself.
  engine = std::make_unique<pager::CallEngine>(*form, m, *platform);
  engine->runStart = [this] { core->StartFromRecycle(); };
  core->settleEngine = [this] { engine->SettlePending(); };
#endif
}

ServerHarness::~ServerHarness() {
#ifdef PAGER_HARNESS_HAS_ENGINE
  engine.reset();
#endif
  core.reset();
  // The port and the database close before the folder goes.
  form.reset();
  if (m.dbPager) m.dbPager->Close();
}

void ServerHarness::WriteDefaultSettings() {
  using pager::RecordItem;
  pager::WriteRecord(folder.PathOf("modem.cfg"),
                     {RecordItem{std::string("1")}, RecordItem{std::string("9600")}, RecordItem{std::string("ATZ")},
                      RecordItem{std::string("TONE")}, RecordItem{std::string("0")}, RecordItem{std::string("True")},
                      RecordItem{45LL}, RecordItem{std::string("")}, RecordItem{std::string("")}, RecordItem{false},
                      RecordItem{false}});
  pager::WriteRecord(folder.PathOf("Inter.dat"), {RecordItem{std::string("DISABLED")}});
  pager::WriteRecord(folder.PathOf("MyOwn.dat"),
                     {RecordItem{std::string("My Company")}, RecordItem{std::string("5551234")}, RecordItem{0LL}});
}

long ServerHarness::CountRows(const std::string& table) const {
  RawConnection db(DatabasePath());
  sqlite3_stmt* statement = db.Prepare("SELECT count(*) FROM " + Quoted(table));
  long count = 0;
  if (sqlite3_step(statement) == SQLITE_ROW) count = static_cast<long>(sqlite3_column_int64(statement, 0));
  sqlite3_finalize(statement);
  return count;
}

void ServerHarness::Insert(const std::string& table, const Row& row) const {
  std::string columns;
  std::string markers;
  for (const auto& [name, value] : row) {
    columns += (columns.empty() ? "" : ", ") + Quoted(name);
    markers += markers.empty() ? "?" : ", ?";
  }
  RawConnection db(DatabasePath());
  sqlite3_stmt* statement =
      db.Prepare("INSERT INTO " + Quoted(table) + " (" + columns + ") VALUES (" + markers + ")");
  int index = 1;
  for (const auto& [name, value] : row) {
    if (value) {
      sqlite3_bind_text(statement, index, value->data(), static_cast<int>(value->size()), SQLITE_TRANSIENT);
    } else {
      sqlite3_bind_null(statement, index);
    }
    ++index;
  }
  const int rc = sqlite3_step(statement);
  sqlite3_finalize(statement);
  if (rc != SQLITE_DONE) db.Fail("insert into " + table);
}

void ServerHarness::InsertScheduled(const std::optional<std::string>& date, const std::optional<std::string>& time,
                                    const std::optional<std::string>& modem, const std::string& unit,
                                    const std::string& message, const std::string& status) const {
  Insert("Scheadule", Row{{"DateTo", date},
                          {"TimeTo", time},
                          {"Unit", unit},
                          {"Message", message},
                          {"Modem", modem},
                          {"Sender", std::string("Scheduler")},
                          {"Status", status}});
}

std::vector<Row> ServerHarness::Rows(const std::string& table) const {
  RawConnection db(DatabasePath());
  sqlite3_stmt* statement = db.Prepare("SELECT * FROM " + Quoted(table) + " ORDER BY rowid");
  std::vector<Row> rows;
  while (sqlite3_step(statement) == SQLITE_ROW) {
    Row row;
    for (int i = 0; i < sqlite3_column_count(statement); ++i) {
      const std::string name = sqlite3_column_name(statement, i);
      if (name == "id") continue;
      if (sqlite3_column_type(statement, i) == SQLITE_NULL) {
        row[name] = std::nullopt;
      } else {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
        row[name] = std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement, i)));
      }
    }
    rows.push_back(std::move(row));
  }
  sqlite3_finalize(statement);
  return rows;
}

ServerHarness::WriteLock::WriteLock(const std::string& path) : connection_(std::make_unique<RawConnection>(path)) {
  connection_->Exec("BEGIN IMMEDIATE");
}

ServerHarness::WriteLock::~WriteLock() { connection_->Exec("ROLLBACK"); }

std::unique_ptr<ServerHarness::WriteLock> ServerHarness::HoldWriteLock() const {
  return std::make_unique<WriteLock>(DatabasePath());
}

void ServerHarness::Exec(const std::string& sql) const {
  RawConnection db(DatabasePath());
  db.Exec(sql);
}

}  // namespace testing_support
