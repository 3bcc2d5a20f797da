#include "common/RecordWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "common/RecordReader.h"
#include "support/ErrorNumber.h"
#include "common/FileTests.h"
#include "support/DyingWatcher.h"
#include "support/FolderJournal.h"
#include "support/TempFolder.h"

namespace pager {
namespace {

using testing_support::ErrorOf;
using testing_support::TempFolder;

std::vector<RecordItem> ModemItems() {
  return {std::string("2"), std::string("28800"), std::string("ATZ"), std::string("TONE"), std::string("2"),
          std::string("True"), 45LL, std::string(""), std::string(""), false, false};
}

int FilesIn(const std::string& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(RecordWriter, WritesTheConventionExactly) {
  EXPECT_EQ(FormatRecord(ModemItems()),
            "\"2\",\"28800\",\"ATZ\",\"TONE\",\"2\",\"True\",45,\"\",\"\",#FALSE#,#FALSE#\r\n");
  // Never-set items meet their commas; negatives, truth values, texts unchanged.
  EXPECT_EQ(FormatRecord({std::monostate{}, std::string("9,"), -7LL, true, std::monostate{}}),
            ",\"9,\",-7,#TRUE#,\r\n");
  EXPECT_EQ(FormatRecord({std::string("AVAILABLE")}), "\"AVAILABLE\"\r\n");
  EXPECT_EQ(FormatRecord({}), "\r\n");
}

TEST(RecordWriter, ReplacesTheWholeContent) {
  TempFolder folder;
  folder.Write("own.cfg", std::string(1000, 'x'));
  WriteRecord(folder.PathOf("own.cfg"), {std::string("/data/other.txt")});
  EXPECT_EQ(folder.Read("own.cfg"), "\"/data/other.txt\"\r\n");
  WriteRecord(folder.PathOf("new.cfg"), {1LL});
  EXPECT_EQ(folder.Read("new.cfg"), "1\r\n");
}

TEST(RecordWriter, WhatIsWrittenReadsBackItemForItem) {
  TempFolder folder;
  std::vector<RecordItem> items = {std::monostate{}, std::string("28800"), std::string(" AT&F, E0 "),
                                   std::string("caf\xC3\xA9"), std::monostate{}, -32768LL, 32767LL,
                                   true, false, std::string("")};
  using Writer = void (*)(const std::string&, const std::vector<RecordItem>&);
  for (Writer write : {Writer{&WriteRecord}, Writer{&WriteRecordReplacing}}) {
    write(folder.PathOf("modem.cfg"), items);
    RecordReader reader(folder.PathOf("modem.cfg"));
    EXPECT_EQ(reader.ReadUntyped(), "");
    EXPECT_EQ(reader.ReadUntyped(), "28800");
    EXPECT_EQ(reader.ReadText(), " AT&F, E0 ");
    EXPECT_EQ(reader.ReadText(), "caf\xC3\xA9");
    EXPECT_EQ(reader.ReadUntyped(), "");
    EXPECT_EQ(reader.ReadInteger(), -32768);
    EXPECT_EQ(reader.ReadInteger(), 32767);
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
    EXPECT_FALSE(reader.AtEnd());  // the last item is empty, and still there
    EXPECT_EQ(reader.ReadText(), "");
    EXPECT_TRUE(reader.AtEnd());
  }
}

TEST(RecordWriter, FailuresRaiseTheirNumbers) {
  TempFolder folder;
  EXPECT_EQ(ErrorOf([&] { WriteRecord(folder.PathOf("no-folder/modem.cfg"), {1LL}); }), 76);
  EXPECT_EQ(ErrorOf([&] { WriteRecord(folder.Path(), {1LL}); }), 75);
  EXPECT_EQ(ErrorOf([&] { WriteRecord("", {1LL}); }), 52);
  if (::access("/dev/full", W_OK) == 0) {
    EXPECT_EQ(ErrorOf([&] { WriteRecord("/dev/full", {std::string("AVAILABLE")}); }), 61);
  }
}

TEST(RecordWriter, ReadOnlyFileOrFolderRaises75ForAnOrdinaryUser) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
  TempFolder folder;
  folder.Write("status.dat", "\"AVAILABLE\"\r\n");
  ::chmod(folder.PathOf("status.dat").c_str(), 0444);
  EXPECT_EQ(ErrorOf([&] { WriteRecord(folder.PathOf("status.dat"), {std::string("NOT AVAILABLE")}); }), 75);
  EXPECT_EQ(ErrorOf([&] { WriteRecordReplacing(folder.PathOf("status.dat"), {std::string("NOT AVAILABLE")}); }),
            75);
  EXPECT_EQ(folder.Read("status.dat"), "\"AVAILABLE\"\r\n");
  ::chmod(folder.Path().c_str(), 0555);
  EXPECT_EQ(ErrorOf([&] { WriteRecord(folder.PathOf("new.cfg"), {1LL}); }), 75);
  ::chmod(folder.Path().c_str(), 0755);
}

TEST(RecordWriterReplacing, AReaderOfTheOldFileKeepsTheOldRecord) {
  TempFolder folder;
  WriteRecordReplacing(folder.PathOf("status.dat"), {std::string("AVAILABLE")});
  int fd = ::open(folder.PathOf("status.dat").c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  WriteRecordReplacing(folder.PathOf("status.dat"), {std::string("NOT AVAILABLE")});
  char buffer[64] = {};
  ssize_t got = ::read(fd, buffer, sizeof buffer - 1);
  ::close(fd);
  EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(got)), "\"AVAILABLE\"\r\n");
  EXPECT_EQ(folder.Read("status.dat"), "\"NOT AVAILABLE\"\r\n");
  EXPECT_EQ(FilesIn(folder.Path()), 1);  // no temporary file left behind
}

TEST(RecordWriterReplacing, KeepsPermissionsAndFollowsALink) {
  TempFolder folder;
  folder.Write("web-status.dat", "old");
  ::chmod(folder.PathOf("web-status.dat").c_str(), 0640);
  ::symlink(folder.PathOf("web-status.dat").c_str(), folder.PathOf("status.dat").c_str());
  WriteRecordReplacing(folder.PathOf("status.dat"), {std::string("AVAILABLE")});
  struct stat info {};
  ASSERT_EQ(::lstat(folder.PathOf("status.dat").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(folder.Read("web-status.dat"), "\"AVAILABLE\"\r\n");
  ASSERT_EQ(::stat(folder.PathOf("web-status.dat").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

// The web side may read status.dat as its owner or through its group: a replacement keeps both,
// and a folder that takes no new file still lets the file itself be written.
TEST(RecordWriterReplacing, KeepsTheOwnerAndWritesInPlaceWhereItCannotReplace) {
  TempFolder folder;
  folder.Write("status.dat", "\"AVAILABLE\"\r\n");
  ::chmod(folder.PathOf("status.dat").c_str(), 0660);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(folder.PathOf("status.dat").c_str(), 65534, 65534), 0);
    WriteRecordReplacing(folder.PathOf("status.dat"), {std::string("NOT AVAILABLE")});
    struct stat info {};
    ASSERT_EQ(::stat(folder.PathOf("status.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
    EXPECT_EQ(info.st_mode & 0777, 0660u);
  } else {
    ::chmod(folder.Path().c_str(), 0555);
    WriteRecordReplacing(folder.PathOf("status.dat"), {std::string("NOT AVAILABLE")});
    ::chmod(folder.Path().c_str(), 0755);
  }
  EXPECT_EQ(folder.Read("status.dat"), "\"NOT AVAILABLE\"\r\n");
  EXPECT_EQ(FilesIn(folder.Path()), 1);
}

// What a file holds after the writer is killed, or the power cut, at the `at`-th moment of its
// file operations (0: after it returned), in a child process: "<none>" when the file is gone.
std::string AfterDeathAt(const TempFolder& folder, const std::string& name, int at, bool cut,
                         const std::function<void()>& write) {
  const pid_t child = fork();
  if (child == 0) {
    testing_support::FolderJournal journal;
    const auto die = [&] {
      if (cut) journal.Cut();
      _exit(0);
    };
    testing_support::DyingWatcher watcher(at, &journal, [](const std::string&) { return true; }, die);
    write();
    if (watcher.Moments() < at) _exit(1);  // no such moment
    die();
  }
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "<no moment>";
  return folder.Exists(name) ? folder.Read(name) : "<none>";
}

// A kill or a power cut at any moment of a write leaves the old record or the new one, whole;
// once the writer has returned, the new one survives a cut. So does a delete.
TEST(RecordWriter, AKillOrACutAtAnyMomentLeavesTheOldRecordOrTheNewWhole) {
  const std::string before = "\"AVAILABLE\"\r\n";
  const std::string after = "\"NOT AVAILABLE\"\r\n";
  for (const bool cut : {false, true}) {
    int moments = 0;
    for (int at = 1;; ++at) {
      TempFolder folder;
      folder.Write("status.dat", before);
      const std::string left = AfterDeathAt(folder, "status.dat", at, cut, [&] {
        WriteRecordReplacing(folder.PathOf("status.dat"), {std::string("NOT AVAILABLE")});
      });
      if (left == "<no moment>") break;
      ++moments;
      EXPECT_TRUE(left == before || left == after) << cut << " " << at << ": " << left;
    }
    EXPECT_GE(moments, 6) << cut;
    TempFolder folder;
    folder.Write("status.dat", before);
    EXPECT_EQ(AfterDeathAt(folder, "status.dat", 0, cut, [&] {
                WriteRecordReplacing(folder.PathOf("status.dat"), {std::string("NOT AVAILABLE")});
              }),
              after);
    EXPECT_EQ(AfterDeathAt(folder, "own.cfg", 0, cut, [&] { WriteRecord(folder.PathOf("own.cfg"), {1LL}); }),
              "1\r\n");
    EXPECT_EQ(AfterDeathAt(folder, "own.cfg", 0, cut, [&] { DeleteFile(folder.PathOf("own.cfg")); }), "<none>");
  }
}

TEST(RecordWriterReplacing, AFailureLeavesTheOldFileAndNoTemporaryFile) {
  TempFolder folder;
  EXPECT_EQ(ErrorOf([&] { WriteRecordReplacing(folder.PathOf("no-folder/status.dat"), {1LL}); }), 76);
  std::filesystem::create_directory(folder.PathOf("status.dat"));
  folder.Write("status.dat/inside", "x");
  EXPECT_EQ(ErrorOf([&] { WriteRecordReplacing(folder.PathOf("status.dat"), {1LL}); }), 75);
  EXPECT_EQ(folder.Read("status.dat/inside"), "x");
  EXPECT_EQ(FilesIn(folder.Path()), 1);
  EXPECT_EQ(ErrorOf([&] { WriteRecordReplacing("", {1LL}); }), 52);
}

}  // namespace
}  // namespace pager
