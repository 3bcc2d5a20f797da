#include "modem-sim/DialPlan.h"

#include <stdexcept>

#include "modem-sim/SimConfig.h"

namespace modemsim {

namespace {

std::vector<std::string> SplitColons(std::string_view text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t colon = text.find(':', start);
    parts.emplace_back(text.substr(start, colon - start));
    if (colon == std::string_view::npos) return parts;
    start = colon + 1;
  }
}

std::string FormatSeconds(std::int64_t ms) {
  std::string text = std::to_string(ms / 1000);
  if (ms % 1000 != 0) {
    std::string fraction = std::to_string(1000 + ms % 1000).substr(1);
    while (fraction.back() == '0') fraction.pop_back();
    text += "." + fraction;
  }
  return text;
}

struct Form {
  const char* name;
  DialOutcome outcome;
  std::int64_t defaultDelayMs;
  std::size_t maxArgs;
};

constexpr Form kForms[] = {
    {"connect", DialOutcome::Connect, 2000, 2},     {"drop", DialOutcome::ConnectThenDrop, 2000, 3},
    {"busy", DialOutcome::Busy, 2000, 1},           {"nocarrier", DialOutcome::NoCarrier, 5000, 1},
    {"nodialtone", DialOutcome::NoDialtone, 1000, 1}, {"silent", DialOutcome::Silent, 0, 0},
};

}  // namespace

DialBehaviour ParseBehaviour(std::string_view text) {
  std::vector<std::string> parts = SplitColons(text);
  const Form* form = nullptr;
  for (const Form& candidate : kForms) {
    if (parts[0] == candidate.name) form = &candidate;
  }
  if (form == nullptr) throw std::invalid_argument("unknown behaviour \"" + parts[0] + "\"");
  std::size_t args = parts.size() - 1;
  if (args > form->maxArgs) throw std::invalid_argument("too many fields in \"" + std::string(text) + "\"");

  DialBehaviour behaviour;
  behaviour.outcome = form->outcome;
  behaviour.delayMs = form->defaultDelayMs;
  std::size_t next = 1;
  if (form->outcome == DialOutcome::ConnectThenDrop) {
    if (args < 1 || parts[1].empty()) throw std::invalid_argument("drop needs the seconds until the carrier is lost");
    behaviour.dropAfterMs = ParseSeconds(parts[1]);
    next = 2;
  }
  if (next < parts.size() && !parts[next].empty()) behaviour.delayMs = ParseSeconds(parts[next]);
  if (next + 1 < parts.size()) behaviour.speed = parts[next + 1];
  return behaviour;
}

std::string DescribeBehaviour(const DialBehaviour& behaviour) {
  std::string delay = FormatSeconds(behaviour.delayMs);
  switch (behaviour.outcome) {
    case DialOutcome::Connect:
      return "connect:" + delay + ":" + behaviour.speed;
    case DialOutcome::ConnectThenDrop:
      return "drop:" + FormatSeconds(behaviour.dropAfterMs) + ":" + delay + ":" + behaviour.speed;
    case DialOutcome::Busy:
      return "busy:" + delay;
    case DialOutcome::NoCarrier:
      return "nocarrier:" + delay;
    case DialOutcome::NoDialtone:
      return "nodialtone:" + delay;
    case DialOutcome::Silent:
      return "silent";
  }
  return "?";
}

std::string DialDigits(std::string_view dialText) {
  std::string digits;
  for (char c : dialText) {
    if ((c >= '0' && c <= '9') || c == '*' || c == '#') digits += c;
  }
  return digits;
}

void DialPlan::Add(const std::string& number, const DialBehaviour& behaviour) {
  for (Entry& entry : entries_) {
    if (entry.number == number) {
      entry.behaviour = behaviour;
      return;
    }
  }
  entries_.push_back({number, DialDigits(number), behaviour});
}

const DialBehaviour& DialPlan::Lookup(std::string_view dialText) const {
  for (const Entry& entry : entries_) {
    if (entry.number == dialText) return entry.behaviour;
  }
  std::string dialed = DialDigits(dialText);
  const Entry* best = nullptr;
  auto consider = [&](bool (*hits)(const std::string&, const std::string&)) {
    for (const Entry& entry : entries_) {
      if (entry.digits.empty() || !hits(dialed, entry.digits)) continue;
      if (best == nullptr || entry.digits.size() > best->digits.size()) best = &entry;
    }
  };
  consider([](const std::string& d, const std::string& n) { return d.ends_with(n); });
  if (best == nullptr) {
    consider([](const std::string& d, const std::string& n) { return d.find(n) != std::string::npos; });
  }
  return best != nullptr ? best->behaviour : default_;
}

}  // namespace modemsim
