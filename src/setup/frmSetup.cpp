#include "setup/frmSetup.h"

#include <initializer_list>

namespace pager {

namespace {

constexpr int kInnerWidth = 7500;
constexpr int kInnerHeight = 5115;

constexpr const char* kOtherFileNote =
    "The file that you selected in the \"Other File\" must be an ASCII file, and must contain only the Paging Unit, "
    "and the Message. These values must be in \"quotes\" and must be separated by commas. Like this: \"123-4570\", "
    "\"This is a test message\". Use this option if you generate an ASCII file from another program, and you want "
    "messages to be handled by Corvello Server.";

}  // namespace

const std::vector<std::string>& MessageLogColumns() {
  static const std::vector<std::string> columns{"Sender",    "Paging Unit", "Message", "Paging Company", "Date Sent",
                                                "Time Sent", "IP Address",  "User",    "Browser"};
  return columns;
}

frmSetup::frmSetup(dao::DBEngine& engine)
    : forms::Window("frmSetup", kInnerWidth, kInnerHeight), Data1("Data1", {120, 4020, 2295, 375}, engine, DBGrid1) {
  Caption = "Corvello '98 Setup";

  const forms::Control& modemTab = SSTab1.Page(kModemTab);
  for (forms::Control* control : std::initializer_list<forms::Control*>{
           &Image1, &Image4, &Label1, &Combo1, &Label2, &Combo2, &Label3, &txtInit, &Label4, &Combo3, &Label5, &Combo4,
           &Label6, &txtTimeOut, &Label7, &Label8, &txtPrefix, &Label9, &txtSuffix, &chkSecurity, &chkASP, &imgSave,
           &imgBack, &Image2, &Image3, &SSCommand1}) {
    control->SetContainer(&modemTab);
  }
  Image1.picture = "modem-panel";
  Image4.picture = "modem-icon";
  imgSave.picture = "modem-save";
  imgBack.picture = "modem-back";
  Label1.Caption = "Communication Port:";
  Label2.Caption = "Baud Rate:";
  Label3.Caption = "Modem Init String:";
  Label4.Caption = "Dial Mode:";
  Label5.Caption = "Handshaking:";
  Label6.Caption = "Time Out:";
  Label7.Caption = "seconds";
  Label8.Caption = "Dial Prefix:";
  Label9.Caption = "Dial Suffix:";
  Combo1.ToolTipText = "Serial port in which modem is installed";
  Combo2.ToolTipText = "Modem baud rate";
  txtInit.ToolTipText = "Initialization string";
  Combo3.ToolTipText = "Dial mode";
  Combo4.ToolTipText = "Handshaking mode";
  txtTimeOut.ToolTipText = "Timeout to disconnect, if paging company does not answer";
  txtPrefix.ToolTipText = "Dial prefix";
  txtSuffix.ToolTipText = "Dial suffix";
  chkSecurity.Caption = "Security enabled";
  chkSecurity.ToolTipText =
      "If you are using Microsoft's IIS or Frontpage with web permissions enabled this check box.";
  chkASP.Caption = "ASP Web Server";
  chkASP.ToolTipText = "Check it if submissions are through an ASP Server";
  Image2.ToolTipText = "Save modem configuration";
  Image3.ToolTipText = "Go back to main menu";
  SSCommand1.Caption = "&Save";
  SSCommand1.Visible = false;

  const forms::Control& logTab = SSTab1.Page(kAdministrationTab);
  for (forms::Control* control : std::initializer_list<forms::Control*>{&DBGrid1, &Data1, &Command1, &Command2}) {
    control->SetContainer(&logTab);
  }
  // The Message column says what became of each message at its end ("was sent successfully",
  // "is invalid", "was not sent because ..."): it takes the room that Sender and Paging Unit
  // leave in the grid and, when too long, keeps its end in sight; the whole text is in its
  // tool tip. The submission's own data lies to the right of it.
  DBGrid1.ColumnLooks = {{.width = 990}, {.width = 1125}, {.fillsView = true, .showsEnd = true}};
  Data1.Caption = "Data1";
  Data1.Connect = "Access";
  Data1.RecordSource = "TranLog";
  Data1.Visible = false;
  Command1.Caption = "&Clear";
  Command1.ToolTipText = "Clear the message log";
  Command2.Caption = "C&lose";
  Command2.ToolTipText = "Close the Window";

  const forms::Control& ownTab = SSTab1.Page(kOwnSystemTab);
  for (forms::Control* control : std::initializer_list<forms::Control*>{
           &Label11, &Text1, &Label12, &Text2, &Check1, &lblFilename, &Frame4, &Command3, &Command4}) {
    control->SetContainer(&ownTab);
  }
  Label10.SetContainer(&Frame4);
  Label11.Caption = "My company name:";
  Text1.ToolTipText = "Your paging company's name";
  Label12.Caption = "My modem number:";
  Text2.ToolTipText = "Your paging company's modem phone number";
  Check1.Caption = "Check and process messages on the file that I specified in the \"Other File\" settings.";
  Check1.ToolTipText = "Activate the \"Other File\" message lookup";
  Frame4.Caption = "Special Note";
  Label10.Caption = kOtherFileNote;
  Command3.Caption = "&Store Info.";
  Command3.ToolTipText = "Store this information";
  Command4.Caption = "&Close Now";
  Command4.ToolTipText = "Close form";

  RestoreDesign();
}

void frmSetup::RestoreDesign() {
  SSTab1.Tab = kModemTab;
  MousePointer = forms::kDefaultPointer;

  Combo1.Clear();
  Combo1.Text = "Com 2";
  Combo2.Clear();
  Combo2.Text = "28800";
  txtInit.Text = "ATZ";
  Combo3.Clear();
  Combo3.Text = "TONE";
  Combo4.Clear();
  Combo4.Text = "RTS/CTS";
  txtTimeOut.Text = "45";
  txtPrefix.Text = "";
  txtSuffix.Text = "";
  chkSecurity.Value = 0;
  chkASP.Value = 0;
  imgSave.Visible = false;
  imgBack.Visible = false;

  Data1.DatabaseName = "";
  DBGrid1.Data = forms::GridData{"CORVELLO SERVER MESSAGE LOG", MessageLogColumns(), {}};

  Text1.Text = "";
  Text2.Text = "";
  Check1.Value = 0;
  lblFilename.Caption = "";
}

}  // namespace pager
