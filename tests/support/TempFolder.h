// A temporary program folder for a test: made fresh, removed with everything in it at the end.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

class TempFolder {
 public:
  TempFolder();
  // An existing folder, used as it is and left in place at the end (a test that runs several
  // servers one after the other on one folder).
  explicit TempFolder(std::string existing);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string PathOf(const std::string& name) const { return path_ + "/" + name; }

  void Write(const std::string& name, const std::string& bytes) const;
  std::string Read(const std::string& name) const;  // "" when missing
  bool Exists(const std::string& name) const;
  void Remove(const std::string& name) const;
  // The names in the folder, sorted.
  std::vector<std::string> Names() const;

 private:
  std::string path_;
  bool owned_ = true;
};

}  // namespace testing_support
