// The "Own Paging System" tab's Store Info: its refusals, the file and the shared state.
#include "SetupFixture.h"

namespace setup_test {
namespace {

using forms::vbCritical;
using forms::vbInformation;

constexpr const char* kStored = "\"Old Company\",\"555-0000\",0\r\n";

class OwnSystemInfoTest : public SetupTest {
 protected:
  void SetUp() override {
    folder.Write("MyOwn.dat", kStored);
    Open();
    form().Text1.Text = "";
    form().Text2.Text = "";
  }
  void Store() { setup.Command3_Click(); }
  // The store changed neither the file nor the shared state read at the opening.
  void ExpectNothingStored() {
    EXPECT_EQ(folder.Read("MyOwn.dat"), kStored);
    EXPECT_EQ(m.strMyCompany, "Old Company");
    EXPECT_EQ(m.strMyModem, "555-0000");
  }
};

TEST_F(OwnSystemInfoTest, AsksForTheNameFirstThenTheNumber) {
  Store();
  ASSERT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(dialogs.LastBox().prompt, "Please enter your company name");
  EXPECT_EQ(dialogs.LastBox().buttons, vbCritical);
  EXPECT_EQ(dialogs.LastBox().title, "Information required");
  EXPECT_EQ(form().Text1.focusRequests, 1);
  EXPECT_EQ(form().Text2.focusRequests, 0);

  form().Text1.Text = "Acme";
  Store();
  EXPECT_EQ(dialogs.LastBox().prompt, "Please enter your paging company's modem phone number");
  EXPECT_EQ(dialogs.LastBox().title, "Information required");
  EXPECT_EQ(form().Text2.focusRequests, 1);
  ExpectNothingStored();
}

TEST_F(OwnSystemInfoTest, StoresTheTextsAsTypedAndTheSwitch) {
  form().Text1.Text = "  ";
  form().Text2.Text = " 555-0100";
  form().Check1.Value = 1;
  Store();

  EXPECT_EQ(folder.Read("MyOwn.dat"), "\"  \",\" 555-0100\",1\r\n");
  EXPECT_EQ(m.strMyCompany, "  ");
  EXPECT_EQ(m.strMyModem, " 555-0100");
  EXPECT_EQ(m.intOtherFile, vb::Int16(1));
  ASSERT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(dialogs.LastBox().prompt, "Information sucessfully stored");
  EXPECT_EQ(dialogs.LastBox().buttons, vbInformation);
  EXPECT_EQ(dialogs.LastBox().title, "Corvello '98");

  // What was stored is what the next opening shows.
  Reopen();
  EXPECT_EQ(form().Text2.Text.get(), " 555-0100");
  EXPECT_EQ(form().Check1.Value.get(), 1);
}

// Check1 has three states, 0, 1 and 2 (partly checked); any other stored value shows as
// checked, since the intake reads the Other File for it. Store Info keeps what the box shows.
TEST_F(OwnSystemInfoTest, TheLookupBoxShowsItsThreeStatesAndStoresWhatItShows) {
  for (const auto& [stored, shown] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{2, 2}, std::pair{3, 1}, std::pair{-1, 1}}) {
    folder.Write("MyOwn.dat", "\"Acme\",\"555-0100\"," + std::to_string(stored) + "\r\n");
    Reopen();
    EXPECT_EQ(form().Check1.Value.get(), shown) << stored;
    Store();
    EXPECT_EQ(folder.Read("MyOwn.dat"), "\"Acme\",\"555-0100\"," + std::to_string(shown) + "\r\n");
    EXPECT_EQ(m.intOtherFile, vb::Int16(shown));
  }
}

TEST_F(OwnSystemInfoTest, RefusesADoubleQuoteThatCouldNotBeReadBack) {
  form().Text1.Text = "Acme \"Fast\" Paging";
  form().Text2.Text = "555-0100";
  Store();
  EXPECT_EQ(dialogs.LastBox().prompt, "The company name cannot hold a double quote (\").");
  EXPECT_EQ(dialogs.LastBox().buttons, vbCritical);
  EXPECT_EQ(form().Text1.focusRequests, 1);

  form().Text1.Text = "Acme";
  form().Text2.Text = "555\"0100";
  Store();
  EXPECT_EQ(dialogs.LastBox().prompt, "The modem number cannot hold a double quote (\").");
  EXPECT_EQ(form().Text2.focusRequests, 1);
  ExpectNothingStored();
}

TEST_F(OwnSystemInfoTest, AFileThatCannotBeWrittenIsReportedAndTheSharedStateKept) {
  folder.Remove("MyOwn.dat");
  std::filesystem::create_directory(folder.PathOf("MyOwn.dat"));
  form().Text1.Text = "Acme";
  form().Text2.Text = "555-0100";
  form().Check1.Value = 1;
  Store();

  ASSERT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(dialogs.LastBox().prompt.rfind("The information could not be stored.\n", 0), 0U);
  EXPECT_EQ(dialogs.LastBox().buttons, vbCritical);
  EXPECT_EQ(m.strMyCompany, "Old Company");
  EXPECT_EQ(m.intOtherFile, vb::Int16(0));
}

}  // namespace
}  // namespace setup_test
