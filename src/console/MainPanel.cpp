#include "console/MainPanel.h"

#include "platform/forms/Controls.h"
#include "platform/forms/Dialogs.h"

namespace pager {

const char* const MainPanel::kInformationText =
    "Corvello '98 Enterprise Edition\n\n"
    "The lamp runs while the server is delivering messages to the paging companies.";
const char* const MainPanel::kAboutText =
    "Corvello '98 Enterprise Edition\n\n"
    "An intranet paging server. It takes the messages posted on the intranet paging form, "
    "written by other programs or scheduled in the database, queues them, and delivers each "
    "one by calling its paging company's modem. Every outcome is kept in the message log.";
const char* const MainPanel::kAboutTitle = "About Corvello '98";

namespace {
bool IsLeft(int button) { return button == forms::kLeftButton; }

// Puts the default pointer back when the scope ends, also on an error.
class PointerRestorer {
 public:
  explicit PointerRestorer(forms::Window& window) : window_(window) {}
  ~PointerRestorer() { window_.MousePointer = forms::kDefaultPointer; }
  PointerRestorer(const PointerRestorer&) = delete;
  PointerRestorer& operator=(const PointerRestorer&) = delete;

 private:
  forms::Window& window_;
};
}  // namespace

MainPanel::MainPanel(Form1& form, Platform& platform, ServerCore& core, ContextIDs& help)
    : form_(form), platform_(platform), core_(core), help_(help) {}

void MainPanel::Start_MouseDown(int Button, int, float, float) {
  if (!IsLeft(Button)) return;
  form_.imgStart.Visible = true;
  form_.imgStop.Visible = false;
  platform_.loop.DoEvents();
  core_.StartFromOperator();
}

void MainPanel::Stop_MouseDown(int Button, int, float, float) {
  if (!IsLeft(Button)) return;
  form_.imgStop.Visible = true;
  form_.imgStart.Visible = false;
  platform_.loop.DoEvents();
  core_.Command2_Click();
}

void MainPanel::Shut_MouseDown(int Button, int, float, float) {
  if (!IsLeft(Button)) return;
  if (form_.imgStart.Visible) {
    platform_.dialogs.MsgBox("Please stop the server first", forms::vbCritical, "Corvello '98");
    return;
  }
  form_.imgShut.Visible = true;
  form_.imgStart.Visible = false;
  form_.imgStop.Visible = true;
  platform_.loop.DoEvents();
  Command4_Click();
}

void MainPanel::Shut_MouseUp(int Button, int, float, float) {
  if (!IsLeft(Button)) return;
  form_.imgShut.Visible = false;
}

void MainPanel::Image5_MouseDown(int Button, int, float, float) {
  if (!IsLeft(Button)) return;
  platform_.loop.DoEvents();
  platform_.loop.DoEvents();
  platform_.dialogs.MsgBox(kInformationText, forms::vbInformation, "Information");
}

void MainPanel::Image6_MouseDown(int Button, int, float, float) {
  if (!IsLeft(Button)) return;
  form_.imgAbout.Visible = true;
  platform_.dialogs.MsgBox(kAboutText, forms::vbInformation, kAboutTitle);
  form_.imgAbout.Visible = false;
}

void MainPanel::Image7_MouseDown(int Button, int, float, float) {
  if (!IsLeft(Button)) return;
  form_.imgSetup.Visible = true;
  platform_.loop.DoEvents();
  Command3_Click();
  form_.imgSetup.Visible = false;
}

void MainPanel::Command3_Click() {
  form_.MousePointer = forms::kHourglassPointer;
  PointerRestorer restore(form_);
  if (!setupWindow) return;
  if (forms::Window* window = setupWindow()) platform_.dialogs.ShowModal(*window);
}

void MainPanel::Command4_Click() { form_.Unload(forms::kUnloadFromCode); }

void MainPanel::Label13_Click() { help_.ShowHelp(); }

}  // namespace pager

