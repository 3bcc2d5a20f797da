// The modem tab's Save: the entries checked, applied to the live serial port and the shared
// dial settings, and stored in modem.cfg.
#include "common/RecordWriter.h"
#include "common/SettingsFiles.h"
#include "platform/comm/SerialBackend.h"
#include "platform/vb/Text.h"
#include "setup/ModemChoices.h"
#include "setup/SetupWindow.h"

namespace pager {

namespace {

constexpr const char* kLineFraming = "e,7,1";
constexpr int kEmptyTimeOut = 30;

// The record reader cannot take a double quote back out of a quoted item, so such a text is
// refused before it reaches modem.cfg.
void RefuseQuote(const std::string& text, const std::string& entry) {
  if (text.find('"') != std::string::npos) {
    vb::Raise(vb::err::kInvalidPropertyValue, "The " + entry + " cannot hold a double quote (\").");
  }
}

}  // namespace

void SetupWindow::SSCommand1_Click() {
  form.MousePointer = forms::kHourglassPointer;
  bool closedHere = false;  // the port was open and this Save closed it
  bool opening = false;     // the failure, if any, came from the final opening
  try {
    // Everything the operator typed is checked while the port still serves the engine.
    const ModemEntries entries = CheckedModemEntries();
    if (port_.PortOpen() && beforeClosingPort) beforeClosingPort();
    if (port_.PortOpen()) {
      port_.SetPortOpen(false);
      closedHere = true;
    }
    ApplyAndStore(entries);
    opening = true;
    port_.SetPortOpen(true);
  } catch (const vb::RuntimeError& e) {
    std::string prompt = e.Description();
    if (closedHere && !opening) {
      // The engine finds its port as it was, though the settings could not be stored.
      try {
        port_.SetPortOpen(true);
      } catch (const vb::RuntimeError& again) {
        prompt += "\nThe modem port could not be opened again: " + again.Description();
      }
    }
    form.MousePointer = forms::kDefaultPointer;
    platform_.dialogs.MsgBox(prompt, forms::vbCritical, "Error");
    return;
  }
  form.MousePointer = forms::kDefaultPointer;
  platform_.dialogs.MsgBox("Modem configuration has been saved", forms::vbInformation, "Setup configuration was saved");
}

SetupWindow::ModemEntries SetupWindow::CheckedModemEntries() const {
  ModemEntries entries;
  if (const auto port = PortNumberOf(form.Combo1.Text)) entries.portItem = std::to_string(*port);

  entries.baudRate = vb::Trim(form.Combo2.Text.get());
  RefuseQuote(entries.baudRate, "Baud Rate");
  comm::ParseSettings(entries.baudRate + "," + kLineFraming);  // 380 for a rate the port refuses

  entries.initString = vb::Trim(form.txtInit.Text.get());
  RefuseQuote(entries.initString, "Modem Init String");
  entries.dialMode = vb::Trim(form.Combo3.Text.get());
  RefuseQuote(entries.dialMode, "Dial Mode");
  if (const auto code = HandshakingCodeOf(form.Combo4.Text)) entries.handshakingItem = std::to_string(*code);

  const std::string& timeOut = form.txtTimeOut.Text.get();
  entries.timeOut = timeOut.empty() ? vb::Int16(kEmptyTimeOut) : vb::CIntText(timeOut);  // 13 or 6
  // A time-out below one second would never end an unanswered dial.
  if (entries.timeOut < vb::Int16(1)) vb::Raise(vb::err::kInvalidPropertyValue, "The Time Out must be at least 1 second.");

  entries.prefix = form.txtPrefix.Text.get();
  RefuseQuote(entries.prefix, "Dial Prefix");
  entries.suffix = form.txtSuffix.Text.get();
  RefuseQuote(entries.suffix, "Dial Suffix");
  return entries;
}

void SetupWindow::ApplyAndStore(const ModemEntries& entries) {
  if (!entries.portItem.empty()) port_.SetCommPort(std::stoi(entries.portItem));
  port_.SetSettings(entries.baudRate + "," + kLineFraming);
  m_.varInitString = entries.initString;
  if (const auto dialCommand = DialCommandOf(entries.dialMode)) m_.varDialCmd = *dialCommand;
  port_.SetHandshaking(vb::LeadingInt16(entries.handshakingItem).value());
  m_.intTimeOut = entries.timeOut;
  m_.varPrefix = entries.prefix;
  m_.strSuffix = entries.suffix;
  m_.blnSecurity = form.chkSecurity.Value == 1;
  m_.blnASP = form.chkASP.Value == 1;

  auto optionalItem = [](const std::string& item) {
    return item.empty() ? RecordItem{std::monostate{}} : RecordItem{item};
  };
  WriteRecordReplacing(SettingsPath(platform_.programFolder, kModemCfg),
                       {optionalItem(entries.portItem), RecordItem{entries.baudRate}, RecordItem{entries.initString},
                        RecordItem{entries.dialMode}, optionalItem(entries.handshakingItem), RecordItem{std::string("True")},
                        RecordItem{static_cast<long long>(m_.intTimeOut.value())}, RecordItem{m_.varPrefix},
                        RecordItem{m_.strSuffix}, RecordItem{m_.blnSecurity}, RecordItem{m_.blnASP}});
}

}  // namespace pager
