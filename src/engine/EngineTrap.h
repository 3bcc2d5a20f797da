// The error trap of the engine's handlers (internal to the engine).
//
// No run-time error leaves a handler of the engine: the body runs inside Trapped, and a
// failure of the database or the port goes to Recover, which rolls back an open transaction,
// settles the waiting messages of the company being served, ends its call and shows the error
// in the status line. The cycle then goes on with the next company.
#pragma once

#include <exception>

#include "common/ErrorBox.h"
#include "engine/CallEngine.h"
#include "platform/vb/RuntimeError.h"

namespace pager {

// Serial-port errors: the device failed (57) or one of the port control's own numbers.
inline bool IsPortError(int number) { return number == vb::err::kDeviceIOError || (number >= 8000 && number < 8100); }

template <class Body>
void CallEngine::Trapped(Body&& body) {
  try {
    body();
  } catch (const vb::RuntimeError& e) {
    Recover(GeneralErrorText(e), IsPortError(e.Number()));
  } catch (const std::exception& e) {
    // Not a run-time error of the platform (out of memory, a library fault): still never
    // into the event loop.
    Recover(GeneralErrorText(vb::RuntimeError(51, e.what())), false);
  }
}

}  // namespace pager
