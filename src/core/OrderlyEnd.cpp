// The orderly end of the program on a signal from the system, and the tries that store the
// pages the call engine still holds.
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
  RunningFlag storing(storingPages_);
  for (int attempt = 1;; ++attempt) {
    try {
      // Held pages need the database, which is closed between cycles and after a Stop.
      if (enginePagesHeld && enginePagesHeld() && !(m_.dbPager && m_.dbPager->IsOpen())) OpenDatabase();
      // Each try waits out another program's lock for the busy timeout.
      settleEngine();
      return true;
    } catch (const vb::RuntimeError&) {
      // Still refused: tried again below while pages are held, or left for the caller.
    }
    if (attempt >= tries || !enginePagesHeld || !enginePagesHeld()) return false;
    // Between tries the window is drawn again and says what it waits for.
    form_.lblStatus.Caption = "Storing the pages already sent: pager.mdb is held by another program (try " +
                              std::to_string(attempt + 1) + " of " + std::to_string(tries) + ")";
    platform_.loop.DoEvents();
  }
}

}  // namespace pager
