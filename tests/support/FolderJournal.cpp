#include "support/FolderJournal.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace testing_support {

namespace {

// The folder as the system resolves it, so that "dir", "dir/" and "./dir" are one folder.
std::string Canonical(const std::string& folder) {
  char* resolved = ::realpath(folder.c_str(), nullptr);
  if (resolved == nullptr) return folder;
  std::string path(resolved);
  std::free(resolved);
  return path;
}

void Recreate(const std::string& path, const std::string& content, mode_t mode) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) return;
  for (std::size_t at = 0; at < content.size();) {
    const ssize_t wrote = ::write(fd, content.data() + at, content.size() - at);
    if (wrote <= 0) break;
    at += static_cast<std::size_t>(wrote);
  }
  ::fchmod(fd, mode);
  ::close(fd);
}

}  // namespace

FolderJournal::FolderJournal() { files::SetWatcher(this); }

FolderJournal::~FolderJournal() { files::SetWatcher(nullptr); }

std::optional<FolderJournal::Identity> FolderJournal::IdentityOf(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0) return std::nullopt;
  return Identity{info.st_dev, info.st_ino};
}

std::string FolderJournal::FolderKey(const std::string& path) { return Canonical(files::FolderOf(path)); }

// The regular file at `path` as a cut would bring it back; nothing for anything else. A file
// whose data never reached the disk comes back empty.
std::optional<FolderJournal::Kept> FolderJournal::Keep(const std::string& path) const {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  Kept kept;
  kept.mode = info.st_mode & 07777;
  const Identity file{info.st_dev, info.st_ino};
  const bool neverSynced = std::any_of(unsyncedData_.begin(), unsyncedData_.end(),
                                       [&](const UnsyncedData& data) { return data.file == file; });
  if (!neverSynced) {
    std::ifstream in(path, std::ios::binary);
    kept.content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return kept;
}

void FolderJournal::BeforeRename(const std::string& from, const std::string& to) {
  const auto file = IdentityOf(from);
  if (!file) return;  // the rename will fail
  for (UnsyncedData& data : unsyncedData_) {
    if (data.file == *file) data.names.push_back(to);
  }
  changes_.push_back({Change::Kind::kRenamed, to, from, *file, Keep(to), {FolderKey(from), FolderKey(to)}});
}

void FolderJournal::BeforeRemove(const std::string& path) {
  const auto file = IdentityOf(path);
  if (!file) return;  // the delete will fail
  changes_.push_back({Change::Kind::kRemoved, path, "", *file, Keep(path), {FolderKey(path)}});
}

void FolderJournal::Created(const std::string& path) {
  const auto file = IdentityOf(path);
  if (!file) return;
  changes_.push_back({Change::Kind::kCreated, path, "", *file, std::nullopt, {FolderKey(path)}});
  unsyncedData_.push_back({*file, {path}});
}

void FolderJournal::FileSynced(const std::string& path) {
  ++fileSyncs_;
  Delay();
  if (const auto file = IdentityOf(path)) {
    std::erase_if(unsyncedData_, [&](const UnsyncedData& data) { return data.file == *file; });
  }
}

void FolderJournal::FolderSynced(const std::string& folder) {
  ++folderSyncs_;
  Delay();
  const std::string key = Canonical(folder);
  for (Change& change : changes_) change.folders.erase(key);
  std::erase_if(changes_, [](const Change& change) { return change.folders.empty(); });
}

void FolderJournal::Delay() const {
  if (syncDelayMs_ > 0) std::this_thread::sleep_for(std::chrono::milliseconds(syncDelayMs_));
}

// Undoes one change, found made: the state it left is there (the changes after it undone).
void FolderJournal::Undo(const Change& change) const {
  const auto now = IdentityOf(change.path);
  switch (change.kind) {
    case Change::Kind::kCreated:
      if (now == change.file) ::unlink(change.path.c_str());
      break;
    case Change::Kind::kRemoved:
      if (!now && change.kept) Recreate(change.path, change.kept->content, change.kept->mode);
      break;
    case Change::Kind::kRenamed:
      if (now != change.file || IdentityOf(change.from)) break;
      ::rename(change.path.c_str(), change.from.c_str());
      if (change.kept) Recreate(change.path, change.kept->content, change.kept->mode);
      break;
  }
}

void FolderJournal::Cut() {
  for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) Undo(*change);
  for (const UnsyncedData& data : unsyncedData_) {
    for (const std::string& name : data.names) {
      if (IdentityOf(name) == data.file) {
        [[maybe_unused]] const int emptied = ::truncate(name.c_str(), 0);
      }
    }
  }
  changes_.clear();
  unsyncedData_.clear();
}

}  // namespace testing_support
