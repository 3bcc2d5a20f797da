// What the call engine keeps besides the shared variables.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "common/Module1.h"
#include "engine/CallEngine.h"
#include "engine/EchoFilter.h"
#include "platform/dao/Database.h"

namespace pager {

struct CallEngine::State {
  // False once the engine is gone (the dial observer outlives it on the timer).
  bool alive = true;

  // The lines written whose echo the answer reader may still meet.
  EchoFilter echo;

  // Set while a hang-up waits over the closer's ticks for the output to leave: the moment
  // by which it sends the hang-up line and closes the port all the same.
  std::optional<std::int64_t> closeLineByMs;

  // The company in strModem has been taken up (its rows opened or dialed) and its call has not
  // ended yet: an error must still settle its waiting messages.
  bool serving = false;

  // The failure of the company's waiting messages in this call: done, or how far it came
  // before an error cut it short (selected rows copied and logged; the next row's copy made).
  bool failedThisCall = false;
  int failedRows = 0;
  bool copiedCurrent = false;

  // The connection whose end-of-cycle delete failed; the re-cycle retries it before Start.
  std::shared_ptr<dao::Database> pendingQueueDelete;

  // A new company is being served: its failure has not run yet.
  void TakeUpCompany() {
    serving = true;
    failedThisCall = false;
    failedRows = 0;
    copiedCurrent = false;
  }
};

}  // namespace pager
