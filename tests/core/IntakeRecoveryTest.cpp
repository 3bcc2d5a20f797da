// Errors half-way through the intake: no message is lost or stored twice, and a file whose rows
// were not stored stays for the next Start.
#include <sys/stat.h>

#include "core/CoreTest.h"
#include "core/FileClaim.h"
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

TEST_F(IntakeRecoveryTest, AFileThatCannotBeTakenAwayStoresNothing) {
  UseSubmissions();
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("1", "555") + Submission("2", "555"));
  ::mkdir(h.folder.PathOf("FEEDBACK.TXT.taken").c_str(), 0755);  // the aside name is taken
  h.folder.Write("FEEDBACK.TXT.taken/keep", "x");
  Start();
  ExpectStoppedWithError(75);
  EXPECT_EQ(h.CountRows("Queue"), 0);
  EXPECT_TRUE(h.folder.Exists("FEEDBACK.TXT"));

  h.folder.Remove("FEEDBACK.TXT.taken/keep");
  h.folder.Remove("FEEDBACK.TXT.taken");
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty());
  EXPECT_EQ(m().intPending, 2);
  EXPECT_FALSE(h.folder.Exists("FEEDBACK.TXT"));
}

TEST_F(IntakeRecoveryTest, AnErrorWhileStoringAFileRollsItsRowsBack) {
  UseSubmissions();
  // The second record has no number, so it goes to Temp, whose Browser column is missing.
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("1", "555") + Submission("2", ""));
  h.Exec("ALTER TABLE Temp RENAME COLUMN Browser TO Browser2");
  Start();
  ExpectStoppedWithError(3265);
  EXPECT_EQ(h.CountRows("Queue") + h.CountRows("Temp"), 0);
  EXPECT_TRUE(h.folder.Exists("FEEDBACK.TXT"));

  h.Exec("ALTER TABLE Temp RENAME COLUMN Browser2 TO Browser");
  Start();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"1"}));
  EXPECT_EQ(Column("Temp", "Unit"), (std::vector<std::optional<std::string>>{"2"}));
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

TEST(FileClaimTest, TheFileComesBackUnlessReleased) {
  testing_support::TempFolder folder;
  folder.Write("in.txt", "abc");
  { pager::FileClaim claim(folder.PathOf("in.txt")); EXPECT_FALSE(folder.Exists("in.txt")); }
  EXPECT_EQ(folder.Read("in.txt"), "abc");
  EXPECT_FALSE(folder.Exists("in.txt.taken"));

  {
    pager::FileClaim claim(folder.PathOf("in.txt"));
    folder.Write("in.txt", "new");  // written meanwhile: not overwritten
  }
  EXPECT_EQ(folder.Read("in.txt"), "new");
  EXPECT_EQ(folder.Read("in.txt.taken"), "abc");

  pager::FileClaim claim(folder.PathOf("in.txt"));
  claim.Release();
  EXPECT_FALSE(folder.Exists("in.txt"));
  try {
    pager::FileClaim missing(folder.PathOf("in.txt"));
    FAIL();
  } catch (const vb::RuntimeError& e) {
    EXPECT_EQ(e.Number(), vb::err::kFileNotFound);
  }
}

}  // namespace
}  // namespace core_test
