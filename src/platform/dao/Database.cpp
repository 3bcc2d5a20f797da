#include "platform/dao/Database.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/dao/Connection.h"
#include "platform/dao/Errors.h"
#include "platform/dao/FastDeleteScope.h"
#include "platform/dao/LegacySql.h"
#include "platform/dao/Recordset.h"

namespace dao {

Database::Database(std::string path, std::unique_ptr<detail::Connection> connection)
    : path_(std::move(path)), connection_(std::move(connection)) {}

Database::~Database() {
  // Recordsets hold their database, so none is open any more; closing the connection
  // rolls back a transaction left open.
  connection_.reset();
}

detail::Connection& Database::Connection() {
  if (!connection_) RaiseObjectInvalid();
  if (transactionPending_) {
    connection_->Begin();
    transactionPending_ = false;
  }
  return *connection_;
}

std::shared_ptr<Recordset> Database::OpenRecordset(const std::string& source) {
  Connection();
  auto recordset = Recordset::Open(shared_from_this(), source);
  std::erase_if(recordsets_, [](const std::weak_ptr<Recordset>& r) { return r.expired(); });
  recordsets_.push_back(recordset);
  return recordset;
}

void Database::Execute(const std::string& statement) {
  detail::Connection& connection = Connection();
  std::string sql = statement;
  std::optional<detail::FastDeleteScope> fast;
  if (const auto table = detail::ParseDeleteAll(statement)) {
    // Exactly "DELETE FROM T", with no condition, so that SQLite empties the table at once.
    sql = "DELETE FROM " + detail::QuoteName(connection.Table(*table)->name);
    fast.emplace(connection);
  }
  detail::StatementUse use(connection, connection.Prepare(sql));
  while (use.Step()) {
  }
}

void Database::Execute(const std::string& statement, const std::vector<std::int64_t>& parameters) {
  detail::Connection& connection = Connection();
  detail::StatementUse use(connection, connection.Prepare(statement));
  for (std::size_t i = 0; i < parameters.size(); ++i) use.Bind(static_cast<int>(i + 1), parameters[i]);
  while (use.Step()) {
  }
}

std::int32_t Database::UserVersion() {
  detail::Connection& connection = Connection();
  detail::StatementUse use(connection, connection.Prepare("PRAGMA user_version"));
  use.Step();
  return static_cast<std::int32_t>(use.Int64(0));
}

void Database::SetUserVersion(std::int32_t number) {
  // A pragma takes no bound value; the text is run once rather than kept prepared.
  detail::Connection& connection = Connection();
  const std::string sql = "PRAGMA user_version = " + std::to_string(number);
  char* message = nullptr;
  const int rc = sqlite3_exec(connection.Handle(), sql.c_str(), nullptr, nullptr, &message);
  sqlite3_free(message);
  if (rc != SQLITE_OK) RaiseSqlite(rc, connection.Handle(), path_);
}

void Database::Close() {
  if (!connection_) return;
  const auto keepAlive = weak_from_this().lock();  // a recordset may hold the last reference
  for (const auto& weak : recordsets_) {
    if (const auto recordset = weak.lock()) recordset->CloseFromDatabase();
  }
  recordsets_.clear();
  transactionPending_ = false;
  connection_.reset();
}

bool Database::IsOpen() const { return connection_ != nullptr; }

void Database::EmptyLog() { Connection().EmptyLog(); }

void Database::SetBusyTimeout(int milliseconds) { sqlite3_busy_timeout(Connection().Handle(), milliseconds); }

const std::string& Database::Path() const { return path_; }

void Database::BeginTransaction() {
  if (!connection_) RaiseObjectInvalid();
  transactionPending_ = true;
}

void Database::CommitTransaction() {
  transactionPending_ = false;
  if (connection_ && connection_->InTransaction()) connection_->Commit();
}

void Database::RollbackTransaction() {
  transactionPending_ = false;
  if (connection_) connection_->Rollback();
}

bool Database::InTransaction() const {
  return connection_ && (transactionPending_ || connection_->InTransaction());
}

}  // namespace dao
