// The window's load: the design state, the settings files, the shared state and the log grid.
#include <utility>

#include "common/FileTests.h"
#include "common/RecordReader.h"
#include "common/SettingsFiles.h"
#include "setup/ModemChoices.h"
#include "setup/SetupWindow.h"

namespace pager {

namespace {

constexpr const char* kOtherFileLabel = "Other file location: ";
constexpr const char* kNoOtherFile = "Other file location: Has not been specified yet";

std::string BaseName(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The box about a settings file that could not be read whole.
std::string DamagedFileText(const std::string& name, const std::string& error, const std::string& advice) {
  return "The settings file " + name + " could not be read whole (" + error + ").\n" + advice;
}

}  // namespace

void SetupWindow::Form_Load() {
  form.RestoreDesign();
  form.MousePointer = forms::kHourglassPointer;
  form.SSTab1.Tab = frmSetup::kModemTab;
  form.Data1.DatabaseName = platform_.PathOf("pager.mdb");
  CentreWindow();

  // Told once the window is ready, so that a damaged file never keeps it from opening.
  std::vector<std::pair<std::string, std::string>> boxes;  // prompt, title

  if (const auto modemCfg = FindByName(platform_.programFolder, kModemCfgUpper)) {
    const std::string error = ReadModemSettings(*modemCfg);
    if (!error.empty()) {
      boxes.emplace_back(DamagedFileText(BaseName(*modemCfg), error, "Please check the modem settings and save them again."),
                         "Warning");
    }
  }
  form.chkSecurity.Value = m_.blnSecurity ? 1 : 0;
  form.chkASP.Value = m_.blnASP ? 1 : 0;
  FillLists();
  form.txtPrefix.Text = m_.varPrefix;
  form.txtSuffix.Text = m_.strSuffix;

  if (FileExists(platform_.PathOf(kMyOwnDat))) {
    const std::string error = ReadOwnSystem();
    if (!error.empty()) {
      boxes.emplace_back(
          DamagedFileText(kMyOwnDat, error, "Please check the own paging system settings and store them again."),
          "Warning");
    }
  }
  // Found in any letter case, as Start's intake finds it.
  if (const auto ownCfg = FindByName(platform_.programFolder, kOwnCfgUpper)) {
    const std::string error = ReadOtherFilePath(*ownCfg);
    if (!error.empty()) {
      boxes.emplace_back(DamagedFileText(BaseName(*ownCfg), error, "Please choose the Other File again."), "Warning");
    }
  } else {
    form.lblFilename.Caption = kNoOtherFile;
  }

  try {
    form.Data1.Refresh();
  } catch (const vb::RuntimeError& e) {
    boxes.emplace_back("The message log could not be read.\n" + e.Description(), "Error");
  }

  form.MousePointer = forms::kDefaultPointer;
  for (const auto& [prompt, title] : boxes) platform_.dialogs.MsgBox(prompt, forms::vbCritical, title);
}

void SetupWindow::CentreWindow() {
  forms::CentreOnScreen(form, platform_.screen);
}

std::string SetupWindow::ReadModemSettings(const std::string& path) {
  // The items kept in the shared state reach it as they are read. The tab shows, in the load's
  // order, every item read before the file ended or an item did not fit its kind; the boxes of
  // the items after that keep their design values, so a Save stores no setting that was never
  // the operator's.
  std::vector<std::string> items;  // items 1 to 6, as far as they were read
  bool timeOutRead = false;
  std::string error;
  try {
    RecordReader reader(path);
    constexpr int kUntypedItems = 6;  // port, rate, init string, dial mode, handshaking, save mark
    for (int i = 0; i < kUntypedItems; ++i) items.push_back(reader.ReadUntyped());
    m_.intTimeOut = reader.ReadInteger();
    timeOutRead = true;
    m_.varPrefix = reader.ReadUntyped();
    m_.strSuffix = reader.ReadText();
    m_.blnSecurity = reader.ReadBoolean();
    m_.blnASP = reader.ReadBoolean();
  } catch (const vb::RuntimeError& e) {
    error = e.Description();
  }
  const auto read = [&items](std::size_t item) { return items.size() >= item; };
  if (read(1)) {
    if (const auto name = PortNameOfItem(items[0])) form.Combo1.Text = *name;
  }
  if (read(2)) form.Combo2.Text = items[1];
  if (read(4)) form.Combo3.Text = items[3];
  if (read(5)) {
    if (const auto name = HandshakingNameOfItem(items[4])) form.Combo4.Text = *name;
  }
  if (read(3)) form.txtInit.Text = items[2];
  if (timeOutRead) form.txtTimeOut.Text = std::to_string(m_.intTimeOut.value());
  return error;
}

void SetupWindow::FillLists() {
  for (const auto& name : PortNames()) form.Combo1.AddItem(name);
  for (const auto& rate : BaudRates()) form.Combo2.AddItem(rate);
  for (const auto& mode : DialModes()) form.Combo3.AddItem(mode);
  for (const auto& name : HandshakingNames()) form.Combo4.AddItem(name);
}

std::string SetupWindow::ReadOwnSystem() {
  // As with modem.cfg: the shared state takes each item as it is read, and the tab shows the
  // items read before any damage.
  int itemsRead = 0;
  std::string error;
  try {
    RecordReader reader(platform_.PathOf(kMyOwnDat));
    m_.strMyCompany = reader.ReadText();
    ++itemsRead;
    m_.strMyModem = reader.ReadText();
    ++itemsRead;
    m_.intOtherFile = reader.ReadInteger();
    ++itemsRead;
  } catch (const vb::RuntimeError& e) {
    error = e.Description();
  }
  if (itemsRead >= 1) form.Text1.Text = m_.strMyCompany;
  if (itemsRead >= 2) form.Text2.Text = m_.strMyModem;
  // 0, 1 and 2 are the box's three states. The intake looks for the Other File whenever the
  // switch is not 0, so any other value shows as checked.
  if (itemsRead >= 3) {
    const int lookup = m_.intOtherFile.value();
    form.Check1.Value = lookup >= 0 && lookup <= 2 ? lookup : 1;
  }
  return error;
}

std::string SetupWindow::ReadOtherFilePath(const std::string& path) {
  try {
    RecordReader reader(path);
    form.lblFilename.Caption = kOtherFileLabel + reader.ReadText();
  } catch (const vb::RuntimeError& e) {
    form.lblFilename.Caption = kNoOtherFile;
    return e.Description();
  }
  return "";
}

}  // namespace pager
