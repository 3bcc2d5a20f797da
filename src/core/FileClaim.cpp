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

void FileClaim::Release() {
  released_ = true;
  RemoveTakenFile({aside_, number_});
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
    const long long number = std::stoll(digits);
    if (number < 1 || number > kMaxClaimNumber) continue;
    std::error_code ignored;
    if (!it->is_regular_file(ignored)) continue;
    found.push_back({it->path().string(), static_cast<std::int32_t>(number)});
  }
  // Oldest first, so that their messages keep the order in which they came.
  std::sort(found.begin(), found.end(), [](const TakenFile& a, const TakenFile& b) {
    std::error_code ignored;
    return std::filesystem::last_write_time(a.path, ignored) < std::filesystem::last_write_time(b.path, ignored);
  });
  return found;
}

bool ClaimCommitted(dao::Database& db, InputKind kind, const TakenFile& file) {
  return CommittedClaim(db, kind) == file.number;
}

void RemoveTakenFile(const TakenFile& file) {
  // Synced at once: a delete a cut took back would bring the file back after a later claim
  // of its input has changed the committed number, and it would be read again.
  if (files::Remove(file.path) == 0) files::SyncFolder(files::FolderOf(file.path));
}

}  // namespace pager
