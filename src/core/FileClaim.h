// Takes an input file out of its writer's way before it is read, so that its rows are stored
// exactly once, whatever happens to the program, or to the power, in between.
//
// Principles of operation. A claim renames the input file aside to "<name>.taken-<number>" in
// its folder, never over another file, with a number of its own, and syncs the folder; only
// then is the aside copy read. Whatever a writer writes under the old name from then on is a
// new file, left for the next Start. The rows are stored in one transaction that also records
// the number as its input's committed claim in the database's header (common/HeaderMarks.h);
// once that commit is on the disk the aside file is deleted and the folder synced. So an aside
// file found later tells by itself what happened to it:
//   - its number is its own input's committed claim: its rows are stored, only the delete was
//     lost;
//   - any other number: its rows never reached the disk; it is still an input, and the next
//     Start takes it in, as it stands.
// Each input (the submissions file, the Other File) has a claim number of its own, so neither
// hides the state of the other's aside files. A claim that does not commit puts a file it took
// back under its old name when no new file stands there, and otherwise leaves it aside for the
// next Start.
//
// A copy that cannot be read whole is kept instead of deleted: renamed to "<name>.unread-<n>",
// which no intake reads (KeepUnread). A committed copy that cannot be deleted stays aside, and
// its input is not claimed again while it stands: a new committed number would make the copy
// look unread, and its rows would be stored twice.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/HeaderMarks.h"

namespace dao {
class Database;
}

namespace pager {

// An aside file left by an earlier claim.
struct TakenFile {
  std::string path;
  std::int64_t number;  // beyond kMaxClaimNumber: a copy left by the earlier header layout
};

class FileClaim {
 public:
  // Takes `source`, the input file of `kind`, aside under a name made from `base`; `db` gives
  // the committed claim, which the new number differs from. Raises 53 when the file is gone,
  // 75 when it cannot be renamed, 57 when the folder cannot be synced; nothing is changed then.
  FileClaim(dao::Database& db, InputKind kind, const std::string& source, const std::string& base);
  // Takes up an aside file of `kind` that an earlier claim left uncommitted, as it stands.
  FileClaim(InputKind kind, const TakenFile& taken);
  // Unless Release() ran: a file this claim renamed goes back under its old name when no new
  // file stands there (otherwise, and for a file taken up, it stays aside for the next Start).
  // Never raises.
  ~FileClaim();
  FileClaim(const FileClaim&) = delete;
  FileClaim& operator=(const FileClaim&) = delete;

  const std::string& AsidePath() const { return aside_; }

  // Inside the transaction that stores the file's rows: records the claim as committed.
  void RecordIn(dao::Database& db);
  // The transaction committed (or the file held nothing): deletes the aside file and syncs its
  // folder. Returns false when the delete failed: the file stays aside (see above).
  bool Release();
  // Renames the aside copy to its name that no intake reads, and syncs the folder. Returns
  // that name, or "" when the rename failed (the copy then stays where it is).
  std::string KeepUnread();

 private:
  InputKind kind_;
  std::string source_;  // empty for a file taken up as it stood
  std::string aside_;
  std::int64_t number_;
  bool released_ = false;
};

// The aside files of `base` in its folder (the base name in any letter case), oldest first.
std::vector<TakenFile> FindTakenFiles(const std::string& base);

// The name an aside file was taken from: "<name>" of "<name>.taken-<n>".
std::string TakenFrom(const std::string& asidePath);

// True when the claim of `file`, an aside file of `kind`, was committed: its rows are stored.
bool ClaimCommitted(dao::Database& db, InputKind kind, const TakenFile& file);

// Deletes an aside file whose rows are stored, and syncs its folder. Returns false when the
// file is still there. Never raises.
bool RemoveTakenFile(const TakenFile& file);

// Renames the aside file `path` ("<name>.taken-<n>") to "<name>.unread-<n>" (with "-2", "-3"...
// after it when that name is taken), never over another file, and syncs the folder. Returns
// the new name, or "" when the rename failed. Never raises.
std::string KeepUnread(const std::string& path);

}  // namespace pager
