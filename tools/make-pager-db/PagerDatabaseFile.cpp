#include "PagerDatabaseFile.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "PagerSchema.h"

namespace pagerdb {

namespace {

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

void RemoveWithJournals(const std::string& path) {
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) ::unlink((path + suffix).c_str());
}

CreateResult Fail(std::string* error, const std::string& message) {
  if (error != nullptr) *error = message;
  return CreateResult::kFailed;
}

// Builds the database at `path` (a fresh name); false with `message` set on failure.
bool Build(const std::string& path, std::string& message) {
  sqlite3* db = nullptr;
  int rc =
      sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc == SQLITE_OK) {
    char* failure = nullptr;
    rc = sqlite3_exec(db, kSchemaSql, nullptr, nullptr, &failure);
    if (rc != SQLITE_OK) {
      message = failure != nullptr ? failure : sqlite3_errstr(rc);
      sqlite3_free(failure);
    }
  } else {
    message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
  }
  // Closing the last connection folds the write-ahead log into the file and removes it.
  const int closed = sqlite3_close(db);
  if (rc == SQLITE_OK && closed != SQLITE_OK) {
    rc = closed;
    message = sqlite3_errstr(closed);
  }
  return rc == SQLITE_OK;
}

}  // namespace

CreateResult CreatePagerDatabase(const std::string& path, std::string* error) {
  if (path.empty()) return Fail(error, "no file name given");
  if (Exists(path)) return CreateResult::kAlreadyExists;

  const std::string building = path + ".new-" + std::to_string(::getpid());
  RemoveWithJournals(building);
  std::string message;
  if (!Build(building, message)) {
    RemoveWithJournals(building);
    return Fail(error, path + ": " + message);
  }
  // link() refuses to replace a file that another program created in the meantime.
  if (::link(building.c_str(), path.c_str()) != 0) {
    const int linkError = errno;
    RemoveWithJournals(building);
    if (linkError == EEXIST) return CreateResult::kAlreadyExists;
    return Fail(error, path + ": " + std::strerror(linkError));
  }
  RemoveWithJournals(building);
  return CreateResult::kCreated;
}

}  // namespace pagerdb
