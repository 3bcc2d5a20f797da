#include "common/RecordWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>

#include "platform/files/DurableFiles.h"
#include "platform/vb/RuntimeError.h"

namespace pager {

namespace {

struct ItemFormatter {
  std::string& out;
  void operator()(std::monostate) const {}
  void operator()(const std::string& text) const {
    out += '"';
    out += text;
    out += '"';
  }
  void operator()(long long number) const { out += std::to_string(number); }
  void operator()(bool truth) const { out += truth ? "#TRUE#" : "#FALSE#"; }
};

// The run-time error for a failed open, create or rename.
int OpenErrorNumber(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return vb::err::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ELOOP:
    case ENAMETOOLONG: return vb::err::kPathFileAccessError;
    case ETXTBSY:
    case EBUSY: return vb::err::kPermissionDenied;
    case ENOSPC:
    case EDQUOT: return vb::err::kDiskFull;
    default: return vb::err::kDeviceIOError;
  }
}

// The run-time error for a failed write or close.
int WriteErrorNumber(int error) {
  return error == ENOSPC || error == EDQUOT || error == EFBIG ? vb::err::kDiskFull : vb::err::kDeviceIOError;
}

// Writes all bytes; returns 0 or the errno of the failure.
int WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote < 0) return errno;
    if (wrote == 0) return ENOSPC;
    done += static_cast<std::size_t>(wrote);
  }
  return 0;
}

// Writes the bytes, forces them to the disk and closes fd (known as `path`); returns 0 or the
// errno of the first failure.
int WriteSyncAndClose(int fd, const std::string& path, const std::string& bytes) {
  int error = WriteAll(fd, bytes);
  if (error == 0) error = files::SyncFile(fd, path);
  if (::close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
  return error;
}

int OpenRetrying(const char* path, int flags, mode_t mode) {
  int fd;
  do {
    fd = ::open(path, flags, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// The file a replacing write must put in place: the target of a link, else the path itself.
std::string ReplacedPath(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
      std::string target(resolved);
      std::free(resolved);
      return target;
    }
  }
  return path;
}

// The folder's permissions (or its sticky bit) refused a new name in it.
bool RefusedByFolder(int error) { return error == EACCES || error == EPERM; }

// Gives the new file the old one's owner, group and permissions, so that whoever read the old
// file (the web side reading status.dat) can read the new one. False when that cannot be done;
// the file is then better written in place than replaced by one that belongs to us.
bool TakeOver(int fd, const struct stat& old) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) return false;
  if (now.st_uid != old.st_uid || now.st_gid != old.st_gid) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) return false;
  }
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

}  // namespace

std::string FormatRecord(const std::vector<RecordItem>& items) {
  std::string out;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += ',';
    std::visit(ItemFormatter{out}, items[i]);
  }
  out += "\r\n";
  return out;
}

void WriteRecord(const std::string& path, const std::vector<RecordItem>& items) {
  if (path.empty()) vb::Raise(vb::err::kBadFileNameOrNumber);
  std::string bytes = FormatRecord(items);
  int fd = OpenRetrying(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) vb::Raise(OpenErrorNumber(errno));
  if (int error = WriteSyncAndClose(fd, path, bytes)) vb::Raise(WriteErrorNumber(error));
}

void WriteRecordReplacing(const std::string& path, const std::vector<RecordItem>& items) {
  if (path.empty()) vb::Raise(vb::err::kBadFileNameOrNumber);
  std::string bytes = FormatRecord(items);
  std::string target = ReplacedPath(path);

  struct stat old {};
  bool hadOld = ::stat(target.c_str(), &old) == 0;
  if (hadOld) {
    if (S_ISDIR(old.st_mode)) vb::Raise(vb::err::kPathFileAccessError);
    // A file its owner made read-only stays as it is, as with a plain write.
    if (::access(target.c_str(), W_OK) != 0) vb::Raise(OpenErrorNumber(errno));
  }

  // A fresh name next to the target; O_EXCL keeps two writers from sharing one.
  static std::atomic<unsigned> counter{0};
  std::string folder = files::FolderOf(target);
  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = folder + "/.pager-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
    fd = files::CreateNew(temp, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    int error = errno;
    // A folder that takes no new file may still hold a file we may write: write that in place.
    if (hadOld && RefusedByFolder(error)) return WriteRecord(target, items);
    vb::Raise(OpenErrorNumber(error));
  }
  if (hadOld && !TakeOver(fd, old)) {
    ::close(fd);
    files::Remove(temp);
    return WriteRecord(target, items);
  }

  // The new record is on the disk before its name replaces the old one, and the name before
  // the caller goes on: a power cut leaves the old record or the new one, never an empty file.
  if (int error = WriteSyncAndClose(fd, temp, bytes)) {
    files::Remove(temp);
    vb::Raise(WriteErrorNumber(error));
  }
  if (int error = files::Rename(temp, target)) {
    files::Remove(temp);
    if (RefusedByFolder(error)) return WriteRecord(target, items);
    vb::Raise(OpenErrorNumber(error));
  }
  if (int error = files::SyncFolder(folder)) vb::Raise(WriteErrorNumber(error));
}

}  // namespace pager
