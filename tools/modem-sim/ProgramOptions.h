// The command line of modem-sim, and its configuration file.
//
// Options (each also accepted in a configuration file, one per line, without the leading
// dashes: "number 5551234=connect:2:2400"; blank lines and lines starting with '#' are skipped;
// options apply in the order given, so a later one overrides an earlier one):
//   --folder DIR            program folder that gets the link comN (default: the current folder)
//   --port N                N of comN, 1 to 99 (default 1)
//   --number NUM=BEHAVIOUR  the answer to one number (see DialPlan.h for BEHAVIOUR); repeatable
//   --default BEHAVIOUR     the answer to numbers not listed (default connect:2:2400)
//   --units LIST            units the terminal takes, comma-separated; "all" (the default) or
//                           an empty list takes every unit
//   --echo on|off           the terminal echoes the lines it gets (default on)
//   --modem-echo on|off     the modem echoes commands after power-on, ATZ and AT&F (default on)
//   --id-prompts N|every    how many lines before "M" get the ID prompt (default 1)
//   --id-repeat SECONDS     the terminal repeats the ID prompt by itself until "M" (default 0: no)
//   --id-prompt TEXT, --unit-prompt TEXT, --message-prompt TEXT, --accept TEXT, --reject TEXT
//                           the terminal's wording
//   --pages FILE            appends each accepted page to FILE (see PageLog.h)
//   --config FILE           reads options from FILE at this point
//   --verbose               prints the dialogue and the events to standard error
//   --help                  prints the usage and exits
#pragma once

#include <string>
#include <vector>

#include "modem-sim/SimConfig.h"

namespace modemsim {

struct ProgramOptions {
  std::string folder = ".";
  int port = 1;
  std::string pagesFile;
  bool verbose = false;
  bool help = false;
  ModemConfig modem;
};

// Parses the arguments after the program name. Throws std::invalid_argument with a message for
// an unknown option, a missing value, a bad value, or a configuration file that cannot be read.
ProgramOptions ParseProgramOptions(const std::vector<std::string>& args);

// Applies one option by name (without dashes) to the options; throws as above.
void ApplyOption(const std::string& name, const std::string& value, ProgramOptions& options);

// Applies every option line of a configuration file's text; throws as above, naming the line.
void ApplyConfigText(const std::string& text, ProgramOptions& options);

std::string UsageText();

}  // namespace modemsim
