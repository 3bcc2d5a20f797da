// What the simulator reports besides the bytes it sends: events for logs and tests, and the
// pages the terminal accepted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace modemsim {

enum class EventKind {
  CommandLine,       // detail: the command line as typed (without its carriage return)
  Dialed,            // detail: the dial text and the behaviour chosen for it
  Connected,         // detail: the result text ("CONNECT 2400")
  DialFailed,        // detail: the result text ("BUSY", "NO CARRIER", "NO DIALTONE")
  DialAborted,       // the caller sent something while the modem was dialing
  CarrierLost,       // the call dropped by itself ("NO CARRIER" in mid-call)
  HungUp,            // detail: what hung up ("ATH", "ATH+++", "ATZ", "line closed")
  EscapedToCommand,  // "+++" with its guard times: command mode with the call kept
  ResumedOnline,     // ATO
  IdPrompted,        // the terminal sent its ID prompt
  UnitRejected,      // detail: the unit
  PageAccepted,      // detail: unit and text
};

std::string_view EventName(EventKind kind);

struct ModemEvent {
  EventKind kind;
  std::int64_t atMs;
  std::string detail;
};

struct AcceptedPage {
  std::string dialed;  // the dial text of the call (prefix and suffix included)
  std::string unit;
  std::string text;
  std::int64_t atMs = 0;
};

// Collects what the modem and the terminal produce until the owner takes it.
class LineOutput {
 public:
  void Send(std::string_view bytes) { bytes_ += bytes; }
  void Note(EventKind kind, std::int64_t atMs, std::string detail = {}) {
    events_.push_back({kind, atMs, std::move(detail)});
  }
  void Record(AcceptedPage page) { pages_.push_back(std::move(page)); }

  std::string TakeBytes() { return std::exchange(bytes_, {}); }
  std::vector<ModemEvent> TakeEvents() { return std::exchange(events_, {}); }
  void DiscardBytes() { bytes_.clear(); }
  const std::vector<AcceptedPage>& Pages() const { return pages_; }

 private:
  std::string bytes_;
  std::vector<ModemEvent> events_;
  std::vector<AcceptedPage> pages_;
};

}  // namespace modemsim
