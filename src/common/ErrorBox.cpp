#include "common/ErrorBox.h"

#include "platform/vb/Text.h"

namespace pager {

std::string GeneralErrorText(const vb::RuntimeError& e) {
  return "Error: " + vb::Str(e.Number()) + " - " + e.Description();
}

}  // namespace pager
