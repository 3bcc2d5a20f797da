// The folder changes and flushes the server's state depends on: renaming, deleting and
// creating files in the program's folders, and forcing files and folders to the disk.
//
// Principles of operation
//   A rename, a delete or a new file changes a folder; like the data written into a file, the
//   change is in the system's cache until the folder is synced, and a power cut may undo it.
//   Callers that act on such a change (a claim of an input file, a settings file replaced)
//   sync first: SyncFile for a file's data, SyncFolder for the names in a folder. Every such
//   operation goes through here, so that the order "change, flush, act" is kept in one place
//   and a fault test can watch it (Watcher) to model a power cut.
//
// Every call returns 0 or the errno of the failure, changes nothing on failure (a sync that
// fails has flushed what it could), and retries an interrupted system call.
#pragma once

#include <string>

namespace files {

// Renames `from` to `to`, never replacing a file already named `to` (EEXIST then).
int RenameNoReplace(const std::string& from, const std::string& to);
// Renames `from` to `to`, replacing a file named `to` in one step.
int Rename(const std::string& from, const std::string& to);
// Deletes the name `path`.
int Remove(const std::string& path);
// Creates the new file `path` (it must not exist: EEXIST) for writing, with the given
// permissions before the umask; returns the descriptor, or -1 with errno set.
int CreateNew(const std::string& path, unsigned mode);

// Forces the data of the open file `fd` (known as `path`) to the disk. A file that cannot be
// synced (a pipe, a device) counts as synced.
int SyncFile(int fd, const std::string& path);
// Forces the names in `folder` (created, renamed, deleted) to the disk.
int SyncFolder(const std::string& folder);
// The folder of `path`: what comes before its last '/', "." for a bare name, "/" at the root.
std::string FolderOf(const std::string& path);

// The seam for fault tests: told of each operation above before it is made (the renames,
// deletes and folder syncs) and once it was made (with its result), or once it succeeded (the
// creates and file syncs), in order. The program sets none.
class Watcher {
 public:
  virtual ~Watcher() = default;
  virtual void BeforeRename(const std::string& /*from*/, const std::string& /*to*/) {}
  virtual void AfterRename(const std::string& /*from*/, const std::string& /*to*/, int /*result*/) {}
  virtual void BeforeRemove(const std::string& /*path*/) {}
  virtual void AfterRemove(const std::string& /*path*/, int /*result*/) {}
  virtual void BeforeFolderSync(const std::string& /*folder*/) {}
  virtual void Created(const std::string& /*path*/) {}
  virtual void FileSynced(const std::string& /*path*/) {}
  virtual void FolderSynced(const std::string& /*folder*/) {}
  // Asked after BeforeRemove: an errno the delete fails with instead (0: it is made).
  virtual int RemoveFault(const std::string& /*path*/) { return 0; }
};
// Watches every operation from now on (nullptr: none). The watcher must outlive its use.
void SetWatcher(Watcher* watcher);

}  // namespace files
