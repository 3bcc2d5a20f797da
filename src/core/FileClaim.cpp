#include "core/FileClaim.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <random>
#include <system_error>

#include "platform/dao/Database.h"
#include "platform/files/DurableFiles.h"
#include "platform/vb/RuntimeError.h"
#include "platform/vb/Text.h"

namespace pager {

namespace {

constexpr const char* kAsideMark = ".taken-";
constexpr const char* kUnreadMark = ".unread-";
// New numbers tried before a claim gives up on a folder full of aside files.
constexpr int kNumberAttempts = 1000;

std::string AsideName(const std::string& base, std::int32_t number) {
  return base + kAsideMark + std::to_string(number);
}

std::int32_t RandomClaimNumber() {
  static std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::int32_t> pick(1, kMaxClaimNumber);
  return pick(random);
}

}  // namespace

FileClaim::FileClaim(dao::Database& db, InputKind kind, const std::string& source, const std::string& base)
    : kind_(kind), source_(source) {
  const std::int32_t committed = CommittedClaim(db, kind);
  int error = EEXIST;
  for (int attempt = 0; attempt < kNumberAttempts && error == EEXIST; ++attempt) {
    // A number that is the committed claim would make this file look stored already.
    do {
      number_ = RandomClaimNumber();
    } while (number_ == committed);
    aside_ = AsideName(base, number_);
    error = files::RenameNoReplace(source, aside_);
  }
  if (error != 0) vb::Raise(error == ENOENT ? vb::err::kFileNotFound : vb::err::kPathFileAccessError);
  // The rename is on the disk before anything depends on it: a cut must not bring the file
  // back under its old name once its rows are stored.
  if (files::SyncFolder(files::FolderOf(aside_)) != 0) {
    files::RenameNoReplace(aside_, source_);
    vb::Raise(vb::err::kDeviceIOError);
  }
}

FileClaim::FileClaim(InputKind kind, const TakenFile& taken) : kind_(kind), aside_(taken.path), number_(taken.number) {}

FileClaim::~FileClaim() {
  if (released_ || source_.empty()) return;
  // Never over a file written under the old name meanwhile; that one stays, and so does ours,
  // aside, for the next Start.
  if (files::RenameNoReplace(aside_, source_) == 0) files::SyncFolder(files::FolderOf(source_));
}

void FileClaim::RecordIn(dao::Database& db) { SetCommittedClaim(db, kind_, number_); }

bool FileClaim::Release() {
  released_ = true;
  return RemoveTakenFile({aside_, number_});
}

std::string FileClaim::KeepUnread() {
  released_ = true;
  return pager::KeepUnread(aside_);
}

std::vector<TakenFile> FindTakenFiles(const std::string& base) {
  const std::filesystem::path basePath(base);
  const std::string baseName = basePath.filename().string();
  if (baseName.empty()) return {};
  const std::string upperBase = vb::UCase(baseName);
  std::filesystem::path folder = basePath.parent_path();
  if (folder.empty()) folder = ".";
  std::vector<TakenFile> found;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    const std::size_t mark = name.rfind(kAsideMark);
    if (mark == std::string::npos || vb::UCase(name.substr(0, mark)) != upperBase) continue;
    const std::string digits = name.substr(mark + std::char_traits<char>::length(kAsideMark));
    if (digits.empty() || digits.size() > 10 || !std::all_of(digits.begin(), digits.end(), ::isdigit)) continue;
    // Any number: an earlier header layout numbered its copies up to 2^30.
    const long long number = std::stoll(digits);
    if (number < 1) continue;
    std::error_code ignored;
    if (!it->is_regular_file(ignored)) continue;
    found.push_back({it->path().string(), number});
  }
  // Oldest first, so that their messages keep the order in which they came.
  std::sort(found.begin(), found.end(), [](const TakenFile& a, const TakenFile& b) {
    std::error_code ignored;
    return std::filesystem::last_write_time(a.path, ignored) < std::filesystem::last_write_time(b.path, ignored);
  });
  return found;
}

std::string TakenFrom(const std::string& asidePath) {
  const std::size_t mark = asidePath.rfind(kAsideMark);
  return mark == std::string::npos ? asidePath : asidePath.substr(0, mark);
}

bool ClaimCommitted(dao::Database& db, InputKind kind, const TakenFile& file) {
  return IsCommittedClaim(db, kind, file.number);
}

bool RemoveTakenFile(const TakenFile& file) {
  // Synced at once: a delete a cut took back would bring the file back after a later claim
  // of its input has changed the committed number, and it would be read again.
  const int error = files::Remove(file.path);
  if (error == 0) return files::SyncFolder(files::FolderOf(file.path)) == 0;
  return error == ENOENT;
}

std::string KeepUnread(const std::string& path) {
  const std::size_t mark = path.rfind(kAsideMark);
  const std::string stem =
      mark == std::string::npos
          ? path + kUnreadMark + "0"
          : path.substr(0, mark) + kUnreadMark + path.substr(mark + std::char_traits<char>::length(kAsideMark));
  std::string target = stem;
  int error = EEXIST;
  for (int attempt = 2; error == EEXIST && attempt < kNumberAttempts; ++attempt) {
    error = files::RenameNoReplace(path, target);
    if (error == EEXIST) target = stem + "-" + std::to_string(attempt);
  }
  if (error != 0) return {};
  // Synced: a cut must not bring the copy back under a name the intake reads.
  files::SyncFolder(files::FolderOf(target));
  return target;
}

}  // namespace pager
