// A power cut for the program's folders: watches the renames, deletes and new files made
// through platform/files and can undo those whose folder was not synced since, the way a power
// cut drops a folder's unsynced names.
//
// Principles of operation
//   While it lives it is the files::Watcher. Each rename, delete or new file is kept with how
//   to undo it: a deleted file's content and permissions, a file a rename replaced likewise.
//   A folder's sync forgets the changes in that folder (a rename between two folders once
//   both are synced). Cut() undoes the changes not forgotten, the last first; an operation
//   that failed is found out then (its outcome is not there) and left alone. A file made by
//   files::CreateNew whose data was never synced is left empty, under whatever name its
//   renames gave it. Data written to other files, and names changed other than through
//   platform/files, are taken as on the disk.
//
//   It also counts the syncs of files and folders, and can make each take longer (a slow disk)
//   for benchmarks. One at a time, from one thread; in a forked child as in one process.
#pragma once

#include <sys/types.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/files/DurableFiles.h"

namespace testing_support {

class FolderJournal : public files::Watcher {
 public:
  FolderJournal();
  ~FolderJournal() override;
  FolderJournal(const FolderJournal&) = delete;
  FolderJournal& operator=(const FolderJournal&) = delete;

  // Undoes every change whose folder was not synced, the last first, and empties the files
  // whose data was never synced. Forgets everything it kept.
  void Cut();

  long FolderSyncs() const { return folderSyncs_; }
  long FileSyncs() const { return fileSyncs_; }
  // Each sync of a file or a folder from now on takes `ms` milliseconds more (0: none).
  void SetSyncDelayMs(int ms) { syncDelayMs_ = ms; }

  void BeforeRename(const std::string& from, const std::string& to) override;
  void BeforeRemove(const std::string& path) override;
  void Created(const std::string& path) override;
  void FileSynced(const std::string& path) override;
  void FolderSynced(const std::string& folder) override;

 private:
  struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const Identity&) const = default;
  };
  // A file's content as it would come back: its bytes and permissions.
  struct Kept {
    std::string content;
    mode_t mode = 0600;
  };
  struct Change {
    enum class Kind { kCreated, kRenamed, kRemoved } kind;
    std::string path;  // the new file, the rename's target, the deleted file
    std::string from;  // the rename's source
    Identity file;     // the file created, renamed or deleted
    std::optional<Kept> kept;  // the file deleted or replaced
    std::set<std::string> folders;  // the folders not synced since
  };
  // A file made here whose data was never synced, and the names it may have now.
  struct UnsyncedData {
    Identity file;
    std::vector<std::string> names;
  };

  static std::optional<Identity> IdentityOf(const std::string& path);
  static std::string FolderKey(const std::string& path);
  std::optional<Kept> Keep(const std::string& path) const;
  void Undo(const Change& change) const;
  void Delay() const;

  std::vector<Change> changes_;
  std::vector<UnsyncedData> unsyncedData_;
  long folderSyncs_ = 0;
  long fileSyncs_ = 0;
  int syncDelayMs_ = 0;
};

}  // namespace testing_support
