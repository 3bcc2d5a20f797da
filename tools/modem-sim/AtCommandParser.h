// Splits one command line typed to the modem into its commands. Parsing only: what a command
// does, and which values it accepts, is the modem's business.
//
// A command line starts with "AT" in either case; anything else is not for the modem. After
// "AT": blanks are skipped; a letter with an optional decimal value (E1, H, Z0); '&' and a
// letter with an optional value (&F, &C1); S, a register number, then "=value" or "?"; D and
// the rest of the line, which is the dial text. Letters are taken in either case and given in
// capitals. A line holding "+++" is cut there first: the caller hangs up with "ATH+++" in one
// line, which is ATH.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace modemsim {

struct AtCommand {
  enum class Kind { Basic, Ampersand, RegisterSet, RegisterQuery, Dial };
  Kind kind = Kind::Basic;
  char name = 0;     // the command letter in capitals ('D' for a dial)
  int value = -1;    // the decimal value; -1 when none was given
  int reg = -1;      // S commands: the register number
  std::string dial;  // Dial: the text after D, with a leading T or P (tone or pulse) taken off
  bool pulse = false;
};

struct AtCommandLine {
  bool isAt = false;      // the line started with AT
  bool malformed = false; // a character that begins no command, or a value out of any range
  std::vector<AtCommand> commands;
};

AtCommandLine ParseAtCommandLine(std::string_view line);

}  // namespace modemsim
