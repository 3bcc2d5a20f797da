#include "support/TempFolder.h"

#include <algorithm>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "pager-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempFolder::TempFolder(std::string existing) : path_(std::move(existing)), owned_(false) {}

TempFolder::~TempFolder() {
  if (!owned_) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(PathOf(name), std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string TempFolder::Read(const std::string& name) const {
  std::ifstream in(PathOf(name), std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool TempFolder::Exists(const std::string& name) const { return std::filesystem::exists(PathOf(name)); }

std::vector<std::string> TempFolder::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void TempFolder::Remove(const std::string& name) const {
  std::error_code ignored;
  std::filesystem::remove(PathOf(name), ignored);
}

}  // namespace testing_support
