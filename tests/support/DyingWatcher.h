// A death at a chosen moment of the files:: operations, for crash and power-cut tests: counts
// the moments before and after each rename, delete and folder sync (and after each new file and
// file sync) of the files it is asked to watch, passes every operation on to a folder journal
// (when a power cut is to be modelled), and calls `die` at the chosen moment. A folder sync is
// a watched file's when it follows a watched rename or delete.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "platform/files/DurableFiles.h"

namespace testing_support {

class DyingWatcher : public files::Watcher {
 public:
  DyingWatcher(int at, files::Watcher* journal, std::function<bool(const std::string&)> watched,
               std::function<void()> die)
      : at_(at), journal_(journal), watched_(std::move(watched)), die_(std::move(die)) {
    files::SetWatcher(this);
  }
  ~DyingWatcher() override { files::SetWatcher(journal_); }
  DyingWatcher(const DyingWatcher&) = delete;
  DyingWatcher& operator=(const DyingWatcher&) = delete;

  // The moments counted so far.
  int Moments() const { return moments_; }

  void BeforeRename(const std::string& from, const std::string& to) override {
    Moment(watched_(from) || watched_(to));
    if (journal_) journal_->BeforeRename(from, to);
  }
  void AfterRename(const std::string& from, const std::string& to, int result) override {
    if (journal_) journal_->AfterRename(from, to, result);
    Moment(watched_(from) || watched_(to));
  }
  void BeforeRemove(const std::string& path) override {
    Moment(watched_(path));
    if (journal_) journal_->BeforeRemove(path);
  }
  void AfterRemove(const std::string& path, int result) override {
    if (journal_) journal_->AfterRemove(path, result);
    Moment(watched_(path));
  }
  void BeforeFolderSync(const std::string& folder) override {
    Moment(unsynced_);
    if (journal_) journal_->BeforeFolderSync(folder);
  }
  void FolderSynced(const std::string& folder) override {
    if (journal_) journal_->FolderSynced(folder);
    const bool watched = unsynced_;
    unsynced_ = false;
    Moment(watched);
  }
  void Created(const std::string& path) override {
    if (journal_) journal_->Created(path);
    Moment(watched_(path));
  }
  void FileSynced(const std::string& path) override {
    if (journal_) journal_->FileSynced(path);
    Moment(watched_(path));
  }

 private:
  void Moment(bool watched) {
    if (!watched) return;
    unsynced_ = true;
    if (++moments_ == at_) die_();
  }
  int at_;
  files::Watcher* journal_;
  std::function<bool(const std::string&)> watched_;
  std::function<void()> die_;
  int moments_ = 0;
  bool unsynced_ = false;
};

}  // namespace testing_support
