// A scratch program folder for one benchmark run: made fresh under the system's temporary
// folder, holding an empty pager.mdb, and removed with everything in it at the end. The
// constructor throws std::runtime_error when the folder or the database cannot be laid out.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "PagerDatabaseFile.h"

namespace bench {

class BenchFolder {
 public:
  // `prefix` names the folder (prefix-XXXXXX), so that one left behind tells whose it was.
  explicit BenchFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    std::string error;
    if (pagerdb::CreatePagerDatabase(PathOf("pager.mdb"), &error) != pagerdb::CreateResult::kCreated) {
      throw std::runtime_error("cannot create pager.mdb: " + error);
    }
  }
  ~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;

  std::string PathOf(const std::string& name) const { return path_ + "/" + name; }
  const std::string& Path() const { return path_; }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(PathOf(name), std::ios::binary) << bytes;
  }

 private:
  std::string path_;
};

}  // namespace bench
