// A power cut for SQLite: a VFS over the default one that can drop, at any moment, everything
// written to a file since that file was last synced, the way a power cut drops a disk cache.
//
// Principles of operation
//   While it lives it is SQLite's default VFS, so every database opened without a VFS name (the
//   dao's own) goes through it. Each file opened through it (the database, its write-ahead
//   log, its journals) is watched by name: the first write or truncation after a sync keeps the
//   file's whole content and size, and a sync of the file (through any of its handles) forgets
//   them. Cut() puts every file back to what it held at its last sync (or when it was opened)
//   and turns the power off: from then on every write, truncation, sync and delete through the
//   VFS fails with an I/O error, so closing a connection cannot write after the cut. Files
//   SQLite deletes stay deleted and new names stay; only the data is cut. The shared-memory
//   index is left as it is: the next connection to open the database alone rebuilds it.
//   Everything else is passed to the default VFS unchanged.
//
//   Made in a forked child, it cuts there (the child then ends with _exit, its connections
//   still open). In one process, close the connections after the cut, then destroy the VFS
//   before the files are opened again. One at a time, from one thread.
//
//   It also counts the syncs, and can make each one take longer (a slow disk) for benchmarks;
//   keepUnsynced=false only counts and delays, keeping no copies.
#pragma once

#include <sqlite3.h>

#include <map>
#include <string>

namespace testing_support {

class PowerCutVfs {
 public:
  explicit PowerCutVfs(bool keepUnsynced = true);
  // Gives the default back to the VFS it wrapped. Every connection through it must be closed.
  ~PowerCutVfs();
  PowerCutVfs(const PowerCutVfs&) = delete;
  PowerCutVfs& operator=(const PowerCutVfs&) = delete;

  // Every watched file back to its last synced content and size; then the power is off.
  void Cut();
  bool PowerIsOff() const { return powerOff_; }

  // While set, every write through the VFS fails as on a full disk (SQLITE_FULL), so that a
  // commit fails before anything of it is in the log.
  void SetDiskFull(bool full) { diskFull_ = full; }

  // The syncs asked of any file through the VFS so far.
  long Syncs() const { return syncs_; }
  // Each sync from now on takes `ms` milliseconds more (0: none).
  void SetSyncDelayMs(int ms) { syncDelayMs_ = ms; }

 private:
  struct Unsynced {
    std::string content;
    sqlite3_int64 size = 0;
  };
  struct File;
  struct Methods;

  static int Open(sqlite3_vfs* vfs, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags);
  static int Delete(sqlite3_vfs* vfs, const char* name, int syncDir);
  static PowerCutVfs& Of(sqlite3_vfs* vfs) { return *static_cast<PowerCutVfs*>(vfs->pAppData); }

  // Called before `real` (a handle on `name`) is changed: keeps the content if it is synced.
  int BeforeChange(const std::string& name, sqlite3_file* real);
  void AfterSync(const std::string& name);

  sqlite3_vfs* real_;
  sqlite3_vfs vfs_{};
  bool keepUnsynced_;
  bool powerOff_ = false;
  bool diskFull_ = false;
  long syncs_ = 0;
  int syncDelayMs_ = 0;
  // By file name: what it held at its last sync, for the files changed since.
  std::map<std::string, Unsynced> unsynced_;
  // By file name: the open handles on it (of the wrapped VFS), to write the cut through.
  std::multimap<std::string, sqlite3_file*> open_;
};

}  // namespace testing_support
