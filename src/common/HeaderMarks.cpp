#include "common/HeaderMarks.h"

#include "platform/dao/Database.h"

namespace pager {

namespace {
constexpr int kBitsPerClaim = 15;
int ShiftOf(InputKind kind) { return kind == InputKind::kSubmissions ? 0 : kBitsPerClaim; }
}  // namespace

std::int32_t CommittedClaim(dao::Database& db, InputKind kind) {
  return (db.UserVersion() >> ShiftOf(kind)) & kMaxClaimNumber;
}

void SetCommittedClaim(dao::Database& db, InputKind kind, std::int32_t number) {
  const std::int32_t mask = kMaxClaimNumber << ShiftOf(kind);
  const std::int32_t marks = db.UserVersion();
  db.SetUserVersion((marks & ~mask) | ((number & kMaxClaimNumber) << ShiftOf(kind)));
}

}  // namespace pager
