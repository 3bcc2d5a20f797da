// The modem tab's Save: the record it writes, what it applies to the port and the shared state,
// its refusals, and the port it leaves behind; the picture buttons.
#include "SetupFixture.h"

namespace setup_test {
namespace {

using forms::vbCritical;
using forms::vbInformation;

constexpr const char* kDesignRecord = "\"2\",\"28800\",\"ATZ\",\"TONE\",\"2\",\"True\",45,\"\",\"\",#FALSE#,#FALSE#\r\n";

class ModemSaveTest : public SetupTest {
 protected:
  void SetUp() override { Open(); }
  void Save() { setup.SSCommand1_Click(); }
  std::string ModemCfg() const { return folder.Read("modem.cfg"); }
  void OpenPort() {
    port.SetPortOpen(true);
    serial->ClearWritten();
  }
};

TEST_F(ModemSaveTest, DesignValuesGiveTheDocumentedRecordAndOpenThePort) {
  Save();

  EXPECT_EQ(ModemCfg(), kDesignRecord);
  ASSERT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(dialogs.LastBox().prompt, "Modem configuration has been saved");
  EXPECT_EQ(dialogs.LastBox().buttons, vbInformation);
  EXPECT_EQ(dialogs.LastBox().title, "Setup configuration was saved");
  EXPECT_TRUE(port.PortOpen());
  EXPECT_EQ(port.CommPort(), 2);
  EXPECT_EQ(port.Settings(), "28800,e,7,1");
  EXPECT_EQ(port.Handshaking(), 2);
  EXPECT_EQ(serial->CurrentSettings(), (comm::LineSettings{28800, 'e', 7, 1}));
  EXPECT_EQ(serial->Written(), "");  // no init string, no hang-up
  EXPECT_EQ(m.varDialCmd, "ATDT");
  EXPECT_EQ(m.varInitString, "ATZ");
  EXPECT_EQ(m.intTimeOut, vb::Int16(45));
  EXPECT_EQ(form().MousePointer.get(), forms::kDefaultPointer);

  form().txtTimeOut.Text = "";
  Save();
  EXPECT_EQ(m.intTimeOut, vb::Int16(30));
  EXPECT_EQ(ModemCfg(), "\"2\",\"28800\",\"ATZ\",\"TONE\",\"2\",\"True\",30,\"\",\"\",#FALSE#,#FALSE#\r\n");
  Reopen();
  EXPECT_EQ(form().txtTimeOut.Text.get(), "30");
}

TEST_F(ModemSaveTest, EveryPortHandshakingAndDialModeName) {
  const std::vector<std::string> ports{"Com 1", "Com 2", "Com 3", "Com 4"};
  const std::vector<std::string> handshakes{"No handshaking", "XOn/XOff", "RTS/CTS", "RTS/XOn/XOff"};
  for (int i = 0; i < 4; ++i) {
    form().Combo1.Text = ports[i];
    form().Combo4.Text = handshakes[i];
    form().Combo3.Text = i % 2 == 0 ? "PULSE" : "TONE";
    Save();
    EXPECT_EQ(port.CommPort(), i + 1);
    EXPECT_EQ(serial->OpenPort(), i + 1);
    EXPECT_EQ(port.Handshaking(), i);
    EXPECT_EQ(serial->CurrentHandshaking(), i);
    EXPECT_EQ(m.varDialCmd, i % 2 == 0 ? "ATDP" : "ATDT");
    EXPECT_EQ(ModemCfg(), "\"" + std::to_string(i + 1) + "\",\"28800\",\"ATZ\",\"" + form().Combo3.Text.get() + "\",\"" +
                              std::to_string(i) + "\",\"True\",45,\"\",\"\",#FALSE#,#FALSE#\r\n");
  }
}

TEST_F(ModemSaveTest, NamesOutsideTheListsLeaveThePortNumberAndDialCommandAndWriteEmptyItems) {
  form().Combo1.Text = "Com 3";
  Save();
  form().Combo1.Text = "com 1";
  form().Combo4.Text = "RTS / CTS";
  form().Combo3.Text = " tone ";
  Save();

  EXPECT_EQ(port.CommPort(), 3);
  EXPECT_EQ(port.Handshaking(), 0);
  EXPECT_EQ(m.varDialCmd, "ATDT");
  EXPECT_EQ(ModemCfg(), ",\"28800\",\"ATZ\",\"tone\",,\"True\",45,\"\",\"\",#FALSE#,#FALSE#\r\n");
  // The next opening meets the empty items and keeps the design names.
  Reopen();
  EXPECT_EQ(form().Combo1.Text.get(), "Com 2");
  EXPECT_EQ(form().Combo4.Text.get(), "RTS/CTS");
  EXPECT_EQ(form().Combo3.Text.get(), "tone");
}

TEST_F(ModemSaveTest, TrimsRateInitAndDialModeButKeepsPrefixAndSuffixAsTyped) {
  form().Combo2.Text = " 9600 ";
  form().txtInit.Text = "  AT&F ";
  form().Combo3.Text = " PULSE";
  form().txtPrefix.Text = " 9,";
  form().txtSuffix.Text = "W ";
  form().txtTimeOut.Text = " 60 ";
  form().chkSecurity.Value = 1;
  form().chkASP.Value = 1;
  Save();

  EXPECT_EQ(ModemCfg(), "\"2\",\"9600\",\"AT&F\",\"PULSE\",\"2\",\"True\",60,\" 9,\",\"W \",#TRUE#,#TRUE#\r\n");
  EXPECT_EQ(port.Settings(), "9600,e,7,1");
  EXPECT_EQ(m.varInitString, "AT&F");
  EXPECT_EQ(m.varDialCmd, "ATDP");
  EXPECT_EQ(m.varPrefix, " 9,");
  EXPECT_EQ(m.strSuffix, "W ");
  EXPECT_EQ(m.intTimeOut, vb::Int16(60));
  EXPECT_TRUE(m.blnSecurity);
  EXPECT_TRUE(m.blnASP);
}

TEST_F(ModemSaveTest, EachFlagComesFromItsOwnBox) {
  form().chkSecurity.Value = 1;
  Save();
  EXPECT_EQ(ModemCfg(), "\"2\",\"28800\",\"ATZ\",\"TONE\",\"2\",\"True\",45,\"\",\"\",#TRUE#,#FALSE#\r\n");
  EXPECT_TRUE(m.blnSecurity);
  EXPECT_FALSE(m.blnASP);
}

// The program ends a call in progress before the port closes (the console's part); the Save
// itself touches nothing of the engine's.
TEST_F(ModemSaveTest, DuringACallTheProgramIsToldBeforeThePortClosesAndThePortIsReopened) {
  OpenPort();
  m.strServerState = "RUNNING";
  m.strModem = "5550100";
  m.intSendTick = 7;
  m.intPending = 3;
  serial->PushInput("ID=");
  std::vector<bool> portOpenWhenTold;
  setup.beforeClosingPort = [&] { portOpenWhenTold.push_back(port.PortOpen()); };
  Save();

  EXPECT_EQ(portOpenWhenTold, std::vector<bool>{true});
  EXPECT_TRUE(port.PortOpen());
  EXPECT_EQ(serial->CloseCount(), 1);
  EXPECT_EQ(serial->OpenCount(), 2);
  EXPECT_EQ(serial->Written(), "");
  EXPECT_EQ(m.strServerState, "RUNNING");
  EXPECT_EQ(m.strModem, "5550100");
  EXPECT_EQ(m.intSendTick, vb::Int16(7));
  EXPECT_EQ(m.intPending, vb::Int16(3));
}

TEST_F(ModemSaveTest, RefusedEntriesLeaveThePortSharedStateAndFileAsFound) {
  folder.Write("modem.cfg", kDesignRecord);
  OpenPort();
  m.varDialCmd = "ATDT";
  m.intTimeOut = 45;
  int told = 0;
  setup.beforeClosingPort = [&told] { ++told; };
  struct Case {
    const char* timeOut;
    const char* rate;
    const char* prefix;
    const char* prompt;
  };
  for (const Case& c : {Case{"abc", "28800", "", "Type mismatch"}, Case{"40000", "28800", "", "Overflow"},
                        Case{"0", "28800", "", "The Time Out must be at least 1 second."},
                        Case{"-5", "28800", "", "The Time Out must be at least 1 second."},
                        Case{"45", "4801", "", "Invalid property value"},
                        Case{"45", "28800", "9\"", "The Dial Prefix cannot hold a double quote (\")."}}) {
    dialogs.ClearBoxes();
    form().txtTimeOut.Text = c.timeOut;
    form().Combo2.Text = c.rate;
    form().txtPrefix.Text = c.prefix;
    form().Combo3.Text = "PULSE";
    form().txtInit.Text = "AT&F";
    Save();
    ASSERT_EQ(dialogs.Boxes().size(), 1U) << c.timeOut;
    EXPECT_EQ(dialogs.LastBox().prompt, c.prompt);
    EXPECT_EQ(dialogs.LastBox().buttons, vbCritical);
    EXPECT_EQ(dialogs.LastBox().title, "Error");
    EXPECT_EQ(form().MousePointer.get(), forms::kDefaultPointer);
  }
  EXPECT_TRUE(port.PortOpen());
  EXPECT_EQ(serial->CloseCount(), 0);
  EXPECT_EQ(told, 0);
  EXPECT_EQ(port.Settings(), "9600,n,8,1");
  EXPECT_EQ(m.varDialCmd, "ATDT");
  EXPECT_EQ(m.varInitString, "");
  EXPECT_EQ(m.intTimeOut, vb::Int16(45));
  EXPECT_EQ(ModemCfg(), kDesignRecord);
}

TEST_F(ModemSaveTest, AFailureAfterThePortWasClosedReopensIt) {
  OpenPort();
  serial->SetPortExists(3, false);
  form().Combo1.Text = "Com 3";
  Save();

  EXPECT_EQ(dialogs.LastBox().title, "Error");
  EXPECT_EQ(dialogs.LastBox().buttons, vbCritical);
  EXPECT_TRUE(port.PortOpen());
  EXPECT_EQ(serial->OpenPort(), 1);
  EXPECT_EQ(serial->CloseCount(), 1);
  EXPECT_FALSE(folder.Exists("modem.cfg"));

  // modem.cfg cannot be written: the settings were applied, and the line comes back with them.
  std::filesystem::create_directory(folder.PathOf("modem.cfg"));
  form().Combo1.Text = "Com 2";
  Save();
  EXPECT_EQ(dialogs.LastBox().title, "Error");
  EXPECT_TRUE(port.PortOpen());
  EXPECT_EQ(serial->OpenPort(), 2);
  EXPECT_EQ(serial->Written(), "");
}

TEST_F(ModemSaveTest, AFailedFinalOpeningLeavesThePortClosedAndSaysSo) {
  OpenPort();
  serial->FailNextOpen(vb::err::kPortAlreadyOpen);
  Save();

  EXPECT_FALSE(port.PortOpen());
  EXPECT_EQ(ModemCfg(), kDesignRecord);
  ASSERT_EQ(dialogs.Boxes().size(), 1U);
  EXPECT_EQ(dialogs.LastBox().prompt, vb::DescriptionOf(vb::err::kPortAlreadyOpen));
  EXPECT_EQ(dialogs.LastBox().title, "Error");
}

TEST_F(ModemSaveTest, TheSavePictureShowsForTheWholeSaveOnTheLeftButtonOnly) {
  bool shownDuringBox = false;
  dialogs.QueueWhileOpen([&] { shownDuringBox = form().imgSave.Visible; });
  const long long pumps = loop.Pumps();
  form().Image2.MouseDown(forms::kRightButton, 0, 0, 0);
  EXPECT_FALSE(folder.Exists("modem.cfg"));
  EXPECT_EQ(loop.Pumps(), pumps);

  form().Image2.MouseDown(forms::kLeftButton, 0, 0, 0);
  EXPECT_TRUE(shownDuringBox);
  EXPECT_FALSE(form().imgSave.Visible);
  EXPECT_EQ(loop.Pumps(), pumps + 1);
  EXPECT_EQ(ModemCfg(), kDesignRecord);
}

TEST_F(ModemSaveTest, TheBackPictureAndTheCloseButtonsUnloadTheWindow) {
  form().Image3.MouseDown(forms::kRightButton, 0, 0, 0);
  EXPECT_FALSE(form().imgBack.Visible);
  form().Image3.MouseDown(forms::kLeftButton, 0, 0, 0);
  EXPECT_TRUE(form().imgBack.Visible);
  form().Image3.MouseUp(forms::kRightButton, 0, 0, 0);
  EXPECT_TRUE(form().Loaded());
  form().Image3.MouseUp(forms::kLeftButton, 0, 0, 0);
  EXPECT_FALSE(form().imgBack.Visible);
  EXPECT_FALSE(form().Loaded());

  for (forms::CommandButton* close : {&form().Command2, &form().Command4}) {
    Open();
    close->Click();
    EXPECT_FALSE(form().Loaded()) << close->Name();
  }
}

}  // namespace
}  // namespace setup_test
