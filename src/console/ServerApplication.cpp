#include "console/ServerApplication.h"

#include <utility>

namespace pager {

ServerApplication::ServerApplication(const Platform& platformIn, std::shared_ptr<comm::SerialBackend> serial)
    : platform(platformIn),
      form1(platform.loop, std::move(serial)),
      form2(platform.loop),
      help(m, platform, form1),
      core(form1, m, platform),
      engine(form1, m, platform),
      splash(form2, form1, help, platform),
      panel(form1, platform, core, help),
      choosers(form1, platform),
      status(form1, m, platform.loop) {
  // Timers switched on in the windows' designs run from their window's load.
  form2.Timer1.Enabled = false;
  SetStatusTimers(false);
  WireSplash();
  WireMainWindow();
  WireHotSpots();
}

void ServerApplication::Start() {
  if (started_) return;
  started_ = true;
  form2.Show();
}

void ServerApplication::EndInOrder() {
  if (finished_ || endingInOrder_) return;
  endingInOrder_ = true;
  // Stop keeping the messages, which tries to store the held pages for half a minute.
  core.EndKeepingMessages();
  // A signal in the pump of a Stop or a shut-down that is storing the held pages: their tries
  // go on once this handler returns, and it is their outcome that is reported.
  if (core.StoringPages()) {
    reportWhenStored_ = true;
  } else if (engine.HasUnsettledPages()) {
    ReportUnsettledPages();
  }
  if (panel.setupWindow) {
    if (forms::Window* setup = panel.setupWindow(); setup != nullptr && setup->Loaded()) setup->Unload();
  }
  if (form1.Loaded()) form1.Unload(forms::kUnloadFromCode);
  if (form2.Loaded()) form2.Unload(forms::kUnloadFromCode);
  Finish();
}

void ServerApplication::ReportUnsettledPages() {
  // Once: the shut-down's own report may follow the one its interrupted tries asked for.
  if (exitStatus_ == 1) return;
  exitStatus_ = 1;
  if (errorOutput == nullptr) return;
  *errorOutput << "pager-server: these pages went out, but their \"sent\" marks could not be stored in "
                  "pager.mdb; they may go out again at the next start:\n";
  for (const std::string& page : engine.UnsettledPages()) *errorOutput << "  " << page << "\n";
  errorOutput->flush();
}

void ServerApplication::EndCallBeforeSave() {
  engine.EndCall("Call ended: the modem settings are being saved",
                 "could not be served: the modem settings were saved during the call.");
}

void ServerApplication::SetSetupWindow(std::function<forms::Window*()> setupWindow) {
  panel.setupWindow = std::move(setupWindow);
}

void ServerApplication::WireSplash() {
  form2.OnLoad = [this] {
    form2.Timer1.Enabled = true;
    splash.Form_Load();
  };
  form2.OnUnload = [this](int& cancel) {
    splash.Form_UnLoad(cancel);
    if (cancel != 0) return;
    form2.Timer1.Enabled = false;
    if (!form1.Loaded()) Finish();
  };
  form2.Timer1.OnTimer = [this] { splash.Timer1_Timer(); };
  core.unloadSplash = [this] { form2.Unload(forms::kUnloadFromCode); };
}

void ServerApplication::WireMainWindow() {
  form1.OnLoad = [this] {
    SetStatusTimers(true);
    core.Form_Load();
  };
  form1.OnQueryUnload = [this](int& cancel, int unloadMode) {
    if (!endingInOrder_) core.Form_QueryUnload(cancel, unloadMode);
  };
  form1.OnUnload = [this](int& /*cancel*/) {
    // The program ends with the main window; the splash goes with it if it is still there.
    if (form2.Loaded()) form2.Unload(forms::kUnloadFromCode);
    Finish();
  };

  form1.Command1.Click = [this] { core.Command1_Click(); };
  form1.Command2.Click = [this] { core.Command2_Click(); };
  form1.Command3.Click = [this] { panel.Command3_Click(); };
  form1.Command4.Click = [this] { panel.Command4_Click(); };
  form1.Command5.Click = [this] { engine.Command5_Click(); };
  engine.runStart = [this] { core.StartFromRecycle(); };
  core.settleEngine = [this] { engine.SettlePending(); };
  core.enginePagesHeld = [this] { return engine.HasUnsettledPages(); };
  core.pagesNotStored = [this] { ReportUnsettledPages(); };
  core.storingEnded = [this](bool stored) {
    if (!std::exchange(reportWhenStored_, false)) return;
    if (!stored && engine.HasUnsettledPages()) ReportUnsettledPages();
  };

  form1.Timer1.OnTimer = [this] { engine.Timer1_Timer(); };
  form1.tmrDialing.OnTimer = [this] { engine.tmrDialing_Timer(); };
  form1.tmrSend.OnTimer = [this] { engine.tmrSend_Timer(); };
  form1.tmrCountdown.OnTimer = [this] { engine.tmrCountdown_Timer(); };
  form1.tmrRestart.OnTimer = [this] { engine.tmrRestart_Timer(); };

  form1.Timer2.OnTimer = [this] { status.Timer2_Timer(); };
  form1.Timer3.OnTimer = [this] { status.Timer3_Timer(); };
  form1.Timer4.OnTimer = [this] { status.Timer4_Timer(); };
  form1.Timer5.OnTimer = [this] { status.Timer5_Timer(); };
}

void ServerApplication::WireHotSpots() {
  using namespace std::placeholders;
  form1.Start.MouseDown = std::bind(&MainPanel::Start_MouseDown, &panel, _1, _2, _3, _4);
  form1.Stop.MouseDown = std::bind(&MainPanel::Stop_MouseDown, &panel, _1, _2, _3, _4);
  form1.Shut.MouseDown = std::bind(&MainPanel::Shut_MouseDown, &panel, _1, _2, _3, _4);
  form1.Shut.MouseUp = std::bind(&MainPanel::Shut_MouseUp, &panel, _1, _2, _3, _4);
  form1.Image5.MouseDown = std::bind(&MainPanel::Image5_MouseDown, &panel, _1, _2, _3, _4);
  form1.Image6.MouseDown = std::bind(&MainPanel::Image6_MouseDown, &panel, _1, _2, _3, _4);
  form1.Image7.MouseDown = std::bind(&MainPanel::Image7_MouseDown, &panel, _1, _2, _3, _4);
  form1.Image3.MouseDown = std::bind(&SettingsChoosers::Image3_MouseDown, &choosers, _1, _2, _3, _4);
  form1.Image4.MouseDown = std::bind(&SettingsChoosers::Image4_MouseDown, &choosers, _1, _2, _3, _4);
  form1.imgOther.MouseDown = std::bind(&SettingsChoosers::imgOther_MouseDown, &choosers, _1, _2, _3, _4);
  form1.Label13.Click = [this] { panel.Label13_Click(); };
}

void ServerApplication::SetStatusTimers(bool enabled) {
  for (forms::Timer* timer : {&form1.Timer2, &form1.Timer3, &form1.Timer4, &form1.Timer5}) timer->Enabled = enabled;
}

void ServerApplication::Finish() {
  if (finished_) return;
  finished_ = true;
  for (forms::Timer* timer : {&form1.Timer1, &form1.tmrDialing, &form1.tmrSend, &form1.tmrCountdown, &form1.tmrRestart,
                              &form1.Timer2, &form1.Timer3, &form1.Timer4, &form1.Timer5, &form2.Timer1}) {
    timer->Enabled = false;
  }
  if (onFinished) onFinished();
}

}  // namespace pager
