// The main window's load: the stopped state, the window's place, the modem settings applied to
// the serial port, the Intranet mode and the own paging system settings.
#include "common/ErrorBox.h"
#include "common/FileTests.h"
#include "common/RecordReader.h"
#include "common/SettingsFiles.h"
#include "core/ServerCore.h"
#include "platform/vb/Text.h"

namespace pager {

void ServerCore::Form_Load() {
  // Set while modem.cfg is being read: a file that ends early is then invalid, not an error.
  bool readingModemCfg = false;
  std::string modemCfgPath;
  try {
    m_.strServerState = "STOP";
    form_.Label7.Caption = "Not started yet. Software is stopped";
    CentreWindow();
    if (const auto modemCfg = FindByName(platform_.programFolder, kModemCfgUpper)) {
      modemCfgPath = *modemCfg;
      ApplyModemSettings(modemCfgPath, readingModemCfg);
    }
    ReadIntranetMode();
    if (FileExists(platform_.PathOf(kMyOwnDat))) ReadOwnSystem();
  } catch (const vb::RuntimeError& e) {
    // The reader of the file being read has been closed by now (it lives in the step's scope).
    if (e.Number() == vb::err::kPortAlreadyOpen) {
      platform_.dialogs.MsgBox("Modem port is used by another program", forms::vbCritical,
                               "Modem not available");
    } else if (e.Number() == vb::err::kInputPastEndOfFile && readingModemCfg) {
      // A short file cannot be repaired here; a file that cannot be deleted is met again at the
      // next program start, with the same box.
      vb::ResumeNext([&] { DeleteFile(modemCfgPath); });
      platform_.dialogs.MsgBox("The modem configuration is invalid.\nPlease re-configure it.",
                               forms::vbCritical, "Warning");
    } else {
      platform_.dialogs.MsgBox(GeneralErrorText(e), forms::vbCritical, "Error");
    }
  }
}

void ServerCore::CentreWindow() {
  forms::CentreOnScreen(form_, platform_.screen);
}

void ServerCore::ApplyModemSettings(const std::string& path, bool& readingModemCfg) {
  RecordReader reader(path);
  readingModemCfg = true;
  const std::string comPort = reader.ReadUntyped();
  const std::string baudRate = reader.ReadUntyped();
  const std::string initString = reader.ReadUntyped();
  const std::string dialMode = reader.ReadUntyped();
  const std::string handshaking = reader.ReadUntyped();
  reader.ReadUntyped();  // the save mark, always "True"
  m_.intTimeOut = reader.ReadInteger();
  m_.varPrefix = reader.ReadUntyped();
  m_.strSuffix = reader.ReadText();
  m_.blnSecurity = reader.ReadBoolean();
  m_.blnASP = reader.ReadBoolean();
  readingModemCfg = false;

  comm::MSComm& port = form_.MSComm1;
  port.SetCommPort(vb::LeadingInt16(comPort).value());
  port.SetSettings(vb::Trim(baudRate) + "," + "e,7,1");
  port.SetHandshaking(vb::LeadingInt16(handshaking).value());
  if (dialMode == "TONE") {
    m_.varDialCmd = "ATDT";
  } else if (dialMode == "PULSE") {
    m_.varDialCmd = "ATDP";
  }
  m_.varInitString = initString;
  form_.Label9.Caption = vb::Str(m_.intTimeOut.value());
  reader.Close();

  port.SetPortOpen(true);
  port.Output(m_.varInitString + "\r");
}

void ServerCore::ReadIntranetMode() {
  std::string mode;
  try {
    RecordReader reader(platform_.PathOf(kInterDat));
    mode = reader.ReadText();
  } catch (const vb::RuntimeError& e) {
    // A new installation has no Inter.dat until the mode toggle is first used: mode off.
    if (e.Number() != vb::err::kFileNotFound) throw;
  }
  const bool enabled = mode == "ENABLED";
  form_.imgInternet.Visible = enabled;
  form_.Label11.Caption = enabled ? "Intranet mode: Enabled" : "Intranet mode: Disabled";
}

void ServerCore::ReadOwnSystem() {
  RecordReader reader(platform_.PathOf(kMyOwnDat));
  m_.strMyCompany = reader.ReadText();
  m_.strMyModem = reader.ReadText();
  m_.intOtherFile = reader.ReadInteger();
}

}  // namespace pager
