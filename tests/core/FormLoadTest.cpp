// The main window's load: settings applied to the port, its boxes, and what each failing step
// leaves behind.
#include "core/CoreTest.h"
#include "support/PseudoTerminal.h"

namespace core_test {
namespace {

using forms::vbCritical;

class FormLoadTest : public CoreTest {
 protected:
  void Load() { form().Load(); }
  void WriteModemCfg(const std::string& record) { h.folder.Write("modem.cfg", record + "\r\n"); }
};

TEST_F(FormLoadTest, AppliesTheSettingsFilesAndCentresTheWindow) {
  WriteModemCfg("\"2\",\" 9600 \",\"AT&F\",\"PULSE\",\"2\",\"True\",45,\"9,\",\"W\",#TRUE#,#FALSE#");
  h.folder.Write("Inter.dat", "\"ENABLED\"\r\n");
  Load();

  EXPECT_TRUE(h.dialogs.Boxes().empty());
  EXPECT_EQ(m().strServerState, "STOP");
  EXPECT_EQ(form().Label7.Caption.get(), "Not started yet. Software is stopped");
  EXPECT_EQ(form().Label9.Caption.get(), " 45");
  EXPECT_EQ(m().varDialCmd, "ATDP");
  EXPECT_EQ(m().varPrefix, "9,");
  EXPECT_EQ(m().strSuffix, "W");
  EXPECT_TRUE(m().blnSecurity);
  EXPECT_FALSE(m().blnASP);
  EXPECT_EQ(h.fakeSerial->LastOpenedPort(), 2);
  EXPECT_EQ(h.fakeSerial->CurrentSettings(), (comm::LineSettings{9600, 'e', 7, 1}));
  EXPECT_EQ(h.fakeSerial->CurrentHandshaking(), 2);
  EXPECT_EQ(h.fakeSerial->Written(), "AT&F\r");
  EXPECT_TRUE(form().imgInternet.Visible);
  EXPECT_EQ(form().Label11.Caption.get(), "Intranet mode: Enabled");
  EXPECT_EQ(m().strMyCompany, "My Company");
  EXPECT_EQ(m().strMyModem, "5551234");
  // Centred on a 1024 x 768 screen (15 twips to the pixel).
  EXPECT_EQ(form().Top.get(), 768 * 15 / 2 - form().Height / 2);
  EXPECT_NEAR(form().Left.get(), 1024 * 15 / 2.0 - form().Width / 2.0, 0.5);
}

TEST_F(FormLoadTest, SendsTheInitStringOverARealLine) {
  testing_support::ServerHarness::Options options;
  options.pseudoTerminal = true;
  testing_support::ServerHarness line(options);
  line.WriteDefaultSettings();
  testing_support::PseudoTerminal pty;
  pty.LinkInto(line.folder.Path(), 1);
  pty.HoldSlave();
  line.form->Load();
  EXPECT_TRUE(line.dialogs.Boxes().empty());
  EXPECT_TRUE(line.form->MSComm1.PortOpen());
  EXPECT_EQ(pty.ReadUntil("\r"), "ATZ\r");
}

TEST_F(FormLoadTest, WithoutModemCfgThePortStaysClosedAndNothingIsSaid) {
  h.folder.Remove("modem.cfg");
  Load();
  EXPECT_TRUE(h.dialogs.Boxes().empty());
  EXPECT_EQ(h.fakeSerial->OpenCount(), 0);
  EXPECT_EQ(form().Label9.Caption.get(), "");
  EXPECT_EQ(m().varDialCmd, "");
  EXPECT_EQ(m().strMyModem, "5551234");
}

TEST_F(FormLoadTest, AShortModemCfgIsDeletedWithAWarning) {
  WriteModemCfg("\"1\",\"9600\",\"ATZ\",\"TONE\",\"0\",\"True\",30,\"8\",\"\",#TRUE#");
  h.folder.Write("Inter.dat", "\"ENABLED\"\r\n");
  Load();
  ASSERT_EQ(h.dialogs.Boxes().size(), 1U);
  EXPECT_EQ(LastBox(), "The modem configuration is invalid.\nPlease re-configure it.");
  EXPECT_EQ(h.dialogs.LastBox().buttons, vbCritical);
  EXPECT_EQ(h.dialogs.LastBox().title, "Warning");
  EXPECT_FALSE(h.folder.Exists("modem.cfg"));
  EXPECT_EQ(m().intTimeOut, 30);  // read before the end
  EXPECT_TRUE(m().blnSecurity);
  EXPECT_EQ(h.fakeSerial->OpenCount(), 0);
  EXPECT_FALSE(form().imgInternet.Visible);  // Inter.dat not read
  EXPECT_EQ(form().Label11.Caption.get(), "Intranet mode: NO");
}

TEST_F(FormLoadTest, APortHeldByAnotherProgramGetsItsOwnBox) {
  h.fakeSerial->SetHeldByOther(1, true);
  h.folder.Write("Inter.dat", "\"ENABLED\"\r\n");
  m().strMyCompany = "before";
  Load();
  ASSERT_EQ(h.dialogs.Boxes().size(), 1U);
  EXPECT_EQ(LastBox(), "Modem port is used by another program");
  EXPECT_EQ(h.dialogs.LastBox().title, "Modem not available");
  EXPECT_EQ(m().varDialCmd, "ATDT");
  EXPECT_EQ(form().Label9.Caption.get(), " 45");
  EXPECT_EQ(h.fakeSerial->Written(), "");
  EXPECT_FALSE(form().imgInternet.Visible);
  EXPECT_EQ(m().strMyCompany, "before");
}

// Each failure that ends the load with the general box, and what it leaves.
TEST_F(FormLoadTest, OtherErrorsShowTheGeneralBoxAndEndTheLoad) {
  struct Case {
    const char* modemCfg;  // nullptr: the default file
    const char* interDat;  // nullptr: no file
    const char* myOwnDat;
    int number;
    bool portOpen;
    bool modemCfgKept;
  };
  const Case cases[] = {
      {"\"3\",\"9600\",\"ATZ\",\"TONE\",\"0\",\"True\",45,\"\",\"\",#FALSE#,#FALSE#", "\"ENABLED\"", nullptr, 8002, false, true},
      {",\"9600\",\"ATZ\",\"TONE\",\"0\",\"True\",45,\"\",\"\",#FALSE#,#FALSE#", "\"ENABLED\"", nullptr, 8002, false, true},
      {"\"1\",\"9600\",\"ATZ\",\"TONE\",\"0\",\"True\",abc,\"\",\"\",#FALSE#,#FALSE#", "\"ENABLED\"", nullptr, 13, false, true},
      {"\"1\",\"9601\",\"ATZ\",\"TONE\",\"0\",\"True\",45,\"\",\"\",#FALSE#,#FALSE#", "\"ENABLED\"", nullptr, 380, false, true},
      {nullptr, "", nullptr, 62, true, true},
      {nullptr, "\"ENABLED\"", "\"Other\",\"999\"", 62, true, true},
  };
  for (const Case& c : cases) {
    testing_support::ServerHarness run;
    run.WriteDefaultSettings();
    if (c.modemCfg) run.folder.Write("modem.cfg", std::string(c.modemCfg) + "\r\n");
    run.folder.Write("Inter.dat", std::string(c.interDat) + (*c.interDat ? "\r\n" : ""));
    if (c.myOwnDat) run.folder.Write("MyOwn.dat", std::string(c.myOwnDat) + "\r\n");
    run.form->Load();
    SCOPED_TRACE(c.number);
    ASSERT_EQ(run.dialogs.Boxes().size(), 1U);
    EXPECT_EQ(run.dialogs.LastBox().prompt.rfind("Error:  " + std::to_string(c.number) + " - ", 0), 0U)
        << run.dialogs.LastBox().prompt;
    EXPECT_EQ(run.dialogs.LastBox().title, "Error");
    EXPECT_EQ(run.dialogs.LastBox().buttons, vbCritical);
    EXPECT_EQ(run.form->MSComm1.PortOpen(), c.portOpen);
    EXPECT_EQ(run.folder.Exists("modem.cfg"), c.modemCfgKept);
    EXPECT_EQ(run.form->imgInternet.Visible, c.myOwnDat != nullptr);
    if (c.myOwnDat) {
      EXPECT_EQ(run.m.strMyModem, "999");  // the items read before the end
    }
  }
}

// A new installation has no Inter.dat: Intranet mode off, no box, MyOwn.dat still read.
TEST_F(FormLoadTest, AMissingInterDatMeansIntranetModeOff) {
  h.folder.Remove("Inter.dat");
  Load();
  EXPECT_TRUE(h.dialogs.Boxes().empty());
  EXPECT_FALSE(form().imgInternet.Visible);
  EXPECT_EQ(form().Label11.Caption.get(), "Intranet mode: Disabled");
  EXPECT_EQ(m().strMyCompany, "My Company");
}

TEST_F(FormLoadTest, TextsAreComparedExactly) {
  WriteModemCfg("\"1\",\"9600\",\"\",\"Tone\",\"0\",\"True\",45,\"\",\"\",#FALSE#,#FALSE#");
  h.folder.Write("Inter.dat", "\"enabled\"\r\n");
  Load();
  EXPECT_EQ(m().varDialCmd, "");
  EXPECT_FALSE(form().imgInternet.Visible);
  EXPECT_EQ(h.fakeSerial->Written(), "\r");  // an empty init string still ends with its CR
}

}  // namespace
}  // namespace core_test
