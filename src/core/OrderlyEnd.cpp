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

}  // namespace pager
