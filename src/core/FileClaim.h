// Takes an input file out of its writer's way while its rows are being stored, so that its rows
// are stored exactly once, whatever happens to the program in between.
//
// Principles of operation. Every claim draws a number of its own. Inside the transaction that
// stores the file's rows, the file is renamed aside to "<name>.taken-<number>" in its folder,
// and the number is written into the database's header (HeaderMarks.h), where it is committed
// or rolled back together with the rows. After the commit the aside file is deleted.
// So an aside file found later tells by itself what happened to it:
//   - its number is the last one committed: its rows are stored, only the delete was missed;
//   - any other number: its rows never reached the file (the program died before the commit,
//     or the commit failed): it is still an input, and the next Start takes it in.
// A writer that adds a submission meanwhile writes a new file under the old name; no aside
// name is ever used twice, so nothing overwrites an aside file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dao {
class Database;
}

namespace pager {

class FileClaim {
 public:
  // Inside a transaction on `db`: renames `source` (the input file, or an aside file being taken
  // in again) to the aside name of `base` with a new number, and writes the number into `db`.
  // Raises 53 when the file is gone, 75 when it cannot be renamed; nothing is changed then.
  FileClaim(dao::Database& db, const std::string& source, const std::string& base);
  // Unless Release() ran (the transaction did not commit): puts the file back under `base`
  // when no new file stands there; otherwise it stays aside for the next Start. Never raises.
  ~FileClaim();
  FileClaim(const FileClaim&) = delete;
  FileClaim& operator=(const FileClaim&) = delete;

  // The transaction committed: deletes the aside file. A delete that fails leaves it, and the
  // next Start deletes it (its number is the database's).
  void Release();

  const std::string& AsidePath() const { return aside_; }

 private:
  std::string base_;
  std::string aside_;
  bool released_ = false;
};

// An aside file left by an earlier claim.
struct TakenFile {
  std::string path;
  std::int32_t number;
};

// The aside files of `base` in its folder (the base name in any letter case), oldest first.
std::vector<TakenFile> FindTakenFiles(const std::string& base);

// True when the claim of `file` was committed: its rows are stored.
bool ClaimCommitted(dao::Database& db, const TakenFile& file);

}  // namespace pager
