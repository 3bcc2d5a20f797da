#include "modem-sim/SimEvents.h"

namespace modemsim {

std::string_view EventName(EventKind kind) {
  switch (kind) {
    case EventKind::CommandLine: return "command";
    case EventKind::Dialed: return "dialed";
    case EventKind::Connected: return "connected";
    case EventKind::DialFailed: return "dial failed";
    case EventKind::DialAborted: return "dial aborted";
    case EventKind::CarrierLost: return "carrier lost";
    case EventKind::HungUp: return "hung up";
    case EventKind::EscapedToCommand: return "escaped to command mode";
    case EventKind::ResumedOnline: return "back online";
    case EventKind::IdPrompted: return "ID prompt";
    case EventKind::UnitRejected: return "unit rejected";
    case EventKind::PageAccepted: return "page accepted";
  }
  return "?";
}

}  // namespace modemsim
