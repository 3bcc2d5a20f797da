// Takes an input file out of its writer's way while its rows are being stored.
//
// The file is renamed aside ("<path>.taken", in the same folder) inside the transaction that
// stores its rows. When the commit succeeds the aside file is deleted; when anything fails the
// file goes back under its own name. So a file's rows are stored exactly once: a file that
// cannot be taken away rolls its rows back (and stays for the next Start), and rows whose
// commit failed are not lost, since the file is still there. A writer that adds a submission
// meanwhile writes a new file under the old name, which the next Start reads.
#pragma once

#include <string>

namespace pager {

class FileClaim {
 public:
  // Renames the file aside. Raises 53 when it is gone, 75 when it cannot be renamed (the folder
  // is read-only, for instance); nothing is changed then.
  explicit FileClaim(std::string path);
  // Puts the file back unless Release() ran. Never raises: when a new file already stands under
  // the old name, or the rename fails, the aside file is left where it is.
  ~FileClaim();
  FileClaim(const FileClaim&) = delete;
  FileClaim& operator=(const FileClaim&) = delete;

  // The rows are stored: deletes the aside file. A delete that fails leaves it (it is never read
  // as an input file again) and raises nothing.
  void Release();

  const std::string& AsidePath() const { return aside_; }

 private:
  std::string path_;
  std::string aside_;
  bool released_ = false;
};

}  // namespace pager
