// The claims of the two input files, kept in pager.mdb's header (SQLite's user version number).
// Each is written inside the transaction that stores its file's rows, so that the file alone
// tells afterwards whether an aside file's rows were committed (core/FileClaim.h):
//   - bits 0 to 14: the number of the last committed claim of the submissions file;
//   - bits 15 to 29: the number of the last committed claim of the Other File;
//   - bit 31: set with every claim recorded in this layout.
// Each input keeps a number of its own, so a claim of one never hides whether an aside copy of
// the other was committed. A new pager.mdb holds 0: no claim yet.
//
// An earlier layout kept one claim for both inputs in bits 1 to 30, with numbers up to 2^30.
// Until a claim is recorded in this layout (bit 31 clear), an aside copy whose number lies
// beyond this layout's range was committed exactly when its number is that earlier claim.
#pragma once

#include <cstdint>

namespace dao {
class Database;
}

namespace pager {

enum class InputKind { kSubmissions, kOtherFile };

// Claim numbers run from 1 to kMaxClaimNumber.
inline constexpr std::int32_t kMaxClaimNumber = 0x7fff;

std::int32_t CommittedClaim(dao::Database& db, InputKind kind);
// Inside the transaction that stores the claimed file's rows.
void SetCommittedClaim(dao::Database& db, InputKind kind, std::int32_t number);

// True when the claim `number` of an aside copy of `kind` was committed: the input's claim in
// this layout, or, for a number beyond its range, the earlier layout's claim while it stands.
bool IsCommittedClaim(dao::Database& db, InputKind kind, std::int64_t number);

}  // namespace pager
