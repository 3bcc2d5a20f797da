// The orderly end of the program on a signal from the system.
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

bool ServerCore::StoreEngineSettlings(int attempts) {
  if (!settleEngine) return true;
  for (int attempt = 0; attempt < attempts; ++attempt) {
    try {
      // Each attempt waits out another program's lock for the busy timeout, so the attempts
      // bound the time this takes.
      OpenDatabase();
      settleEngine();
      m_.dbPager->Close();
      return true;
    } catch (const vb::RuntimeError&) {
      if (m_.dbPager) vb::ResumeNext([&] { m_.dbPager->Close(); });
    }
  }
  return false;
}

}  // namespace pager
