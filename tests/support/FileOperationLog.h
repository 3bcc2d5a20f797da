// Watches the folder changes and flushes made through platform/files while it lives, one line
// each in the order they were made: "create NAME", "sync NAME", "rename FROM TO", "remove NAME",
// "sync folder FOLDER". A name is the base name of the path; the record writer's temporary
// files (.pager-*) are all "temp". One at a time.
#pragma once

#include <string>
#include <vector>

#include "platform/files/DurableFiles.h"

namespace testing_support {

class FileOperationLog : public files::Watcher {
 public:
  FileOperationLog() { files::SetWatcher(this); }
  ~FileOperationLog() override { files::SetWatcher(nullptr); }
  FileOperationLog(const FileOperationLog&) = delete;
  FileOperationLog& operator=(const FileOperationLog&) = delete;

  void BeforeRename(const std::string& from, const std::string& to) override {
    lines.push_back("rename " + Name(from) + " " + Name(to));
  }
  void BeforeRemove(const std::string& path) override { lines.push_back("remove " + Name(path)); }
  void Created(const std::string& path) override { lines.push_back("create " + Name(path)); }
  void FileSynced(const std::string& path) override { lines.push_back("sync " + Name(path)); }
  void FolderSynced(const std::string& folder) override { lines.push_back("sync folder " + folder); }

  std::vector<std::string> lines;

 private:
  static std::string Name(const std::string& path) {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    return name.rfind(".pager-", 0) == 0 ? "temp" : name;
  }
};

}  // namespace testing_support
