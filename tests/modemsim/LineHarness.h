// A simulated modem on a line in virtual time, as a test talks to it: write what the caller
// writes, let time pass, read what came back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "modem-sim/ModemSimulator.h"

namespace modemsim_test {

inline modemsim::ModemConfig QuietModem() {
  modemsim::ModemConfig config;
  config.echo = false;
  config.terminal.echo = false;
  return config;
}

class LineHarness {
 public:
  explicit LineHarness(modemsim::ModemConfig config = QuietModem()) : modem(std::move(config)) {}

  // Writes bytes at the present moment and returns what the modem sent back at once.
  std::string Say(std::string_view bytes) {
    modem.Receive(bytes, now);
    return modem.TakeOutput();
  }

  // Lets ms pass and returns what the modem sent meanwhile.
  std::string Wait(std::int64_t ms) {
    now += ms;
    modem.Advance(now);
    return modem.TakeOutput();
  }

  std::vector<modemsim::EventKind> EventKinds() {
    std::vector<modemsim::EventKind> kinds;
    for (const modemsim::ModemEvent& event : modem.TakeEvents()) kinds.push_back(event.kind);
    return kinds;
  }

  modemsim::ModemSimulator modem;
  std::int64_t now = 0;
};

inline modemsim::DialBehaviour Behaviour(const char* text) { return modemsim::ParseBehaviour(text); }

}  // namespace modemsim_test
