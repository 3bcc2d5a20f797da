#include "platform/files/DurableFiles.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace files {

namespace {

Watcher*& CurrentWatcher() {
  static Watcher* watcher = nullptr;
  return watcher;
}

template <class Call>
int Retrying(Call&& call) {
  int result;
  do {
    result = call();
  } while (result < 0 && errno == EINTR);
  return result;
}

int ResultOf(int result) { return result == 0 ? 0 : errno; }

}  // namespace

void SetWatcher(Watcher* watcher) { CurrentWatcher() = watcher; }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

namespace {

int RenameNoReplaceUnwatched(const std::string& from, const std::string& to) {
  if (Watcher* watcher = CurrentWatcher()) watcher->BeforeRename(from, to);
  int result = Retrying([&] { return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE); });
  if (result != 0 && (errno == EINVAL || errno == ENOSYS)) {
    // A file system without the no-replace rename: a hard link never replaces a name either,
    // and the old name goes once the new one stands.
    result = Retrying([&] { return ::link(from.c_str(), to.c_str()); });
    if (result == 0) Retrying([&] { return ::unlink(from.c_str()); });
  }
  return ResultOf(result);
}

}  // namespace

int RenameNoReplace(const std::string& from, const std::string& to) {
  const int result = RenameNoReplaceUnwatched(from, to);
  if (Watcher* watcher = CurrentWatcher()) watcher->AfterRename(from, to, result);
  return result;
}

int Rename(const std::string& from, const std::string& to) {
  if (Watcher* watcher = CurrentWatcher()) watcher->BeforeRename(from, to);
  const int result = ResultOf(Retrying([&] { return ::rename(from.c_str(), to.c_str()); }));
  if (Watcher* watcher = CurrentWatcher()) watcher->AfterRename(from, to, result);
  return result;
}

int Remove(const std::string& path) {
  int result;
  if (Watcher* watcher = CurrentWatcher()) {
    watcher->BeforeRemove(path);
    result = watcher->RemoveFault(path);
    if (result != 0) return result;
  }
  result = ResultOf(Retrying([&] { return ::unlink(path.c_str()); }));
  if (Watcher* watcher = CurrentWatcher()) watcher->AfterRemove(path, result);
  return result;
}

int CreateNew(const std::string& path, unsigned mode) {
  const int fd = Retrying([&] { return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode); });
  if (fd >= 0) {
    if (Watcher* watcher = CurrentWatcher()) watcher->Created(path);
  }
  return fd;
}

int SyncFile(int fd, const std::string& path) {
  // A file that cannot be synced (EINVAL: a pipe, a device) keeps nothing a sync would save.
  if (Retrying([&] { return ::fsync(fd); }) != 0 && errno != EINVAL) return errno;
  if (Watcher* watcher = CurrentWatcher()) watcher->FileSynced(path);
  return 0;
}

int SyncFolder(const std::string& folder) {
  if (Watcher* watcher = CurrentWatcher()) watcher->BeforeFolderSync(folder);
  const int fd = Retrying([&] { return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
  if (fd < 0) return errno;
  const int result = Retrying([&] { return ::fsync(fd); });
  const int error = result == 0 ? 0 : errno;
  ::close(fd);
  // Some file systems cannot sync a folder (EINVAL): their names are as durable as they get.
  if (error != 0 && error != EINVAL) return error;
  if (Watcher* watcher = CurrentWatcher()) watcher->FolderSynced(folder);
  return 0;
}

}  // namespace files
