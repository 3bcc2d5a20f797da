// The text of the general error box.
#pragma once

#include <string>

#include "platform/vb/RuntimeError.h"

namespace pager {

// "Error: " + the number in signed-number form + " - " + the description:
// "Error:  62 - Input past end of file" (two blanks after the colon).
std::string GeneralErrorText(const vb::RuntimeError& e);

}  // namespace pager
