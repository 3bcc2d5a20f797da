#include "platform/dao/DBEngine.h"

#include <algorithm>

#include "platform/dao/Connection.h"
#include "platform/dao/Database.h"
#include "platform/dao/Errors.h"
#include "platform/vb/RuntimeError.h"

namespace dao {

namespace {

[[noreturn]] void RaiseNoTransaction() {
  vb::Raise(err::kNoTransaction,
            "You tried to commit or rollback a transaction without first beginning a "
            "transaction.");
}

}  // namespace

Workspace::Workspace() = default;
Workspace::~Workspace() = default;

std::shared_ptr<Database> Workspace::OpenDatabase(const std::string& path, bool /*exclusive*/,
                                                  bool readOnly,
                                                  const std::string& /*connect*/) {
  auto database = std::make_shared<Database>(path, detail::Connection::Open(path, readOnly, busyTimeoutMs_));
  std::erase_if(databases_, [](const std::weak_ptr<Database>& d) { return d.expired(); });
  databases_.push_back(database);
  return database;
}

std::vector<std::shared_ptr<Database>> Workspace::OpenDatabases() {
  std::vector<std::shared_ptr<Database>> open;
  for (const auto& weak : databases_) {
    if (auto database = weak.lock(); database && database->IsOpen()) open.push_back(database);
  }
  return open;
}

void Workspace::BeginTrans() {
  const auto databases = OpenDatabases();
  if (inTransaction_) {
    // A transaction whose databases have all been closed since has ended with them.
    const bool stillOpen = std::any_of(databases.begin(), databases.end(),
                                       [](const auto& d) { return d->InTransaction(); });
    if (stillOpen) {
      vb::Raise(err::kTransactionsNested,
                "Could not start transaction; a transaction is already in progress.");
    }
    inTransaction_ = false;
  }
  for (const auto& database : databases) database->BeginTransaction();
  inTransaction_ = true;
}

void Workspace::CommitTrans() {
  if (!inTransaction_) RaiseNoTransaction();
  const auto databases = OpenDatabases();
  try {
    for (const auto& database : databases) database->CommitTransaction();
  } catch (...) {
    // A commit that failed leaves nothing half-open: what was not committed is undone,
    // and the error tells the caller.
    for (const auto& database : databases) database->RollbackTransaction();
    inTransaction_ = false;
    throw;
  }
  inTransaction_ = false;
}

void Workspace::Rollback() {
  if (!inTransaction_) RaiseNoTransaction();
  inTransaction_ = false;
  for (const auto& database : OpenDatabases()) database->RollbackTransaction();
}

Workspace& DBEngine::Workspaces(int index) {
  if (index != 0) RaiseItemNotFound();
  return workspace_;
}

}  // namespace dao
