#include "common/HeaderMarks.h"

#include "platform/dao/Database.h"

namespace pager {

namespace {
constexpr int kBitsPerClaim = 15;
constexpr std::uint32_t kLayoutBit = 0x80000000u;
constexpr std::int64_t kMaxEarlierClaim = 0x3fffffff;
int ShiftOf(InputKind kind) { return kind == InputKind::kSubmissions ? 0 : kBitsPerClaim; }
std::uint32_t Marks(dao::Database& db) { return static_cast<std::uint32_t>(db.UserVersion()); }
}  // namespace

std::int32_t CommittedClaim(dao::Database& db, InputKind kind) {
  return static_cast<std::int32_t>((Marks(db) >> ShiftOf(kind)) & kMaxClaimNumber);
}

void SetCommittedClaim(dao::Database& db, InputKind kind, std::int32_t number) {
  const std::uint32_t mask = std::uint32_t{kMaxClaimNumber} << ShiftOf(kind);
  const std::uint32_t claim = (static_cast<std::uint32_t>(number) & kMaxClaimNumber) << ShiftOf(kind);
  db.SetUserVersion(static_cast<std::int32_t>((Marks(db) & ~mask) | claim | kLayoutBit));
}

bool IsCommittedClaim(dao::Database& db, InputKind kind, std::int64_t number) {
  if (number >= 1 && number <= kMaxClaimNumber) return CommittedClaim(db, kind) == number;
  const std::uint32_t marks = Marks(db);
  if ((marks & kLayoutBit) != 0) return false;
  return number <= kMaxEarlierClaim && ((marks >> 1) & kMaxEarlierClaim) == number;
}

}  // namespace pager
