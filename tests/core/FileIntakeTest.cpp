// The intake's input files: the submissions file and the Other File, read from real files in
// the program folder.
#include "core/CoreTest.h"

namespace core_test {
namespace {

class FileIntakeTest : public CoreTest {
 protected:
  // The content of the one file kept from `name` under a name no intake reads; the input itself
  // and its aside copies are gone.
  std::string KeptUnread(const std::string& name) {
    std::string kept;
    for (const std::string& file : h.folder.Names()) {
      EXPECT_NE(file, name);
      EXPECT_EQ(file.find(name + ".taken-"), std::string::npos) << file;
      if (file.rfind(name + ".unread-", 0) == 0) {
        EXPECT_TRUE(kept.empty()) << "kept twice";
        kept = h.folder.Read(file);
      }
    }
    return kept;
  }
};

TEST_F(FileIntakeTest, SubmissionsAreFramedByCountingItems) {
  UseSubmissions();
  // Commas and quotes inside quoted items, CR, LF and CR LF line ends, bytes beyond ASCII, and
  // a trailing incomplete record.
  h.folder.Write("FEEDBACK.TXT", kHeader + "\"1\",\"Hi, there\",\"555\",\"12/07/26\"\r\"14:00\"\n" +
                                     "\"10.0.0.9\",\"Mozilla\"\r\n2,say \"hi\",555,d,t,ip,b\r\n" +
                                     "\"3\",\"caf\xC3\xA9 \xFF\",\"444\",\"d\",\"t\",\"ip\",\"b\"\n\"4\",\"cut\"");
  Start();
  EXPECT_FALSE(h.folder.Exists("FEEDBACK.TXT"));
  const auto queue = h.Rows("Queue");
  ASSERT_EQ(queue.size(), 3U);
  EXPECT_EQ(queue[0].at("Message"), "Hi, there");
  EXPECT_EQ(queue[0].at("Time Sent"), "14:00");
  EXPECT_EQ(queue[0].at("Browser"), "Mozilla");
  EXPECT_EQ(queue[0].at("Sender"), "Intranet");
  EXPECT_EQ(queue[0].at("Status"), "N");
  EXPECT_EQ(queue[0].at("User"), "");
  EXPECT_EQ(queue[1].at("Message"), "say \"hi\"");
  EXPECT_EQ(queue[1].at("IP Address"), "ip");
  EXPECT_EQ(queue[2].at("Message"), "caf\xC3\xA9 \xFF");
  EXPECT_EQ(m().intPending, 3);
}

TEST_F(FileIntakeTest, WithSecurityARecordCarriesTheUser) {
  m().blnSecurity = true;
  UseSubmissions("feedback.txt");  // the name in any letter case
  h.folder.Write("feedback.txt", kHeader + Submission("1", "555", "ann"));
  Start();
  const auto queue = h.Rows("Queue");
  ASSERT_EQ(queue.size(), 1U);
  EXPECT_EQ(queue[0].at("User"), "ann");
  EXPECT_EQ(queue[0].at("Browser"), "Mozilla/4.0");
  EXPECT_FALSE(h.folder.Exists("feedback.txt"));
}

TEST_F(FileIntakeTest, TheFileIsLeftAloneWhenItIsNotToBeRead) {
  for (int variant = 0; variant < 3; ++variant) {
    h.Exec("DELETE FROM Queue");
    UseSubmissions(variant == 2 ? "OTHER.TXT" : "FEEDBACK.TXT");
    if (variant == 0) m().blnASP = true;
    if (variant == 1) form().imgInternet.Visible = false;
    const std::string name = variant == 2 ? "OTHER.TXT" : "FEEDBACK.TXT";
    h.folder.Write(name, kHeader + Submission("1", "555"));
    Start();
    Stop();
    m().blnASP = false;
    EXPECT_TRUE(h.folder.Exists(name)) << variant;
    h.folder.Remove(name);
  }
}

// An empty file is deleted, and so is a file of only the header: nothing to import, no box,
// and Start goes on. A file that ends in an incomplete record has its complete records taken
// in and is kept under a name no intake reads, and a box names it.
TEST_F(FileIntakeTest, FilesWithoutACompleteRecordAreDeletedQuietlyOrKept) {
  UseSubmissions();
  for (const std::string& content : {std::string(), kHeader}) {
    h.folder.Write("FEEDBACK.TXT", content);
    Start();
    EXPECT_TRUE(h.dialogs.Boxes().empty());
    EXPECT_FALSE(h.folder.Exists("FEEDBACK.TXT"));
    EXPECT_EQ(h.CountRows("Queue"), 0);
    EXPECT_TRUE(form().tmrRestart.Enabled);
    Stop();
  }
  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("1", "555") + "\"2\",\"m\",\"555\"\r\n");
  Start();
  ASSERT_EQ(h.dialogs.Boxes().size(), 1U);
  EXPECT_NE(LastBox().find("FEEDBACK.TXT.unread-"), std::string::npos) << LastBox();
  EXPECT_EQ(m().strServerState, "RUNNING");
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"1"}));
  EXPECT_EQ(KeptUnread("FEEDBACK.TXT"), kHeader + Submission("1", "555") + "\"2\",\"m\",\"555\"\r\n");
  // The message log names the kept file too, once.
  const auto log = h.TranLog();
  ASSERT_EQ(log.size(), 1U);
  EXPECT_NE(log[0].at("Message").value_or("").find("FEEDBACK.TXT.unread-"), std::string::npos);
}

// The header is known by its text: a file a writer began anew without one (it appended by name
// to a file the intake had just taken) is read from its first record.
// The header written with a byte order mark before it, or unquoted, is still the header.
TEST_F(FileIntakeTest, AFileWithoutTheHeaderIsReadFromItsFirstRecord) {
  UseSubmissions();
  const std::string header = "Unit,Message,Modem,Date,Time,Remote Address,User,Browser\r\n";
  for (const std::string& start : {std::string(), "\xEF\xBB\xBF" + kHeader, header}) {
    h.folder.Write("FEEDBACK.TXT", start + Submission("1", "555") + Submission("2", "555"));
    Start();
    EXPECT_TRUE(h.dialogs.Boxes().empty()) << LastBox();
    EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"1", "2"}));
    EXPECT_FALSE(h.folder.Exists("FEEDBACK.TXT"));
    Stop();
  }
}

// A file cut inside its header: the operator's Start takes the other sources in, then shows its
// box and stops, and keeps the file under a name no intake reads, named in a second box; the
// next Start is not stopped by it.
TEST_F(FileIntakeTest, AHeaderCutShortStopsOneStartAndIsKept) {
  UseSubmissions();
  UseOtherFile("pages.txt");
  h.folder.Write("FEEDBACK.TXT", "\"Unit\",\"Message\"\r\n");
  h.folder.Write("pages.txt", "\"own\",\"text\"\r\n");
  Start();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"own"}));
  ASSERT_EQ(h.dialogs.Boxes().size(), 2U);
  EXPECT_EQ(h.dialogs.Boxes()[0].prompt.rfind("Error:  62 - ", 0), 0U);
  EXPECT_NE(LastBox().find("FEEDBACK.TXT.unread-"), std::string::npos) << LastBox();
  EXPECT_EQ(Status(), "\"NOT AVAILABLE\"\r\n");
  EXPECT_EQ(KeptUnread("FEEDBACK.TXT"), "\"Unit\",\"Message\"\r\n");
  h.dialogs.ClearBoxes();

  h.folder.Write("FEEDBACK.TXT", kHeader + Submission("1", "555"));
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty()) << LastBox();
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"own", "1"}));
}

// Beyond 32,767 queued rows the rest wait in Temp for the following cycles.
TEST_F(FileIntakeTest, AHugeFileFillsTheQueueAndTheRestWaits) {
  UseSubmissions();
  std::string content = kHeader;
  for (int i = 0; i < 33'000; ++i) content += Submission(std::to_string(i), "555");
  h.folder.Write("FEEDBACK.TXT", content);
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty());
  EXPECT_EQ(m().intPending, 32'767);
  EXPECT_EQ(h.CountRows("Temp"), 33'000 - 32'767);
  EXPECT_FALSE(h.folder.Exists("FEEDBACK.TXT"));
}

TEST_F(FileIntakeTest, TheOtherFileGoesToTheOwnCompany) {
  UseOtherFile("pages.txt");
  h.folder.Write("pages.txt", "\"1\",\"one\"\r\n\"2\", \"two, too\"\r\n\"3\",\"three\"\r\n");
  Start();
  EXPECT_FALSE(h.folder.Exists("pages.txt"));
  const auto queue = h.Rows("Queue");
  ASSERT_EQ(queue.size(), 3U);
  EXPECT_EQ(queue[1].at("Message"), "two, too");
  for (const Row& row : queue) {
    EXPECT_EQ(row.at("Modem"), "5551234");
    EXPECT_EQ(row.at("Sender"), "OWN");
    EXPECT_EQ(row.at("Status"), "N");
    EXPECT_EQ(row.at("User"), "");
  }
}

TEST_F(FileIntakeTest, WithTheLookupOffMyOwnIsStillReadAndTheFileKept) {
  UseOtherFile("pages.txt", 0, "777");
  h.folder.Write("pages.txt", "\"1\",\"one\"\r\n");
  Start();
  EXPECT_EQ(m().strMyModem, "777");
  EXPECT_TRUE(h.folder.Exists("pages.txt"));
  // Without own.cfg there is no Other File, and MyOwn.dat is not read.
  h.folder.Remove("own.cfg");
  h.folder.Write("MyOwn.dat", "\"X\",\"888\",1\r\n");
  Stop();
  Start();
  EXPECT_EQ(m().strMyModem, "777");
}

TEST_F(FileIntakeTest, WithoutMyOwnTheOtherFileIsPassedOverQuietlyAndKept) {
  UseOtherFile("pages.txt");
  h.folder.Remove("MyOwn.dat");
  h.folder.Write("pages.txt", "\"1\",\"one\"\r\n");
  m().intOtherFile = 1;  // as a load of an earlier MyOwn.dat left it
  m().strMyModem = "5551234";
  Start();
  EXPECT_TRUE(h.dialogs.Boxes().empty());
  EXPECT_EQ(m().strServerState, "RUNNING");
  EXPECT_TRUE(h.folder.Exists("pages.txt"));
  EXPECT_EQ(h.CountRows("Queue") + h.CountRows("Temp"), 0);
}

// At the operator's Start an odd Other File shows the error box; its complete pairs are stored
// and the file is kept under a name no intake reads.
TEST_F(FileIntakeTest, AnOddOtherFileStoresItsPairsAndIsKept) {
  UseOtherFile("pages.txt");
  h.folder.Write("pages.txt", "\"1\",\"one\"\r\n\"2\"\r\n");
  Start();
  ASSERT_EQ(h.dialogs.Boxes().size(), 2U);
  EXPECT_EQ(h.dialogs.Boxes()[0].prompt.rfind("Error:  62 - ", 0), 0U);
  EXPECT_EQ(Column("Queue", "Unit"), (std::vector<std::optional<std::string>>{"1"}));
  EXPECT_EQ(KeptUnread("pages.txt"), "\"1\",\"one\"\r\n\"2\"\r\n");
}

}  // namespace
}  // namespace core_test
