// How the simulated line answers each dialed number.
//
// A behaviour is written as one of
//   connect[:DELAY[:SPEED]]        "CONNECT SPEED" after DELAY seconds (default 2, 2400;
//                                  an empty SPEED gives a bare "CONNECT")
//   drop:AFTER[:DELAY[:SPEED]]     as connect, then "NO CARRIER" AFTER seconds into the call
//   busy[:DELAY]                   "BUSY" after DELAY seconds (default 2)
//   nocarrier[:DELAY]              "NO CARRIER" after DELAY seconds (default 5): nobody answers
//   nodialtone[:DELAY]             "NO DIALTONE" after DELAY seconds (default 1)
//   silent                         no answer ever; the modem waits until the caller gives up
// Seconds may have fractions ("0.5").
//
// Matching a dial text (what follows ATD and its T or P: the caller's prefix, number and suffix,
// e.g. "9,5551234" or "W5551234;") against the configured numbers, first rule that hits:
//   1. a configured number equal to the dial text;
//   2. a configured number whose digits end the dial text's digits (prefixes such as "9," or
//      "1W" fall away); the longest such number wins;
//   3. a configured number whose digits appear anywhere in the dial text's digits (a suffix
//      with digits in it); the longest wins;
//   4. the default behaviour (connect unless set otherwise).
// "Digits" are 0-9, '*' and '#'; every other character is a dial modifier or punctuation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace modemsim {

enum class DialOutcome { Connect, ConnectThenDrop, Busy, NoCarrier, NoDialtone, Silent };

struct DialBehaviour {
  DialOutcome outcome = DialOutcome::Connect;
  std::int64_t delayMs = 2000;   // from the dial line's carriage return to the result
  std::string speed = "2400";    // shown after CONNECT
  std::int64_t dropAfterMs = 0;  // ConnectThenDrop: carrier lost this long after CONNECT
};

// Parses the forms above; throws std::invalid_argument naming what is wrong.
DialBehaviour ParseBehaviour(std::string_view text);

// The behaviour written back in the same form (for messages and logs).
std::string DescribeBehaviour(const DialBehaviour& behaviour);

// The digits of a dial text, in order.
std::string DialDigits(std::string_view dialText);

class DialPlan {
 public:
  // Adds or replaces the behaviour of one number.
  void Add(const std::string& number, const DialBehaviour& behaviour);
  void SetDefault(const DialBehaviour& behaviour) { default_ = behaviour; }
  const DialBehaviour& Default() const { return default_; }

  // The behaviour for a dial text, by the rules above.
  const DialBehaviour& Lookup(std::string_view dialText) const;

 private:
  struct Entry {
    std::string number;
    std::string digits;
    DialBehaviour behaviour;
  };
  std::vector<Entry> entries_;
  DialBehaviour default_;
};

}  // namespace modemsim
