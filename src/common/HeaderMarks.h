// Two marks the server keeps in pager.mdb's header (SQLite's user version number), each written
// inside the transaction whose outcome it records, so that the file alone tells afterwards what
// was committed:
//   - bit 0, "sent rows may wait for removal": set with every page stored as sent (Status "Y"),
//     cleared when the sent rows are removed (the end of the company list, Start, Stop). While
//     it is clear, a row that stands "Y" in Queue was written so by someone else (a scheduled
//     row may bring it) and is still to be sent.
//   - bits 1 to 30, the number of the last file claim that was committed (FileClaim.h).
// A new pager.mdb holds 0: no sent rows, no claim.
#pragma once

#include <cstdint>

namespace dao {
class Database;
}

namespace pager {

bool SentRowsMayWait(dao::Database& db);
void SetSentRowsMayWait(dao::Database& db, bool set);

// Claim numbers run from 1 to kMaxClaimNumber.
inline constexpr std::int32_t kMaxClaimNumber = 0x3fffffff;
std::int32_t LastClaimNumber(dao::Database& db);
void SetLastClaimNumber(dao::Database& db, std::int32_t number);

}  // namespace pager
