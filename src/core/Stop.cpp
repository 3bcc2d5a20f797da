// Stop: ends the server's work from any phase. Each statement that fails is skipped.
#include "common/SettingsFiles.h"
#include "core/ServerCore.h"

namespace pager {

void ServerCore::Command2_Click() {
  using vb::ResumeNext;
  // A second Stop (or the orderly end) while the first waits for the database does nothing:
  // the first one finishes the work.
  if (storingPages_) return;
  form_.MousePointer = forms::kHourglassPointer;
  form_.Label7.Caption = "Software has been stopped";
  m_.strServerState = "STOP";
  form_.Command1.Enabled = true;
  form_.Command4.Enabled = true;

  form_.Timer1.Enabled = false;
  form_.tmrSend.Enabled = false;
  form_.tmrCountdown.Enabled = false;
  form_.tmrRestart.Enabled = false;
  form_.tmrDialing.Enabled = false;

  ResumeNext([&] { m_.intDialSecs = 0; });
  ResumeNext([&] { m_.intSendTick = 0; });
  ResumeNext([&] { m_.intLastStep = 0; });

  // What the line has taken is settled before the line goes: a page whose bytes have left the
  // port is stored as sent, one still in the port is taken back from it, and pages the
  // terminal took whose "Y" could not be stored yet are stored now, in up to kStoreTries tries
  // while another program holds the database.
  vb::ResumeNext([&] { StoreEngineSettlings(kStoreTries); });
  const bool settled = !enginePagesHeld || !enginePagesHeld();

  comm::MSComm& port = form_.MSComm1;
  if (port.PortOpen()) {
    // Output still queued would keep the hang-up line from the modem (a page in it was taken
    // back above).
    ResumeNext([&] { port.DiscardOutput(); });
    ResumeNext([&] { port.Output("ATH+++\r"); });
    ResumeNext([&] { port.SetPortOpen(false); });
  }

  auto database = [&]() -> dao::Database& {
    if (!m_.dbPager) vb::Raise(vb::err::kObjectNotSet);
    return *m_.dbPager;
  };
  // Stopped by Start's error trap, the server keeps the messages still waiting: the next Start
  // takes them up again. The operator's Stop throws them away. Pages still held (another
  // program holds the database) keep every row: thrown away, theirs would be neither sent
  // again nor recorded; the next Start, or the shut-down, stores them first.
  if (!settled) {
    // Nothing is removed.
  } else if (keepMessagesOnStop_) {
    ResumeNext([&] {
      database();
      RemoveSentRows();
    });
  } else {
    ResumeNext([&] { database().Execute("Delete Temp.* From Temp"); });
    ResumeNext([&] { database().Execute("Delete Queue.* From Queue"); });
  }
  ResumeNext([&] { database().Close(); });

  form_.MousePointer = forms::kDefaultPointer;
  m_.intToCall = 0;
  m_.intPending = 0;
  ResumeNext([&] { WriteStatus(platform_.programFolder, kNotAvailable); });
  form_.lblStatus.Caption = settled ? "Server is not available" : kPagesNotStoredStatus;
}

}  // namespace pager
