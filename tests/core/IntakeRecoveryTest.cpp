// Errors half-way through the intake: no message is lost or stored twice, and a file whose rows
// were not stored stays for the next Start.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <utility>

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
    const std::string& box = h.dialogs.Boxes().front().prompt;
    EXPECT_EQ(box.rfind("Error:  " + std::to_string(number) + " - ", 0), 0U) << box;
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
// error trap in Queue, with the Other File's complete pair, and the next Start neither loses
// nor doubles them.
TEST_F(IntakeRecoveryTest, UnitsStoredBeforeAnErrorAreKeptOnce) {
  UseSubmissions();
  UseOtherFile("pages.txt");
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("1", "555"));
  h.folder.Write("pages.txt", "\"2\",\"two\"\r\n\"3\"");
  h.InsertScheduled("2026-12-07", "09:00", "555", "0", "sched");
  Start();
  ExpectStoppedWithError(62);
  EXPECT_FALSE(h.folder.Exists("FEEDBACK.TXT"));
  EXPECT_FALSE(h.folder.Exists("pages.txt"));

  h.folder.Write("pages.txt", "\"3\",\"three\"\r\n");
  Start();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"0", "1", "2", "3"}));
  EXPECT_EQ(h.CountRows("Scheadule"), 0);
}

// Aside copies a killed Start left, as a fresh file would be read: an empty one is deleted,
// one cut short gives its complete records and is kept under a name no intake reads, one that
// cannot be read at all is kept so too. Each kept copy is named once; Start goes on, and the
// new files written since are taken in.
TEST_F(IntakeRecoveryTest, LeftoverCopiesNeverStopAStart) {
  UseSubmissions();
  UseOtherFile("pages.txt");
  h.folder.Write("FEEDBACK.TXT.taken-11", "");
  h.folder.Write("FEEDBACK.TXT.taken-12", kHeader + Submission("cut", "555") + "\"lost\",\"m");
  h.folder.Write("FEEDBACK.TXT.taken-13", "\"Unit\",\"Mess");
  h.folder.Write("pages.txt.taken-14", "\"own\",\"text\"\r\n\"odd\"");
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("new", "555"));
  Start();
  EXPECT_EQ(m().strServerState, "RUNNING");
  ASSERT_EQ(h.dialogs.Boxes().size(), 3U);
  for (const char* kept : {"FEEDBACK.TXT.unread-12", "FEEDBACK.TXT.unread-13", "pages.txt.unread-14"}) {
    EXPECT_TRUE(h.folder.Exists(kept)) << kept;
    int named = 0;
    for (const auto& box : h.dialogs.Boxes()) named += box.prompt.find(kept) != std::string::npos;
    EXPECT_EQ(named, 1) << kept;
  }
  EXPECT_EQ(h.folder.Read("FEEDBACK.TXT.unread-13"), "\"Unit\",\"Mess");
  for (const char* gone : {"FEEDBACK.TXT", "FEEDBACK.TXT.taken-11", "FEEDBACK.TXT.taken-12",
                           "FEEDBACK.TXT.taken-13", "pages.txt.taken-14"}) {
    EXPECT_FALSE(h.folder.Exists(gone)) << gone;
  }
  auto units = Column("Queue", "Unit");
  std::sort(units.begin(), units.end());
  EXPECT_EQ(units, (std::vector<std::optional<std::string>>{"cut", "new", "own"}));

  h.dialogs.ClearBoxes();
  Stop();
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty()) << LastBox();
}

// At a re-cycle a file that is not whole yet (its writer has not finished) is put back, the
// status line names it, and the cycle goes on with the other input; the next re-cycle takes it
// in once it is whole. The operator's Start keeps its box.
TEST_F(IntakeRecoveryTest, AReCycleLeavesAFileNotWholeForTheNext) {
  UseSubmissions();
  UseOtherFile("pages.txt");
  h.folder.Write("pages.txt", "\"1\",\"one\"\r\n\"2\"");
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("3", "555"));
  h.core->StartFromRecycle();
  EXPECT_TRUE(h.dialogs.Boxes().empty()) << LastBox();
  EXPECT_EQ(m().strServerState, "RUNNING");
  EXPECT_EQ(form().lblStatus.Caption.get(), "pages.txt not complete yet; trying again at the next re-cycle");
  EXPECT_EQ(h.folder.Read("pages.txt"), "\"1\",\"one\"\r\n\"2\"");
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"3"}));

  h.folder.Write("pages.txt", "\"1\",\"one\"\r\n\"2\",\"two\"\r\n");
  h.core->StartFromRecycle();
  EXPECT_TRUE(h.dialogs.Boxes().empty()) << LastBox();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"3", "1", "2"}));
  EXPECT_FALSE(h.folder.Exists("pages.txt"));
}

// At a re-cycle the Other File goes between the moment it is seen and its claim (a writer
// replacing it): the cycle goes on with the other input, without a box.
TEST_F(IntakeRecoveryTest, AReCycleGoesOnWhenAFileGoesBeforeItsClaim) {
  struct Vanishing : files::Watcher {
    void BeforeRename(const std::string& from, const std::string& to) override {
      if (to.find(".taken-") != std::string::npos && from.find("pages.txt") != std::string::npos) {
        std::filesystem::remove(from);
      }
    }
  } vanishing;
  UseSubmissions();
  UseOtherFile("pages.txt");
  h.folder.Write("pages.txt", "\"1\",\"one\"\r\n");
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("3", "555"));
  files::SetWatcher(&vanishing);
  h.core->StartFromRecycle();
  files::SetWatcher(nullptr);
  EXPECT_TRUE(h.dialogs.Boxes().empty()) << LastBox();
  EXPECT_EQ(m().strServerState, "RUNNING");
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"3"}));
}

// A writer that goes on writing through the descriptor it had open when the file was taken
// aside: its first write the header alone, or a record split in two writes. The copy is read
// once it has been quiet for a moment, and every record is stored once.
TEST_F(IntakeRecoveryTest, AWriterThatStillHoldsTheFileOpenFinishesIntoIt) {
  UseSubmissions();
  const std::string whole = kHeader + Submission("A", "555") + Submission("B", "555");
  const std::string splitInB = kHeader + Submission("A", "555") + Submission("B", "555").substr(0, 20);
  for (const std::string& written : {kHeader, splitInB}) {
    h.folder.Write("FEEDBACK.TXT", written);
    const std::string& rest = whole;
    const int fd = ::open(h.folder.PathOf("FEEDBACK.TXT").c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(fd, 0);
    // The rest comes in two writes, 300 ms and 600 ms after the claim.
    std::size_t done = written.size();
    forms::Timer writer(h.loop, "writer", 300, true);
    writer.OnTimer = [&] {
      const std::size_t part = done == written.size() ? (rest.size() - done) / 2 : rest.size() - done;
      ASSERT_EQ(::write(fd, rest.data() + done, part), static_cast<ssize_t>(part));
      done += part;
      if (done == rest.size()) writer.Enabled = false;
    };
    Start();
    ::close(fd);
    EXPECT_TRUE(h.dialogs.Boxes().empty()) << LastBox();
    EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"A", "B"}));
    Stop();
  }
}

// The operator's Stop while the intake waits for a file to be quiet (the wait lets clicks in):
// the server stops as at any moment, with no error box, and the file is back under its name
// for the next Start.
TEST_F(IntakeRecoveryTest, AStopWhileTheIntakeWaitsForAQuietFileShowsNoError) {
  UseSubmissions();
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("1", "555"));
  h.loop.Post([&] { Stop(); });
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty()) << LastBox();
  EXPECT_EQ(m().strServerState, "STOP");
  EXPECT_EQ(form().lblStatus.Caption.get(), "Server is not available");
  EXPECT_EQ(h.folder.Read("FEEDBACK.TXT"), kHeader + Submission("1", "555"));
  Start();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"1"}));
}

// A watcher under which deleting any file whose path holds `part` fails (EACCES).
struct RefusingDeletes : files::Watcher {
  explicit RefusingDeletes(std::string part) : part_(std::move(part)) {}
  int RemoveFault(const std::string& path) override { return path.find(part_) != std::string::npos ? EACCES : 0; }
  std::string part_;
};

// A committed copy whose delete fails is named in a box, and never read again: no input is
// claimed anew while it stands (a new committed number would make it look unread). Once it
// can be deleted, the waiting file is taken in.
TEST_F(IntakeRecoveryTest, ACommittedCopyThatCannotBeDeletedIsNeverReadAgain) {
  RefusingDeletes refusing(".taken-");
  UseSubmissions();
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("1", "555"));
  files::SetWatcher(&refusing);
  Start();
  ASSERT_EQ(h.dialogs.Boxes().size(), 1U);
  EXPECT_NE(LastBox().find("could not be deleted"), std::string::npos) << LastBox();
  h.dialogs.ClearBoxes();
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("2", "555"));
  for (int start = 0; start < 2; ++start) {
    Stop();  // empties the queue
    Start();
    EXPECT_EQ(h.CountRows("Queue"), 0) << start;
  }
  files::SetWatcher(nullptr);
  Stop();
  Start();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"2"}));
  for (const std::string& name : h.folder.Names()) EXPECT_EQ(name.find("FEEDBACK"), std::string::npos) << name;
}

// The same within one Start: a copy an interrupted Start left is taken in and cannot be
// deleted; the new file waiting under the input's name is not claimed after it in that Start.
TEST_F(IntakeRecoveryTest, ACopyNotDeletedStopsTheClaimsOfTheSameStart) {
  RefusingDeletes refusing(".taken-12345");
  UseSubmissions();
  h.folder.Write("FEEDBACK.TXT.taken-12345", kHeader + Submission("aside", "555"));
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("new", "555"));
  files::SetWatcher(&refusing);
  Start();
  ASSERT_EQ(h.dialogs.Boxes().size(), 1U);
  EXPECT_NE(LastBox().find("could not be deleted"), std::string::npos) << LastBox();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"aside"}));
  files::SetWatcher(nullptr);
  Stop();  // empties the queue
  Start();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"new"}));
}

// A pager.mdb an earlier version left after a crash: its aside copies carry numbers up to 2^30
// and its header one claim for both inputs. The committed copy is deleted unread, the other is
// taken in once, also when a new file of either input is claimed in the same Start.
TEST_F(IntakeRecoveryTest, CopiesOfTheEarlierHeaderLayoutAreTakenInOnce) {
  UseSubmissions();
  UseOtherFile("pages.txt");
  h.Exec("PRAGMA user_version = " + std::to_string(700000000 << 1));  // claim 700000000 committed
  h.folder.Write("pages.txt.taken-700000000", "\"stored\",\"text\"\r\n");
  h.folder.Write("FEEDBACK.TXT.taken-123456789", kHeader + Submission("aside", "555"));
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("new", "555"));
  h.folder.Write("pages.txt", "\"own\",\"text\"\r\n");
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty()) << LastBox();
  auto units = Column("Queue", "Unit");
  std::sort(units.begin(), units.end());
  EXPECT_EQ(units, (std::vector<std::optional<std::string>>{"aside", "new", "own"}));
  for (const std::string& name : h.folder.Names()) {
    EXPECT_EQ(name.find(".taken-"), std::string::npos) << name;
  }
  Stop();
  Start();
  EXPECT_EQ(h.CountRows("Queue"), 0);
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
