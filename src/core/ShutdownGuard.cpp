// The shut-down guard: every request to close the main window passes here.
#include "common/ErrorBox.h"
#include "common/SettingsFiles.h"
#include "core/ServerCore.h"

namespace pager {

void ServerCore::Form_QueryUnload(int& cancel, int /*unloadMode*/) {
  constexpr int kKeepWindow = -1;
  // A Stop waiting for the database to store the pages already sent lets events in; the
  // window stays until it has finished.
  if (storingPages_) {
    cancel = kKeepWindow;
    return;
  }
  if (m_.strServerState == "RUNNING") {
    platform_.dialogs.MsgBox("You must stop the server before performing a shut down", forms::vbCritical,
                             "Operation not allowed");
    form_.imgShut.Visible = false;
    cancel = kKeepWindow;
    return;
  }
  const int answer = platform_.dialogs.MsgBox("Are you sure you want to shut down the server?",
                                              forms::vbYesNo + forms::vbQuestion, "Shutting down");
  if (answer != forms::vbYes) {
    form_.imgShut.Visible = false;
    cancel = kKeepWindow;
    return;
  }
  // Pages the terminal took whose "sent" marks the Stop could not store are tried again; those
  // that still cannot be stored are named (pagesNotStored) before the program ends.
  if (enginePagesHeld && enginePagesHeld()) {
    form_.MousePointer = forms::kHourglassPointer;
    const bool stored = StoreEngineSettlings(kStoreTries);
    if (m_.dbPager) vb::ResumeNext([&] { m_.dbPager->Close(); });
    form_.MousePointer = forms::kDefaultPointer;
    if (!stored) {
      form_.lblStatus.Caption = kPagesNotStoredStatus;
      if (pagesNotStored) pagesNotStored();
    }
  }
  try {
    WriteStatus(platform_.programFolder, kNotAvailable);
  } catch (const vb::RuntimeError& e) {
    // The operator asked to shut down; the shut-down goes on, and the box tells why the web side
    // may still read the old status.
    platform_.dialogs.MsgBox(GeneralErrorText(e), forms::vbCritical, "Error");
  }
  if (unloadSplash) unloadSplash();
  cancel = 0;
}

}  // namespace pager
