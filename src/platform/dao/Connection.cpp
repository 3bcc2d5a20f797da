#include "platform/dao/Connection.h"

#include <sys/stat.h>

#include <functional>

#include "platform/dao/Errors.h"
#include "platform/vb/RuntimeError.h"

namespace dao::detail {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = Lower(c);
  return out;
}

struct CloseOnFailure {
  sqlite3* db;
  ~CloseOnFailure() {
    if (db != nullptr) sqlite3_close_v2(db);
  }
};

// Pages of write-ahead log after which a commit copies the log into the database file.
constexpr int kCheckpointFrames = 250;

std::function<void()>& CommitObserver() {
  static std::function<void()> observer;
  return observer;
}

// Runs after each commit that reached the write-ahead log (the log's own hook, which the
// automatic checkpoint uses too; it is kept by checkpointing here as SQLite would).
int AfterCommit(void* /*unused*/, sqlite3* db, const char* schema, int frames) {
  if (CommitObserver()) CommitObserver()();
  if (frames >= kCheckpointFrames) sqlite3_wal_checkpoint_v2(db, schema, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
  return SQLITE_OK;
}

void WatchCommits(sqlite3* db) {
  if (CommitObserver()) sqlite3_wal_hook(db, &AfterCommit, nullptr);
}

}  // namespace

void SetCommitObserver(std::function<void()> observer) { CommitObserver() = std::move(observer); }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::string QuoteName(std::string_view name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
  return out;
}

int TableInfo::FindColumn(std::string_view column) const {
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (EqualsNoCase(columns[i], column)) return static_cast<int>(i);
  }
  return -1;
}

std::unique_ptr<Connection> Connection::Open(const std::string& path, bool readOnly, int busyTimeoutMs) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0) {
    vb::Raise(err::kFileNotFound, "Could not find file '" + path + "'.");
  }
  // SQLite takes an empty file for an empty database and would turn it into one; a pager
  // database always holds its tables, so an empty file is refused as not a database.
  if (S_ISREG(info.st_mode) && info.st_size == 0) RaiseSqlite(SQLITE_NOTADB, nullptr, path);

  sqlite3* raw = nullptr;
  const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
  CloseOnFailure guard{raw};
  if (rc != SQLITE_OK) RaiseSqlite(rc, raw, path);
  sqlite3_extended_result_codes(raw, 1);
  sqlite3_busy_timeout(raw, busyTimeoutMs);

  std::unique_ptr<Connection> connection(new Connection(raw, path));
  guard.db = nullptr;  // the connection owns it now
  try {
    // Reading the schema tells a database from any other file.
    StatementUse probe(*connection, connection->Prepare("SELECT count(*) FROM sqlite_master"));
    probe.Step();
  } catch (const vb::RuntimeError& error) {
    if (error.Number() == err::kGeneric) RaiseSqlite(SQLITE_NOTADB, nullptr, path);
    throw;
  }
  if (!readOnly) connection->Run("PRAGMA journal_mode=WAL");
  // A commit is on the disk when it returns (the log synced), so that nothing the server does
  // because of it (a page dialled, an input file deleted) can outlive it in a power cut.
  connection->Run("PRAGMA synchronous=FULL");
  // Small checkpoints, often: each copies the log into the file inside whatever commit
  // triggered it, so its size bounds how long that commit holds the program up.
  if (!readOnly) connection->Run("PRAGMA wal_autocheckpoint=" + std::to_string(kCheckpointFrames));
  if (!readOnly) WatchCommits(raw);
  return connection;
}

Connection::~Connection() {
  for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
  // No write-ahead log outlives a use of the file: its content is copied into the file and the
  // log emptied, so that a copy of the file put in place before the next use is read as it
  // stands, not with this log laid over it. Without waiting: another program reading at this
  // moment keeps the log, which is then its use's.
  sqlite3_busy_timeout(db_, 0);
  EmptyLog();
  sqlite3_close_v2(db_);  // rolls back an open transaction
}

void Connection::EmptyLog() {
  if (sqlite3_db_readonly(db_, "main") == 0 && sqlite3_get_autocommit(db_) != 0) {
    sqlite3_wal_checkpoint_v2(db_, "main", SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
  }
}

sqlite3_stmt* Connection::Prepare(const std::string& sql) {
  if (auto found = statements_.find(sql); found != statements_.end()) return found->second;
  sqlite3_stmt* statement = nullptr;
  const char* tail = nullptr;
  const int rc = sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size() + 1),
                                    SQLITE_PREPARE_PERSISTENT, &statement, &tail);
  if (rc != SQLITE_OK) RaiseSqlite(rc, db_, path_);
  if (statement == nullptr) vb::Raise(err::kGeneric, "The statement is empty.");
  for (; tail != nullptr && *tail != '\0'; ++tail) {
    if (*tail != ' ' && *tail != '\t' && *tail != '\n' && *tail != '\r' && *tail != ';') {
      sqlite3_finalize(statement);
      vb::Raise(err::kGeneric, "Characters found after end of SQL statement.");
    }
  }
  statements_.emplace(sql, statement);
  return statement;
}

std::shared_ptr<const TableInfo> Connection::Table(std::string_view name) {
  const std::string key = LowerCase(name);
  if (auto found = tables_.find(key); found != tables_.end()) return found->second;

  auto info = std::make_shared<TableInfo>();
  {
    StatementUse lookup(*this, Prepare("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                       "name = ?1 COLLATE NOCASE"));
    const Value wanted(std::string{name});
    lookup.Bind(1, wanted);
    if (!lookup.Step()) RaiseTableNotFound(std::string(name));
    info->name = *lookup.Text(0);
  }
  {
    StatementUse columns(*this, Prepare("SELECT name, type, pk FROM pragma_table_info(?1)"));
    const Value table(info->name);
    columns.Bind(1, table);
    while (columns.Step()) {
      const std::string column = columns.Text(0).value_or("");
      // The hidden key: an integer primary key named id, the row's own number.
      const bool hiddenKey = columns.Int64(2) == 1 && EqualsNoCase(column, "id") &&
                             EqualsNoCase(columns.Text(1).value_or(""), "INTEGER");
      if (!hiddenKey) info->columns.push_back(column);
    }
  }
  tables_.emplace(key, info);
  return info;
}

void Connection::Run(const std::string& sql) {
  StatementUse use(*this, Prepare(sql));
  while (use.Step()) {
  }
}

void Connection::Begin() { Run("BEGIN IMMEDIATE"); }

void Connection::Commit() { Run("COMMIT"); }

void Connection::Rollback() {
  if (InTransaction()) Run("ROLLBACK");
}

void StatementUse::Bind(int index, const Value& value) {
  const int rc = value ? sqlite3_bind_text(statement_, index, value->data(),
                                           static_cast<int>(value->size()), SQLITE_STATIC)
                       : sqlite3_bind_null(statement_, index);
  if (rc != SQLITE_OK) RaiseSqlite(rc, db_);
}

void StatementUse::Bind(int index, std::int64_t value) {
  const int rc = sqlite3_bind_int64(statement_, index, value);
  if (rc != SQLITE_OK) RaiseSqlite(rc, db_);
}

bool StatementUse::Step() {
  const int rc = sqlite3_step(statement_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  RaiseSqlite(rc, db_);
}

Value StatementUse::Text(int column) const {
  if (sqlite3_column_type(statement_, column) == SQLITE_NULL) return std::nullopt;
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
  const int size = sqlite3_column_bytes(statement_, column);
  return std::string(text == nullptr ? "" : text, static_cast<std::size_t>(size));
}

}  // namespace dao::detail
