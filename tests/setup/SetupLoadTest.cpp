// The window's load: design values, modem.cfg, MyOwn.dat and own.cfg, damaged files, and a
// fresh start at every opening.
#include "SetupFixture.h"

namespace setup_test {
namespace {

using forms::vbCritical;

class SetupLoadTest : public SetupTest {
 protected:
  void WriteModemCfg(const std::string& record) { folder.Write("modem.cfg", record + "\r\n"); }
};

TEST_F(SetupLoadTest, WithoutSettingsFilesShowsTheDesignAndTheSharedState) {
  m.blnSecurity = true;
  m.varPrefix = "9,";
  m.strSuffix = " W";
  m.intTimeOut = 12;  // only modem.cfg puts the time-out into its box
  Open();

  EXPECT_TRUE(dialogs.Boxes().empty());
  EXPECT_EQ(form().Caption.get(), "Corvello '98 Setup");
  EXPECT_EQ(form().SSTab1.Tab.get(), pager::frmSetup::kModemTab);
  EXPECT_EQ(form().SSTab1.TabCaption(1), "Administration");
  EXPECT_EQ(form().Combo1.Text.get(), "Com 2");
  EXPECT_EQ(form().Combo2.Text.get(), "28800");
  EXPECT_EQ(form().txtInit.Text.get(), "ATZ");
  EXPECT_EQ(form().Combo3.Text.get(), "TONE");
  EXPECT_EQ(form().Combo4.Text.get(), "RTS/CTS");
  EXPECT_EQ(form().txtTimeOut.Text.get(), "45");
  EXPECT_EQ(form().chkSecurity.Value.get(), 1);
  EXPECT_EQ(form().chkASP.Value.get(), 0);
  EXPECT_EQ(form().txtPrefix.Text.get(), "9,");
  EXPECT_EQ(form().txtSuffix.Text.get(), " W");
  EXPECT_EQ(form().Text1.Text.get(), "");
  EXPECT_EQ(form().Text2.Text.get(), "");
  EXPECT_EQ(form().Check1.Value.get(), 0);
  EXPECT_EQ(form().lblFilename.Caption.get(), "Other file location: Has not been specified yet");
  EXPECT_EQ(form().Data1.DatabaseName.get(), DatabasePath());
  EXPECT_EQ(form().MousePointer.get(), forms::kDefaultPointer);
  EXPECT_EQ(form().Top.get(), 768 * 15 / 2 - form().Height / 2);
  EXPECT_EQ(form().Left.get(), 1024 * 15 / 2 - form().Width / 2);

  EXPECT_EQ(form().Combo1.List(), (std::vector<std::string>{"Com 1", "Com 2", "Com 3", "Com 4"}));
  EXPECT_EQ(form().Combo2.ListCount(), 13);
  EXPECT_EQ(form().Combo2.List().front(), "110");
  EXPECT_EQ(form().Combo2.List().back(), "256000");
  EXPECT_EQ(form().Combo3.List(), (std::vector<std::string>{"TONE", "PULSE"}));
  EXPECT_EQ(form().Combo4.List(),
            (std::vector<std::string>{"No handshaking", "XOn/XOff", "RTS/CTS", "RTS/XOn/XOff"}));
  EXPECT_EQ(m.intTimeOut, vb::Int16(12));
}

TEST_F(SetupLoadTest, ShowsTheSettingsFilesAndTakesTheirItemsIntoTheSharedState) {
  m.varDialCmd = "ATDT";
  m.varInitString = "ATZ";
  WriteModemCfg("\"1\",\"9600\",\"AT&F\",\"PULSE\",\"0\",\"True\",60,\"9,\",\" W\",#TRUE#,#TRUE#");
  folder.Write("MyOwn.dat", "\"Acme Paging\",\"555-0100\",1\r\n");
  folder.Write("OWN.CFG", "\"/data/out/pages.txt\"\r\n");  // found in any letter case, as Start finds it
  Open();

  EXPECT_TRUE(dialogs.Boxes().empty());
  EXPECT_EQ(form().Combo1.Text.get(), "Com 1");
  EXPECT_EQ(form().Combo2.Text.get(), "9600");
  EXPECT_EQ(form().txtInit.Text.get(), "AT&F");
  EXPECT_EQ(form().Combo3.Text.get(), "PULSE");
  EXPECT_EQ(form().Combo4.Text.get(), "No handshaking");
  EXPECT_EQ(form().txtTimeOut.Text.get(), "60");
  EXPECT_EQ(form().txtPrefix.Text.get(), "9,");
  EXPECT_EQ(form().txtSuffix.Text.get(), " W");
  EXPECT_EQ(form().chkSecurity.Value.get(), 1);
  EXPECT_EQ(form().chkASP.Value.get(), 1);
  EXPECT_EQ(m.intTimeOut, vb::Int16(60));
  EXPECT_EQ(m.varPrefix, "9,");
  EXPECT_EQ(m.strSuffix, " W");
  EXPECT_TRUE(m.blnSecurity);
  EXPECT_TRUE(m.blnASP);
  // The init string and the dial mode are only shown; the Save sets them.
  EXPECT_EQ(m.varDialCmd, "ATDT");
  EXPECT_EQ(m.varInitString, "ATZ");
  EXPECT_EQ(serial->OpenCount(), 0);

  EXPECT_EQ(form().Text1.Text.get(), "Acme Paging");
  EXPECT_EQ(form().Text2.Text.get(), "555-0100");
  EXPECT_EQ(form().Check1.Value.get(), 1);
  EXPECT_EQ(form().lblFilename.Caption.get(), "Other file location: /data/out/pages.txt");
  EXPECT_EQ(m.strMyCompany, "Acme Paging");
  EXPECT_EQ(m.strMyModem, "555-0100");
  EXPECT_EQ(m.intOtherFile, vb::Int16(1));
}

TEST_F(SetupLoadTest, PortAndHandshakingItemsSelectTheirNamesOthersLeaveTheDesign) {
  const std::vector<std::string> ports{"Com 1", "Com 2", "Com 3", "Com 4"};
  const std::vector<std::string> handshakes{"No handshaking", "XOn/XOff", "RTS/CTS", "RTS/XOn/XOff"};
  for (int i = 0; i < 4; ++i) {
    WriteModemCfg("\"" + std::to_string(i + 1) + "\",\"28800\",\"ATZ\",\"TONE\",\"" + std::to_string(i) +
                  "\",\"True\",45,\"\",\"\",#FALSE#,#FALSE#");
    Reopen();
    EXPECT_EQ(form().Combo1.Text.get(), ports[i]);
    EXPECT_EQ(form().Combo4.Text.get(), handshakes[i]);
  }
  for (const std::string odd : {"5", "0", "", "01", "1 "}) {
    WriteModemCfg("\"" + odd + "\",\"28800\",\"ATZ\",\"tone\",\"" + (odd.empty() ? "4" : odd + "3") +
                  "\",\"True\",45,\"\",\"\",#FALSE#,#FALSE#");
    Reopen();
    EXPECT_EQ(form().Combo1.Text.get(), "Com 2") << odd;
    EXPECT_EQ(form().Combo4.Text.get(), "RTS/CTS") << odd;
    EXPECT_EQ(form().Combo3.Text.get(), "tone");
  }
  EXPECT_TRUE(dialogs.Boxes().empty());
}

TEST_F(SetupLoadTest, AShortModemCfgShowsTheItemsReadAndTheDesignForTheRest) {
  m.strSuffix = "kept";
  folder.Write("MyOwn.dat", "\"Acme Paging\",\"555-0100\",0\r\n");
  WriteModemCfg("\"3\",\"2400\",\"ATQ0\",\"PULSE\",\"1\"");
  Open();

  EXPECT_EQ(form().Combo1.Text.get(), "Com 3");
  EXPECT_EQ(form().Combo2.Text.get(), "2400");
  EXPECT_EQ(form().txtInit.Text.get(), "ATQ0");
  EXPECT_EQ(form().Combo3.Text.get(), "PULSE");
  EXPECT_EQ(form().Combo4.Text.get(), "XOn/XOff");
  EXPECT_EQ(form().txtTimeOut.Text.get(), "45");
  EXPECT_EQ(m.strSuffix, "kept");
  // The rest of the load went on.
  EXPECT_EQ(form().Combo1.ListCount(), 4);
  EXPECT_EQ(form().txtSuffix.Text.get(), "kept");
  EXPECT_EQ(form().Text1.Text.get(), "Acme Paging");
  EXPECT_EQ(form().MousePointer.get(), forms::kDefaultPointer);

  ASSERT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(dialogs.LastBox().prompt,
            "The settings file modem.cfg could not be read whole (Input past end of file).\n"
            "Please check the modem settings and save them again.");
  EXPECT_EQ(dialogs.LastBox().buttons, vbCritical);
  EXPECT_EQ(dialogs.LastBox().title, "Warning");
  EXPECT_TRUE(folder.Exists("modem.cfg"));  // the operator decides; the window deletes nothing

  // Cut after the prefix: the time-out and the prefix have reached the shared state and show.
  WriteModemCfg("\"3\",\"9600\",\"AT&F\",\"PULSE\",\"1\",\"True\",20,\"8\"");
  Reopen();
  EXPECT_EQ(form().Combo2.Text.get(), "9600");
  EXPECT_EQ(form().txtTimeOut.Text.get(), "20");
  EXPECT_EQ(m.varPrefix, "8");
  EXPECT_EQ(form().txtPrefix.Text.get(), "8");
  EXPECT_EQ(form().txtSuffix.Text.get(), "kept");
}

TEST_F(SetupLoadTest, ADamagedOwnSystemFileShowsWhatWasReadAndEachDamagedFileIsNamed) {
  folder.Write("MyOwn.dat", "\"Paging Co\",\"555");
  folder.Write("own.cfg", "");
  Open();

  EXPECT_EQ(m.strMyCompany, "Paging Co");
  EXPECT_EQ(m.strMyModem, "555");
  EXPECT_EQ(form().Text1.Text.get(), "Paging Co");
  EXPECT_EQ(form().Text2.Text.get(), "555");
  EXPECT_EQ(form().Check1.Value.get(), 0);
  EXPECT_EQ(form().lblFilename.Caption.get(), "Other file location: Has not been specified yet");
  auto prompts = Prompts();
  ASSERT_EQ(prompts.size(), 2U);
  EXPECT_NE(prompts[0].find("MyOwn.dat could not be read whole (Input past end of file)"), std::string::npos);
  EXPECT_NE(prompts[1].find("own.cfg could not be read whole (Input past end of file)"), std::string::npos);

  dialogs.ClearBoxes();
  folder.Write("MyOwn.dat", "\"Acme Paging\",\"555-0100\",yes\r\n");
  Reopen();
  EXPECT_EQ(form().Text2.Text.get(), "555-0100");
  EXPECT_EQ(form().Check1.Value.get(), 0);
  prompts = Prompts();
  ASSERT_EQ(prompts.size(), 2U);
  EXPECT_NE(prompts[0].find("MyOwn.dat could not be read whole (Type mismatch)"), std::string::npos);
}

TEST_F(SetupLoadTest, EveryOpeningStartsFromTheDesignAndFillsEachListOnce) {
  Open();
  form().txtInit.Text = "AT&F0";
  form().Combo1.Text = "Com 4";
  form().Text1.Text = "typed, not stored";
  form().SSTab1.Tab = pager::frmSetup::kOwnSystemTab;
  Reopen();

  EXPECT_EQ(form().txtInit.Text.get(), "ATZ");
  EXPECT_EQ(form().Combo1.Text.get(), "Com 2");
  EXPECT_EQ(form().Text1.Text.get(), "");
  EXPECT_EQ(form().SSTab1.Tab.get(), pager::frmSetup::kModemTab);
  EXPECT_EQ(form().Combo1.ListCount(), 4);
  EXPECT_EQ(form().Combo2.ListCount(), 13);
  EXPECT_EQ(form().Combo3.ListCount(), 2);
  EXPECT_EQ(form().Combo4.ListCount(), 4);
}

TEST_F(SetupLoadTest, ShowsTheLogAsReadAtOpeningOrSaysWhyItCannot) {
  AddLogRow({"Intranet", "1234", "sent", "5550100", "12/07/26", "14:00", "10.0.0.9", std::nullopt, "Mozilla/4.0"});
  Open();
  ASSERT_EQ(form().DBGrid1.Data.get().RowCount(), 1U);
  AddLogRow({"OWN", "77", "later", "5550100", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt});
  EXPECT_EQ(form().DBGrid1.Data.get().RowCount(), 1U);  // nothing but the Clear reads it again
  Reopen();
  EXPECT_EQ(form().DBGrid1.Data.get().RowCount(), 2U);

  std::filesystem::remove(DatabasePath());
  Reopen();
  EXPECT_EQ(form().DBGrid1.Data.get().RowCount(), 0U);
  ASSERT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(dialogs.LastBox().prompt.rfind("The message log could not be read.\n", 0), 0U);
  EXPECT_EQ(dialogs.LastBox().title, "Error");
  EXPECT_TRUE(form().Loaded());
}

}  // namespace
}  // namespace setup_test
