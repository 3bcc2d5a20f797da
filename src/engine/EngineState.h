// What the call engine keeps besides the shared variables.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/Module1.h"
#include "engine/CallEngine.h"
#include "engine/EchoFilter.h"
#include "engine/LogRecords.h"

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

  // The company's waiting messages have been failed in this call.
  bool failedThisCall = false;

  // Pages the terminal took whose settling (the row's "Y" and its record, one transaction)
  // could not be stored yet. Nothing else touches the queue before they are stored.
  struct SentPage {
    std::int64_t row;
    FieldValues record;
    std::string description;  // unit, company and text, for whoever must be told it may go again
  };
  std::vector<SentPage> unsettled;

  // The page whose text was just written, until its bytes have left the port (then it is
  // settled as sent) or cannot leave by byMs (then the line is dropped and it fails with its
  // company's pages). Whatever ends the call first settles it (EndLeavingPage).
  struct LeavingPage {
    SentPage page;
    std::int64_t byMs;
    std::size_t bytes;  // its length on the line, CR included: the last bytes written
  };
  std::optional<LeavingPage> leaving;

  // The row whose unit id was written last in this call, until the dialogue moves past it: a
  // refusal read while it is current refuses that row's own unit.
  std::optional<std::int64_t> unitOnLine;

  // Rows whose unit the terminal refused in this cycle; they leave Queue at the end of the list.
  std::vector<std::int64_t> refusedRows;

  // The end of the last read after its last line end (at most the longest keyword but one):
  // a keyword split between two reads is found in it together with the next read.
  std::string answerTail;

  // A new company is being served: its failure has not run yet.
  void TakeUpCompany() {
    serving = true;
    failedThisCall = false;
    leaving.reset();
    unitOnLine.reset();
    answerTail.clear();
  }
};

}  // namespace pager
