// What the simulated modem and terminal do: the answer to each dialed number and the terminal's
// wording and habits. Plain values; the program fills them from its options, tests directly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "modem-sim/DialPlan.h"

namespace modemsim {

struct TerminalConfig {
  // Lines the caller types come back before the terminal's answer.
  bool echo = true;

  // How many of the caller's lines (a bare carriage return included) before "M" the terminal
  // answers with the ID prompt: 0 never, kEveryLine each one.
  static constexpr int kEveryLine = -1;
  int idPrompts = 1;

  // When above 0: while waiting for "M", the terminal also sends the ID prompt by itself every
  // idRepeatMs, counted from the carrier coming up (a terminal that keeps asking).
  std::int64_t idRepeatMs = 0;

  // The default pager-id prompt holds no "ID", so the caller's count of ID prompts sees exactly
  // the ID prompts above.
  std::string idPrompt = "ID=";
  std::string unitPrompt = "Enter pager number:";
  std::string messagePrompt = "Enter message:";
  std::string acceptLine = "Page accepted";
  std::string rejectLine = "Invalid pager ID";

  // Units the terminal takes; empty: every non-empty unit.
  std::vector<std::string> knownUnits;
};

struct ModemConfig {
  // Echo of command characters after power-on, ATZ and AT&F (E1).
  bool echo = true;
  DialPlan dialPlan;
  TerminalConfig terminal;
};

// "on"/"off" (also "1"/"0", "yes"/"no"); throws std::invalid_argument otherwise.
bool ParseOnOff(std::string_view text);

// A non-negative number of seconds, fractions allowed ("2", "0.5"), in milliseconds; throws
// std::invalid_argument otherwise.
std::int64_t ParseSeconds(std::string_view text);

// "1234,5678" -> {"1234", "5678"}; blanks around items and empty items are dropped, and "all"
// gives the empty list (every unit).
std::vector<std::string> ParseUnitList(std::string_view text);

}  // namespace modemsim
