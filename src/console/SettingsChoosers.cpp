#include "console/SettingsChoosers.h"

#include "common/ErrorBox.h"
#include "common/RecordWriter.h"
#include "common/SettingsFiles.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Dialogs.h"
#include "platform/vb/RuntimeError.h"

namespace pager {

namespace {
bool IsLeft(int button) { return button == forms::kLeftButton; }

// A path is stored as one quoted item, which the record reader ends at the next double quote;
// a path holding one, or a line end, would come back as another path.
bool StorablePath(const std::string& path) { return path.find_first_of("\"\r\n") == std::string::npos; }
}  // namespace

SettingsChoosers::SettingsChoosers(Form1& form, Platform& platform) : form_(form), platform_(platform) {}

void SettingsChoosers::Image3_MouseDown(int Button, int, float, float) {
  if (!IsLeft(Button)) return;
  form_.imgInternet.Visible = !form_.imgInternet.Visible;
  SaveSetting(kInterDat, form_.imgInternet.Visible ? "ENABLED" : "DISABLED");
}

void SettingsChoosers::Image4_MouseDown(int Button, int, float, float) {
  if (!IsLeft(Button)) return;
  Choose({form_.imgSubmmit, "Where the messages are submitted?", "FEEDBACK.TXT (Submmit) |FEEDBACK.TXT|",
          kInternetCfg, "submissions file"});
}

void SettingsChoosers::imgOther_MouseDown(int Button, int, float, float) {
  if (!IsLeft(Button)) return;
  Choose({form_.Image2, "In which file messages are stored?", "All files (*.*) |*.*|", kOwnCfg, "Other File"});
}

void SettingsChoosers::Choose(const Chooser& chooser) {
  chooser.pressed.Visible = true;
  platform_.loop.DoEvents();
  platform_.loop.DoEvents();
  form_.CommonDialog1.DialogTitle = chooser.title;
  form_.CommonDialog1.Filter = chooser.filter;
  platform_.dialogs.ShowOpen(form_.CommonDialog1);
  const std::string& path = form_.CommonDialog1.FileName;
  if (!path.empty()) {
    if (StorablePath(path)) {
      SaveSetting(chooser.settingsFile, path);
    } else {
      platform_.dialogs.MsgBox(
          "The path of the " + std::string(chooser.fileName) + " cannot hold a double quote (\") or a line end.",
          forms::vbCritical, "Error");
    }
  }
  chooser.pressed.Visible = false;
}

bool SettingsChoosers::SaveSetting(const std::string& name, const std::string& text) {
  try {
    WriteRecordReplacing(SettingsPath(platform_.programFolder, name), {RecordItem{text}});
    return true;
  } catch (const vb::RuntimeError& e) {
    platform_.dialogs.MsgBox(GeneralErrorText(e), forms::vbCritical, "Error");
    return false;
  }
}

}  // namespace pager
