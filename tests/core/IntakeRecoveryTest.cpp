// Errors half-way through the intake: no message is lost or stored twice, and a file whose rows
// were not stored stays for the next Start.
#include "core/CoreTest.h"
#include "platform/files/DurableFiles.h"
#include "support/PowerCutVfs.h"
#include "support/TempFolder.h"

namespace core_test {
namespace {

class IntakeRecoveryTest : public CoreTest {
 protected:
  void ExpectStoppedWithError(int number) {
    ASSERT_FALSE(h.dialogs.Boxes().empty());
    EXPECT_EQ(LastBox().rfind("Error:  " + std::to_string(number) + " - ", 0), 0U) << LastBox();
    EXPECT_EQ(m().strServerState, "STOP");
    h.dialogs.ClearBoxes();
  }
};

// An outside program holding the database's write lock past the wait: the operator's Start
// reports 3260 and stops; the file is neither taken nor lost.
TEST_F(IntakeRecoveryTest, AFileThatCannotBeStoredUnderAnOutsideLockStays) {
  UseSubmissions();
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("1", "555") + Submission("2", "555"));
  {
    const auto lock = h.HoldWriteLock();
    Start();
    ExpectStoppedWithError(3260);
  }
  EXPECT_EQ(h.CountRows("Queue"), 0);
  EXPECT_TRUE(h.folder.Exists("FEEDBACK.TXT"));

  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty());
  EXPECT_EQ(m().intPending, 2);
  EXPECT_FALSE(h.folder.Exists("FEEDBACK.TXT"));
}

TEST_F(IntakeRecoveryTest, AnErrorWhileStoringAFileRollsItsRowsBack) {
  UseSubmissions();
  // The second record's row cannot be stored: the first one's is rolled back with it.
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("1", "555") + Submission("2", "556"));
  h.Exec("CREATE TRIGGER refuse BEFORE INSERT ON Queue WHEN NEW.Unit = '2' BEGIN SELECT RAISE(ABORT, 'full'); END");
  Start();
  ExpectStoppedWithError(3000);
  EXPECT_EQ(h.CountRows("Queue") + h.CountRows("Temp"), 0);
  EXPECT_TRUE(h.folder.Exists("FEEDBACK.TXT"));

  h.Exec("DROP TRIGGER refuse");
  Start();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"1", "2"}));
}

// The submissions are stored and their file gone when the Other File fails: they survive the
// error trap in Queue, and the next Start neither loses nor doubles them.
TEST_F(IntakeRecoveryTest, UnitsStoredBeforeAnErrorAreKeptOnce) {
  UseSubmissions();
  UseOtherFile("pages.txt");
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("1", "555"));
  h.folder.Write("pages.txt", "\"2\",\"two\"\r\n\"3\"");
  h.InsertScheduled("2026-12-07", "09:00", "555", "0", "sched");
  Start();
  ExpectStoppedWithError(62);
  EXPECT_FALSE(h.folder.Exists("FEEDBACK.TXT"));
  EXPECT_TRUE(h.folder.Exists("pages.txt"));

  h.folder.Write("pages.txt", "\"2\",\"two\"\r\n\"3\",\"three\"\r\n");
  Start();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"0", "1", "2", "3"}));
  EXPECT_EQ(h.CountRows("Scheadule"), 0);
}

// A Start that died between taking a file aside and its commit leaves the aside file; one that
// died after the commit leaves it too. The next Start tells them apart by the claim number in
// the database's header: it takes the first in (before a new file written since) and only
// deletes the second.
TEST_F(IntakeRecoveryTest, FilesTakenAsideByAnInterruptedStartAreFinishedOnce) {
  UseSubmissions();
  h.Exec("PRAGMA user_version = 777");  // the submissions file's claim 777 was committed
  h.folder.Write("FEEDBACK.TXT.taken-777", kHeader + Submission("stored", "555"));
  h.folder.Write("FEEDBACK.TXT.taken-12345", kHeader + Submission("aside", "555"));
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("new", "555"));
  UseOtherFile("pages.txt");
  h.folder.Write("pages.txt.taken-4242", "\"own\",\"text\"\r\n");
  form().imgInternet.Visible = false;  // taken files are finished whatever the mode says now
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty()) << LastBox();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"aside", "own"}));
  EXPECT_TRUE(h.folder.Exists("FEEDBACK.TXT")) << "Intranet mode is off";
  for (const char* name : {"FEEDBACK.TXT.taken-777", "FEEDBACK.TXT.taken-12345", "pages.txt.taken-4242"}) {
    EXPECT_FALSE(h.folder.Exists(name)) << name;
  }
  form().imgInternet.Visible = true;
  Start();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"aside", "own", "new"}));
}

// The Other File's committed claim is its own: a new submissions file claimed in the same Start
// does not make the Other File's aside copy look uncommitted, so it is not read a second time.
TEST_F(IntakeRecoveryTest, ACommittedOtherFileStaysCommittedWhenASubmissionsFileIsClaimed) {
  UseSubmissions();
  UseOtherFile("pages.txt");
  h.Exec("PRAGMA user_version = " + std::to_string(4242 << 15));  // the Other File's claim 4242
  h.folder.Write("pages.txt.taken-4242", "\"own\",\"text\"\r\n");
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("new", "555"));
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty()) << LastBox();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"new"}));
  EXPECT_FALSE(h.folder.Exists("pages.txt.taken-4242"));
}

// A writer goes on writing under the file's name while a Start claims it: what it wrote before
// the claim took the file aside is read with it; a new file it makes under the old name while
// the claim cannot commit (an outside lock) is never overwritten by the claim putting its file
// back. Each record is stored once.
TEST_F(IntakeRecoveryTest, WhatAWriterWritesAroundAClaimIsStoredOnce) {
  class Writer : public files::Watcher {
   public:
    explicit Writer(testing_support::TempFolder& folder) : folder_(folder) {}
    void BeforeRename(const std::string& from, const std::string& to) override {
      if (to.find(".taken-") != std::string::npos) {
        folder_.Write("FEEDBACK.TXT", folder_.Read("FEEDBACK.TXT") + Submission("appended", "555"));
      } else if (from.find(".taken-") != std::string::npos) {
        folder_.Write("FEEDBACK.TXT", kHeader + Submission("new", "555"));
      }
    }
   private:
    testing_support::TempFolder& folder_;
  } writer(h.folder);
  UseSubmissions();
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("first", "555"));
  files::SetWatcher(&writer);
  {
    const auto lock = h.HoldWriteLock();
    Start();
    ExpectStoppedWithError(3260);
  }
  files::SetWatcher(nullptr);
  EXPECT_EQ(h.folder.Read("FEEDBACK.TXT"), kHeader + Submission("new", "555"));
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty()) << LastBox();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"first", "appended", "new"}));
}

// The commit that would store a file's rows fails (a full disk): the file is not deleted, its
// rows are not half stored, and the next Start takes them in once.
TEST_F(IntakeRecoveryTest, AFileWhoseCommitFailsStaysForTheNextStart) {
  UseSubmissions();
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("1", "555") + Submission("2", "555"));
  {
    testing_support::PowerCutVfs disk;
    disk.SetDiskFull(true);
    Start();
    ExpectStoppedWithError(3026);
    disk.SetDiskFull(false);
    m().dbPager->Close();
  }
  EXPECT_TRUE(h.folder.Exists("FEEDBACK.TXT"));
  EXPECT_EQ(h.CountRows("Queue"), 0);
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty()) << LastBox();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"1", "2"}));
  EXPECT_FALSE(h.folder.Exists("FEEDBACK.TXT"));
}

}  // namespace
}  // namespace core_test
