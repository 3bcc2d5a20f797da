// The test support's power cut for folders, proved once: what a folder sync made durable stays,
// every other rename, delete and new file is undone, and a new file's unsynced data is lost.
#include "support/FolderJournal.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace {

using testing_support::TempFolder;

int CreateWith(const std::string& path, const std::string& bytes) {
  const int fd = files::CreateNew(path, 0644);
  EXPECT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  return fd;
}

TEST(FolderJournal, ACutUndoesWhatNoFolderSyncMadeDurable) {
  TempFolder folder;
  folder.Write("a", "A");
  folder.Write("b", "B");
  testing_support::FolderJournal journal;

  ASSERT_EQ(files::Rename(folder.PathOf("a"), folder.PathOf("moved")), 0);
  const int written = CreateWith(folder.PathOf("written"), "W");  // name synced, data not
  const int synced = CreateWith(folder.PathOf("synced"), "S");    // both synced
  ASSERT_EQ(files::SyncFile(synced, folder.PathOf("synced")), 0);
  ASSERT_EQ(files::SyncFolder(folder.Path() + "/"), 0);

  ASSERT_EQ(files::Remove(folder.PathOf("b")), 0);
  const int temp = CreateWith(folder.PathOf("temp"), "T");
  ASSERT_EQ(files::Rename(folder.PathOf("temp"), folder.PathOf("moved")), 0);  // over "moved"
  EXPECT_EQ(files::RenameNoReplace(folder.PathOf("synced"), folder.PathOf("written")), EEXIST);
  for (int fd : {written, synced, temp}) ::close(fd);
  EXPECT_EQ(journal.FolderSyncs(), 1);
  EXPECT_EQ(journal.FileSyncs(), 1);

  journal.Cut();
  EXPECT_FALSE(folder.Exists("a"));
  EXPECT_EQ(folder.Read("moved"), "A");
  EXPECT_EQ(folder.Read("b"), "B");
  EXPECT_FALSE(folder.Exists("temp"));
  EXPECT_TRUE(folder.Exists("written"));
  EXPECT_EQ(folder.Read("written"), "");
  EXPECT_EQ(folder.Read("synced"), "S");
}

}  // namespace
