#include "core/ServerCore.h"

namespace pager {

ServerCore::ServerCore(Form1& form, Module1& m, Platform& platform)
    : form_(form), m_(m), platform_(platform), intake_(form, m, platform) {}

}  // namespace pager
