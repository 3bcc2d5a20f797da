#include "common/HeaderMarks.h"

#include "platform/dao/Database.h"

namespace pager {

namespace {
constexpr std::int32_t kSentBit = 1;
}  // namespace

bool SentRowsMayWait(dao::Database& db) { return (db.UserVersion() & kSentBit) != 0; }

void SetSentRowsMayWait(dao::Database& db, bool set) {
  const std::int32_t marks = db.UserVersion();
  const std::int32_t wanted = set ? (marks | kSentBit) : (marks & ~kSentBit);
  if (wanted != marks) db.SetUserVersion(wanted);
}

std::int32_t LastClaimNumber(dao::Database& db) { return (db.UserVersion() >> 1) & kMaxClaimNumber; }

void SetLastClaimNumber(dao::Database& db, std::int32_t number) {
  db.SetUserVersion(((number & kMaxClaimNumber) << 1) | (db.UserVersion() & kSentBit));
}

}  // namespace pager
