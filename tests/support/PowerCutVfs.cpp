#include "support/PowerCutVfs.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace testing_support {

namespace {

// The most read or written in one call.
constexpr sqlite3_int64 kChunk = 1 << 20;

}  // namespace

// The handle SQLite holds: ours first, the wrapped VFS's right after it.
struct PowerCutVfs::File {
  sqlite3_file base;
  PowerCutVfs* owner;
  std::string* name;  // "" for a temporary file without a name
  sqlite3_file* real;
};

// The methods of a handle, passed to the wrapped handle; the changes and syncs watched.
struct PowerCutVfs::Methods {
  static constexpr std::size_t kRealOffset = (sizeof(File) + 15) & ~std::size_t{15};

  static File& Of(sqlite3_file* file) { return *reinterpret_cast<File*>(file); }
  static sqlite3_file* Real(sqlite3_file* file) { return Of(file).real; }
  static const sqlite3_io_methods& RealMethods(sqlite3_file* file) { return *Real(file)->pMethods; }

  static int Close(sqlite3_file* file) {
    File& self = Of(file);
    const int rc = RealMethods(file).xClose(self.real);
    auto& open = self.owner->open_;
    for (auto handle = open.lower_bound(*self.name); handle != open.end() && handle->first == *self.name; ++handle) {
      if (handle->second == self.real) {
        open.erase(handle);
        break;
      }
    }
    delete self.name;
    return rc;
  }
  static int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
    return RealMethods(file).xRead(Real(file), buffer, amount, offset);
  }
  static int Write(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset) {
    File& self = Of(file);
    if (self.owner->powerOff_) return SQLITE_IOERR_WRITE;
    if (self.owner->diskFull_) return SQLITE_FULL;
    if (const int rc = self.owner->BeforeChange(*self.name, self.real)) return rc;
    return RealMethods(file).xWrite(self.real, buffer, amount, offset);
  }
  static int Truncate(sqlite3_file* file, sqlite3_int64 size) {
    File& self = Of(file);
    if (self.owner->powerOff_) return SQLITE_IOERR_TRUNCATE;
    if (const int rc = self.owner->BeforeChange(*self.name, self.real)) return rc;
    return RealMethods(file).xTruncate(self.real, size);
  }
  static int Sync(sqlite3_file* file, int flags) {
    File& self = Of(file);
    PowerCutVfs& owner = *self.owner;
    if (owner.powerOff_) return SQLITE_IOERR_FSYNC;
    ++owner.syncs_;
    if (owner.syncDelayMs_ > 0) std::this_thread::sleep_for(std::chrono::milliseconds(owner.syncDelayMs_));
    const int rc = RealMethods(file).xSync(self.real, flags);
    if (rc == SQLITE_OK) owner.AfterSync(*self.name);
    return rc;
  }
  static int FileSize(sqlite3_file* file, sqlite3_int64* size) { return RealMethods(file).xFileSize(Real(file), size); }
  static int Lock(sqlite3_file* file, int level) { return RealMethods(file).xLock(Real(file), level); }
  static int Unlock(sqlite3_file* file, int level) { return RealMethods(file).xUnlock(Real(file), level); }
  static int CheckReservedLock(sqlite3_file* file, int* out) {
    return RealMethods(file).xCheckReservedLock(Real(file), out);
  }
  static int FileControl(sqlite3_file* file, int op, void* argument) {
    File& self = Of(file);
    // A size hint may grow the file (with memory mapping on): a change like a write.
    if (op == SQLITE_FCNTL_SIZE_HINT) {
      if (self.owner->powerOff_) return SQLITE_IOERR_TRUNCATE;
      if (const int rc = self.owner->BeforeChange(*self.name, self.real)) return rc;
    }
    return RealMethods(file).xFileControl(self.real, op, argument);
  }
  static int SectorSize(sqlite3_file* file) { return RealMethods(file).xSectorSize(Real(file)); }
  static int DeviceCharacteristics(sqlite3_file* file) {
    return RealMethods(file).xDeviceCharacteristics(Real(file));
  }
  static int ShmMap(sqlite3_file* file, int page, int pageSize, int extend, void volatile** out) {
    return RealMethods(file).xShmMap(Real(file), page, pageSize, extend, out);
  }
  static int ShmLock(sqlite3_file* file, int offset, int n, int flags) {
    return RealMethods(file).xShmLock(Real(file), offset, n, flags);
  }
  static void ShmBarrier(sqlite3_file* file) { RealMethods(file).xShmBarrier(Real(file)); }
  static int ShmUnmap(sqlite3_file* file, int deleteFlag) { return RealMethods(file).xShmUnmap(Real(file), deleteFlag); }
  static int Fetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** out) {
    return RealMethods(file).xFetch(Real(file), offset, amount, out);
  }
  static int Unfetch(sqlite3_file* file, sqlite3_int64 offset, void* page) {
    return RealMethods(file).xUnfetch(Real(file), offset, page);
  }

  // The methods of the wrapped handle's version: SQLite calls no method its version lacks.
  static const sqlite3_io_methods* ForVersion(int version) {
    static const sqlite3_io_methods methods[] = {Version(1), Version(2), Version(3)};
    return &methods[std::clamp(version, 1, 3) - 1];
  }
  static sqlite3_io_methods Version(int version) {
    return {version,      Close,      Read,       Write,     Truncate,  Sync,       FileSize,
            Lock,         Unlock,     CheckReservedLock,     FileControl,           SectorSize,
            DeviceCharacteristics,    ShmMap,     ShmLock,   ShmBarrier, ShmUnmap,  Fetch,
            Unfetch};
  }
};

int PowerCutVfs::Open(sqlite3_vfs* vfs, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
  PowerCutVfs& self = Of(vfs);
  File& wrapped = Methods::Of(file);
  wrapped.base.pMethods = nullptr;
  wrapped.real = reinterpret_cast<sqlite3_file*>(reinterpret_cast<char*>(file) + Methods::kRealOffset);
  wrapped.real->pMethods = nullptr;
  const int rc = self.real_->xOpen(self.real_, name, wrapped.real, flags, outFlags);
  if (rc != SQLITE_OK) {
    if (wrapped.real->pMethods != nullptr) wrapped.real->pMethods->xClose(wrapped.real);
    return rc;
  }
  wrapped.owner = &self;
  wrapped.name = new std::string(name != nullptr ? name : "");
  wrapped.base.pMethods = Methods::ForVersion(wrapped.real->pMethods->iVersion);
  self.open_.emplace(*wrapped.name, wrapped.real);
  return SQLITE_OK;
}

int PowerCutVfs::Delete(sqlite3_vfs* vfs, const char* name, int syncDir) {
  PowerCutVfs& self = Of(vfs);
  if (self.powerOff_) return SQLITE_IOERR_DELETE;
  const int rc = self.real_->xDelete(self.real_, name, syncDir);
  if (rc == SQLITE_OK) self.unsynced_.erase(name);
  return rc;
}

PowerCutVfs::PowerCutVfs(bool keepUnsynced) : real_(sqlite3_vfs_find(nullptr)), keepUnsynced_(keepUnsynced) {
  if (real_ == nullptr) throw std::runtime_error("SQLite has no default VFS");
  vfs_.iVersion = std::min(real_->iVersion, 3);
  vfs_.szOsFile = static_cast<int>(Methods::kRealOffset) + real_->szOsFile;
  vfs_.mxPathname = real_->mxPathname;
  vfs_.zName = "powercut";
  vfs_.pAppData = this;
  vfs_.xOpen = &PowerCutVfs::Open;
  vfs_.xDelete = &PowerCutVfs::Delete;
  vfs_.xAccess = [](sqlite3_vfs* vfs, const char* name, int flags, int* out) {
    return Of(vfs).real_->xAccess(Of(vfs).real_, name, flags, out);
  };
  vfs_.xFullPathname = [](sqlite3_vfs* vfs, const char* name, int size, char* out) {
    return Of(vfs).real_->xFullPathname(Of(vfs).real_, name, size, out);
  };
  vfs_.xDlOpen = [](sqlite3_vfs* vfs, const char* name) { return Of(vfs).real_->xDlOpen(Of(vfs).real_, name); };
  vfs_.xDlError = [](sqlite3_vfs* vfs, int size, char* out) { Of(vfs).real_->xDlError(Of(vfs).real_, size, out); };
  vfs_.xDlSym = [](sqlite3_vfs* vfs, void* handle, const char* symbol) {
    return Of(vfs).real_->xDlSym(Of(vfs).real_, handle, symbol);
  };
  vfs_.xDlClose = [](sqlite3_vfs* vfs, void* handle) { Of(vfs).real_->xDlClose(Of(vfs).real_, handle); };
  vfs_.xRandomness = [](sqlite3_vfs* vfs, int size, char* out) {
    return Of(vfs).real_->xRandomness(Of(vfs).real_, size, out);
  };
  vfs_.xSleep = [](sqlite3_vfs* vfs, int microseconds) { return Of(vfs).real_->xSleep(Of(vfs).real_, microseconds); };
  vfs_.xCurrentTime = [](sqlite3_vfs* vfs, double* out) { return Of(vfs).real_->xCurrentTime(Of(vfs).real_, out); };
  vfs_.xGetLastError = [](sqlite3_vfs* vfs, int size, char* out) {
    return Of(vfs).real_->xGetLastError(Of(vfs).real_, size, out);
  };
  vfs_.xCurrentTimeInt64 = [](sqlite3_vfs* vfs, sqlite3_int64* out) {
    return Of(vfs).real_->xCurrentTimeInt64(Of(vfs).real_, out);
  };
  vfs_.xSetSystemCall = [](sqlite3_vfs* vfs, const char* name, sqlite3_syscall_ptr call) {
    return Of(vfs).real_->xSetSystemCall(Of(vfs).real_, name, call);
  };
  vfs_.xGetSystemCall = [](sqlite3_vfs* vfs, const char* name) {
    return Of(vfs).real_->xGetSystemCall(Of(vfs).real_, name);
  };
  vfs_.xNextSystemCall = [](sqlite3_vfs* vfs, const char* name) {
    return Of(vfs).real_->xNextSystemCall(Of(vfs).real_, name);
  };
  if (sqlite3_vfs_register(&vfs_, 1) != SQLITE_OK) throw std::runtime_error("cannot register the power-cut VFS");
}

PowerCutVfs::~PowerCutVfs() {
  sqlite3_vfs_unregister(&vfs_);
  sqlite3_vfs_register(real_, 1);
}

int PowerCutVfs::BeforeChange(const std::string& name, sqlite3_file* real) {
  if (!keepUnsynced_ || name.empty() || unsynced_.count(name) != 0) return SQLITE_OK;
  Unsynced kept;
  if (const int rc = real->pMethods->xFileSize(real, &kept.size)) return rc;
  kept.content.resize(static_cast<std::size_t>(kept.size));
  for (sqlite3_int64 at = 0; at < kept.size; at += kChunk) {
    const int amount = static_cast<int>(std::min(kChunk, kept.size - at));
    if (const int rc = real->pMethods->xRead(real, kept.content.data() + at, amount, at)) return rc;
  }
  unsynced_.emplace(name, std::move(kept));
  return SQLITE_OK;
}

void PowerCutVfs::AfterSync(const std::string& name) { unsynced_.erase(name); }

void PowerCutVfs::Cut() {
  for (const auto& [name, kept] : unsynced_) {
    // Through an open handle where there is one: the process's locks on the file stay as they are.
    if (const auto handle = open_.find(name); handle != open_.end()) {
      sqlite3_file* real = handle->second;
      real->pMethods->xTruncate(real, kept.size);
      for (sqlite3_int64 at = 0; at < kept.size; at += kChunk) {
        const int amount = static_cast<int>(std::min(kChunk, kept.size - at));
        real->pMethods->xWrite(real, kept.content.data() + at, amount, at);
      }
      continue;
    }
    const int fd = ::open(name.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) continue;
    for (std::size_t at = 0; at < kept.content.size();) {
      const ssize_t wrote = ::pwrite(fd, kept.content.data() + at, kept.content.size() - at, static_cast<off_t>(at));
      if (wrote <= 0) break;
      at += static_cast<std::size_t>(wrote);
    }
    [[maybe_unused]] const int truncated = ::ftruncate(fd, static_cast<off_t>(kept.size));
    ::close(fd);
  }
  unsynced_.clear();
  powerOff_ = true;
}

}  // namespace testing_support
