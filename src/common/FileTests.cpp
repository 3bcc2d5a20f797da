#include "common/FileTests.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <vector>

#include "platform/files/DurableFiles.h"
#include "platform/vb/RuntimeError.h"
#include "platform/vb/Text.h"

namespace pager {

namespace {

std::string LCase(const std::string& text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The names of the regular files (or links to them) in the folder whose upper-case form equals
// upperName, in byte order.
std::vector<std::string> MatchingNames(const std::string& folder, const std::string& upperName) {
  std::vector<std::string> names;
  if (upperName.empty()) return names;
  const std::string listed = folder.empty() ? "." : folder;
  DIR* dir = ::opendir(listed.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    std::string name(entry->d_name);
    if (vb::UCase(name) != upperName) continue;
    if (!FileExists(Join(listed, name))) continue;
    names.push_back(std::move(name));
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> Pick(const std::vector<std::string>& names, const std::string& first,
                                const std::string& second) {
  if (names.empty()) return std::nullopt;
  for (const std::string* wanted : {&first, &second}) {
    for (const std::string& name : names) {
      if (name == *wanted) return name;
    }
  }
  return names.front();
}

}  // namespace

std::optional<std::string> FindByName(const std::string& folder, const std::string& upperName,
                                      const std::string& preferredName) {
  const std::string preferred = preferredName.empty() ? LCase(upperName) : preferredName;
  std::optional<std::string> name = Pick(MatchingNames(folder, upperName), preferred, upperName);
  if (!name) return std::nullopt;
  return Join(folder.empty() ? "." : folder, *name);
}

std::optional<std::string> FindPathByName(const std::string& path, const std::string& upperName) {
  if (path.empty() || path.back() == '/') return std::nullopt;
  std::size_t slash = path.find_last_of('/');
  std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (vb::UCase(base) != upperName) return std::nullopt;
  std::optional<std::string> name = Pick(MatchingNames(folder, upperName), base, upperName);
  if (!name) return std::nullopt;
  return folder + *name;
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void DeleteFile(const std::string& path) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
    vb::Raise(vb::err::kFileNotFound);
  }
  if (int error = files::Remove(path)) {
    vb::Raise(error == ENOENT ? vb::err::kFileNotFound : vb::err::kPathFileAccessError);
  }
  // The file is gone for good before the caller acts on it (an input file deleted once its
  // messages are stored): a power cut cannot bring it back.
  if (files::SyncFolder(files::FolderOf(path)) != 0) vb::Raise(vb::err::kDeviceIOError);
}

}  // namespace pager
