// The number of the run-time error that code under test raises, for the tests of every layer.
#pragma once

#include <utility>

#include "platform/vb/RuntimeError.h"

namespace testing_support {

// The number of the vb::RuntimeError that `action` raises; 0 when it raises none. Any other
// exception passes through.
template <class Action>
int ErrorOf(Action&& action) {
  try {
    std::forward<Action>(action)();
  } catch (const vb::RuntimeError& error) {
    return error.Number();
  }
  return 0;
}

}  // namespace testing_support
