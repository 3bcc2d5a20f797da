// The orderly end of the program on a signal from the system, and the tries that store the
// pages the call engine still holds.
#include <algorithm>
#include <string>

#include "core/RunningFlag.h"
#include "core/ServerCore.h"

namespace pager {

void ServerCore::EndKeepingMessages() {
  // The program ends, not the operator's working day: what is waiting goes out after the next
  // start, as after a crash.
  const bool before = keepMessagesOnStop_;
  keepMessagesOnStop_ = true;
  Command2_Click();
  keepMessagesOnStop_ = before;
}

bool ServerCore::StoreEngineSettlings(int tries) {
  if (!settleEngine) return true;
  // A Stop or a shut-down already waiting here has let this one in through its pump; the
  // first goes on trying.
  if (storingPages_) return false;
  bool stored = false;
  {
    RunningFlag storing(storingPages_);
    stored = TryStoringEngineSettlings(tries);
  }
  if (storingEnded) storingEnded(stored);
  return stored;
}

bool ServerCore::TryStoringEngineSettlings(int tries) {
  // Each try waits out another program's lock for the busy timeout, in short slices with the
  // window drawn between them: a whole try in one wait would freeze it for seconds.
  const int busyTimeoutMs = platform_.dbEngine.Workspaces(0).BusyTimeout();
  const int sliceMs = std::max(1, busyTimeoutMs / kSlicesPerTry);
  const auto waitFor = [&](int milliseconds) {
    if (m_.dbPager && m_.dbPager->IsOpen()) m_.dbPager->SetBusyTimeout(milliseconds);
  };
  for (int slice = 1;; ++slice) {
    try {
      // Held pages need the database, which is closed between cycles and after a Stop.
      if (enginePagesHeld && enginePagesHeld() && !(m_.dbPager && m_.dbPager->IsOpen())) OpenDatabase();
      waitFor(sliceMs);
      settleEngine();
      waitFor(busyTimeoutMs);
      return true;
    } catch (const vb::RuntimeError&) {
      // Still refused: tried again below while pages are held, or left for the caller.
    }
    vb::ResumeNext([&] { waitFor(busyTimeoutMs); });
    if (slice >= tries * kSlicesPerTry || !enginePagesHeld || !enginePagesHeld()) return false;
    // Between slices the window is drawn again and says what it waits for.
    const int attempt = slice / kSlicesPerTry + 1;
    form_.lblStatus.Caption = "Storing the pages already sent: pager.mdb is held by another program (try " +
                              std::to_string(attempt) + " of " + std::to_string(tries) + ")";
    platform_.loop.DoEvents();
  }
}

}  // namespace pager
