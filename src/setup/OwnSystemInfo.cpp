// The "Own Paging System" tab's Store Info.
#include "common/RecordWriter.h"
#include "common/SettingsFiles.h"
#include "setup/SetupWindow.h"

namespace pager {

namespace {

constexpr const char* kRequiredTitle = "Information required";
constexpr const char* kStoredTitle = "Corvello '98";

bool HoldsQuote(const std::string& text) { return text.find('"') != std::string::npos; }

}  // namespace

void SetupWindow::Command3_Click() {
  forms::Dialogs& dialogs = platform_.dialogs;
  const std::string company = form.Text1.Text;
  const std::string modem = form.Text2.Text;
  if (company.empty()) {
    dialogs.MsgBox("Please enter your company name", forms::vbCritical, kRequiredTitle);
    form.Text1.SetFocus();
    return;
  }
  if (modem.empty()) {
    dialogs.MsgBox("Please enter your paging company's modem phone number", forms::vbCritical, kRequiredTitle);
    form.Text2.SetFocus();
    return;
  }
  // MyOwn.dat is read back item by item; a double quote would end its item early.
  if (HoldsQuote(company)) {
    dialogs.MsgBox("The company name cannot hold a double quote (\").", forms::vbCritical, kRequiredTitle);
    form.Text1.SetFocus();
    return;
  }
  if (HoldsQuote(modem)) {
    dialogs.MsgBox("The modem number cannot hold a double quote (\").", forms::vbCritical, kRequiredTitle);
    form.Text2.SetFocus();
    return;
  }

  const int lookup = form.Check1.Value;
  try {
    WriteRecordReplacing(SettingsPath(platform_.programFolder, kMyOwnDat),
                         {RecordItem{company}, RecordItem{modem}, RecordItem{static_cast<long long>(lookup)}});
  } catch (const vb::RuntimeError& e) {
    // The shared state keeps agreeing with the file the next Start reads.
    dialogs.MsgBox("The information could not be stored.\n" + e.Description(), forms::vbCritical, kStoredTitle);
    return;
  }
  m_.strMyCompany = company;
  m_.strMyModem = modem;
  m_.intOtherFile = lookup;
  dialogs.MsgBox("Information sucessfully stored", forms::vbInformation, kStoredTitle);
}

}  // namespace pager
