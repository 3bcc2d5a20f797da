// A scope in which deletes on a connection leave freed pages as they are. Internal to the dao
// layer.
//
// SQLite empties a table whose delete has no condition by handing its pages to the free list,
// without deleting its records one by one. With secure delete on, as distributions build
// SQLite, it would also zero every freed page and write it through the log: over a second, and
// a log file the size of the table, for a million log records. "Fast" still clears deleted
// records out of the pages that stay in use. The connection's setting is restored at the end.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dao/Connection.h"

namespace dao::detail {

class FastDeleteScope {
 public:
  explicit FastDeleteScope(Connection& connection) : connection_(connection) {
    StatementUse query(connection_, connection_.Prepare("PRAGMA secure_delete"));
    if (query.Step()) previous_ = query.Int64(0);
    Set(kFast);
  }
  ~FastDeleteScope() {
    try {
      Set(previous_);
    } catch (...) {  // the delete's own outcome is what the caller hears of
    }
  }
  FastDeleteScope(const FastDeleteScope&) = delete;
  FastDeleteScope& operator=(const FastDeleteScope&) = delete;

 private:
  static constexpr std::int64_t kFast = 2;  // as the pragma reads back; set by name only

  void Set(std::int64_t value) {
    const std::string setting = value == kFast ? "FAST" : std::to_string(value);
    StatementUse set(connection_, connection_.Prepare("PRAGMA secure_delete = " + setting));
    set.Run();
  }

  Connection& connection_;
  std::int64_t previous_ = 0;
};

}  // namespace dao::detail
