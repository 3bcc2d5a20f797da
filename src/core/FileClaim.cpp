#include "core/FileClaim.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "common/HeaderMarks.h"
#include "platform/dao/Database.h"
#include "platform/vb/RuntimeError.h"
#include "platform/vb/Text.h"

namespace pager {

namespace {

constexpr const char* kAsideMark = ".taken-";

std::string AsideName(const std::string& base, std::int32_t number) {
  return base + kAsideMark + std::to_string(number);
}

// A number no claim of this database has now, and no aside file of `base` carries.
std::int32_t NewClaimNumber(std::int32_t current, const std::string& base) {
  static std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<std::int32_t> pick(1, kMaxClaimNumber);
  for (;;) {
    const std::int32_t number = pick(random);
    struct stat info {};
    if (number != current && ::lstat(AsideName(base, number).c_str(), &info) != 0) return number;
  }
}

}  // namespace

FileClaim::FileClaim(dao::Database& db, const std::string& source, const std::string& base) : base_(base) {
  const std::int32_t number = NewClaimNumber(LastClaimNumber(db), base);
  aside_ = AsideName(base, number);
  if (std::rename(source.c_str(), aside_.c_str()) != 0) {
    vb::Raise(errno == ENOENT ? vb::err::kFileNotFound : vb::err::kPathFileAccessError);
  }
  try {
    SetLastClaimNumber(db, number);
  } catch (...) {
    std::rename(aside_.c_str(), source.c_str());
    throw;
  }
}

FileClaim::~FileClaim() {
  if (released_) return;
  // link() never replaces an existing name, so a file written meanwhile is not overwritten.
  if (::link(aside_.c_str(), base_.c_str()) == 0) ::unlink(aside_.c_str());
}

void FileClaim::Release() {
  released_ = true;
  ::unlink(aside_.c_str());
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

bool ClaimCommitted(dao::Database& db, const TakenFile& file) { return LastClaimNumber(db) == file.number; }

}  // namespace pager
