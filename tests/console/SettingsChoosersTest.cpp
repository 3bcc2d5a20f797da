#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ConsoleFixture.h"

namespace console_test {
namespace {

class SettingsChoosersTest : public ConsoleTest {
 protected:
  void SetUp() override { Boot(); }

  // Every visibility the picture took, in order.
  void Track(forms::Image& picture) {
    tracked_.clear();
    picture.Visible.Observe([this, &picture] { tracked_.push_back(picture.Visible); });
  }
  std::vector<bool> tracked_;
};

TEST_F(SettingsChoosersTest, IntranetToggleRewritesInterDatAtEachPress) {
  Press(form().Image3);
  EXPECT_TRUE(form().imgInternet.Visible);
  EXPECT_EQ(folder.Read("Inter.dat"), "\"ENABLED\"\r\n");
  loop.Advance(55);
  EXPECT_EQ(form().Label11.Caption.get(), "Intranet mode: Enabled");

  Press(form().Image3);
  EXPECT_FALSE(form().imgInternet.Visible);
  EXPECT_EQ(folder.Read("Inter.dat"), "\"DISABLED\"\r\n");
  loop.Advance(55);
  EXPECT_EQ(form().Label11.Caption.get(), "Intranet mode: Disabled");
  EXPECT_TRUE(dialogs.Boxes().empty());
}

TEST_F(SettingsChoosersTest, ChoosersSaveTheChosenPathAndShareTheDialog) {
  Track(form().imgSubmmit);
  dialogs.QueueFileName("/srv/web/_private/FEEDBACK.TXT");
  const long long pumps = loop.Pumps();
  Press(form().Image4);
  EXPECT_GE(loop.Pumps() - pumps, 2);
  EXPECT_EQ(tracked_, (std::vector<bool>{true, false}));
  ASSERT_EQ(dialogs.openDialogs.size(), 1U);
  EXPECT_EQ(dialogs.openDialogs[0].DialogTitle, "Where the messages are submitted?");
  EXPECT_EQ(dialogs.openDialogs[0].Filter, "FEEDBACK.TXT (Submmit) |FEEDBACK.TXT|");
  EXPECT_EQ(folder.Read("internet.cfg"), "\"/srv/web/_private/FEEDBACK.TXT\"\r\n");

  Track(form().Image2);
  dialogs.QueueFileName("/srv/other/pages.txt");
  Press(form().imgOther);
  EXPECT_EQ(tracked_, (std::vector<bool>{true, false}));
  ASSERT_EQ(dialogs.openDialogs.size(), 2U);
  EXPECT_EQ(dialogs.openDialogs[1].DialogTitle, "In which file messages are stored?");
  EXPECT_EQ(dialogs.openDialogs[1].Filter, "All files (*.*) |*.*|");
  EXPECT_EQ(dialogs.openDialogs[1].FileName, "/srv/web/_private/FEEDBACK.TXT");  // starts at the last choice
  EXPECT_EQ(folder.Read("own.cfg"), "\"/srv/other/pages.txt\"\r\n");
  EXPECT_EQ(folder.Read("internet.cfg"), "\"/srv/web/_private/FEEDBACK.TXT\"\r\n");
}

TEST_F(SettingsChoosersTest, ChooserClosedWithoutANameWritesNothing) {
  folder.Write("own.cfg", "\"/old/path\"\r\n");
  Press(form().Image4);  // no queued name: the operator cancels
  Press(form().imgOther);
  EXPECT_FALSE(folder.Exists("internet.cfg"));
  EXPECT_EQ(folder.Read("own.cfg"), "\"/old/path\"\r\n");
  EXPECT_FALSE(form().imgSubmmit.Visible);
  EXPECT_FALSE(form().Image2.Visible);
  EXPECT_TRUE(dialogs.Boxes().empty());
}

// Such a path would read back cut short, and Start would read and delete whatever it named.
TEST_F(SettingsChoosersTest, APathHoldingAQuoteOrALineEndIsRefusedAndNothingWritten) {
  folder.Write("own.cfg", "\"/old/path\"\r\n");
  dialogs.QueueFileName("/srv/o\"k/pages.txt");
  Press(form().imgOther);
  ASSERT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(dialogs.LastBox().prompt, "The path of the Other File cannot hold a double quote (\") or a line end.");
  EXPECT_EQ(dialogs.LastBox().buttons, forms::vbCritical);
  EXPECT_EQ(dialogs.LastBox().title, "Error");
  EXPECT_EQ(folder.Read("own.cfg"), "\"/old/path\"\r\n");
  EXPECT_FALSE(form().Image2.Visible);

  dialogs.QueueFileName("/srv/web\n/FEEDBACK.TXT");
  Press(form().Image4);
  ASSERT_EQ(dialogs.Boxes().size(), 2U);
  EXPECT_EQ(dialogs.LastBox().prompt,
            "The path of the submissions file cannot hold a double quote (\") or a line end.");
  EXPECT_FALSE(folder.Exists("internet.cfg"));
  EXPECT_FALSE(form().imgSubmmit.Visible);
}

TEST_F(SettingsChoosersTest, AFailedSaveIsReportedAndTheHandlerGoesOn) {
  // A folder where the settings file should be: neither file can be written.
  std::filesystem::create_directory(folder.PathOf("own.cfg"));
  folder.Remove("Inter.dat");
  std::filesystem::create_directory(folder.PathOf("Inter.dat"));

  dialogs.QueueFileName("/srv/other/pages.txt");
  Press(form().imgOther);
  ASSERT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(dialogs.LastBox().prompt.rfind("Error: ", 0), 0U);
  EXPECT_EQ(dialogs.LastBox().buttons, forms::vbCritical);
  EXPECT_EQ(dialogs.LastBox().title, "Error");
  EXPECT_FALSE(form().Image2.Visible);

  Press(form().Image3);
  ASSERT_EQ(dialogs.Boxes().size(), 2U);
  EXPECT_EQ(dialogs.LastBox().title, "Error");
  EXPECT_TRUE(form().imgInternet.Visible);  // the mode holds for this run
  EXPECT_TRUE(std::filesystem::is_directory(folder.PathOf("Inter.dat")));
}

}  // namespace
}  // namespace console_test
